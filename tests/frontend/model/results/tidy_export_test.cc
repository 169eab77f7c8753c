#include "frontend/model/results/tidy_export.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/frontend/model/files/sim_file_fixtures.h"

namespace trakvist {
namespace {

std::vector<std::string> Rows(const ResultsStore& store, const TidyExportSettings& settings) {
  std::ostringstream out;
  EXPECT_TRUE(WriteTidyCsv(store, settings, out));
  std::vector<std::string> rows;
  std::istringstream in(out.str());
  for (std::string line; std::getline(in, line);) {
    EXPECT_TRUE(line.ends_with('\r')) << line;
    rows.push_back(line.substr(0, line.size() - 1));
  }
  return rows;
}

TEST(WriteTidyCsvTest, OneRowPerCombinationAndSimulatedAlgorithm) {
  const std::vector<std::string> rows = Rows(ThreeRunStore(), {});
  ASSERT_EQ(rows.size(), 1 + 3 * 7u);
  EXPECT_EQ(rows[0],
            "run,requests,randomization_seed,arrival_rate,arrival_probability,"
            "slook_wasted_constant,slook_wasted_factor,bopath_threshold,bopath_depth,"
            "block_time_tu,cylinder_seek_tu,cylinders,initial_head,seconds_per_tu,"
            "blocks_per_track,settle_time_tu,heads,direction,replication,seed,algorithm,"
            "total_seek_tu,avg_wait_tu,max_wait_tu");
  // Full precision: 0.1 + 0.2 is not written as 0.3.
  EXPECT_EQ(rows[15], "3,300,600,60,0.01,0,1,1000,30,2,1,1000,0,1e-05,600,600,4,up,1,600,FCFS,"
                      "3001,0.30000000000000004,31");
  EXPECT_EQ(rows[21].substr(rows[21].find(",up,")), ",up,1,600,S-LOOK,12345678901234568,4.75,37");
  // FCFS disabled, heads down, seed chosen by the timer.
  const std::vector<std::string> other = Rows(ThreeRunStore(), {true, true, true});
  ASSERT_EQ(other.size(), 1 + 3 * 6u);
  EXPECT_EQ(other[1].substr(other[1].find(",down,")), ",down,1,,SSTF,1002,1.5,12");
}

TEST(WriteTidyCsvTest, ReplicationsGiveEveryRunWithItsSeedAndTheStatistics) {
  const std::vector<std::string> rows = Rows(ReplicatedStore(), {false, false, true});
  ASSERT_EQ(rows.size(), 1 + 3 * 2 * 7u);
  EXPECT_TRUE(rows[0].ends_with(",p50_wait_tu,p90_wait_tu,p95_wait_tu,p99_wait_tu,sd_wait_tu"));
  // Combination 3, replication 2 (engine run 6), S-LOOK: drawn seed 4294967295.
  EXPECT_EQ(rows.back().substr(rows.back().find(",up,")),
            ",up,2,4294967295,S-LOOK,670,670,670,670,670,670,670,670");
  EXPECT_EQ(rows[1].substr(rows[1].find(",up,")), ",up,1,7,FCFS,110.5,110.5,110.5,110.5,110.5,"
                                                  "110.5,110.5,110.5");
}

}  // namespace
}  // namespace trakvist
