#include "frontend/model/files/sim_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "frontend/model/common/number_text.h"
#include "frontend/model/files/sim_file_format.h"
#include "frontend/model/files/sim_file_writer.h"
#include "tests/frontend/model/files/sim_file_fixtures.h"

namespace trakvist {
namespace {

std::string Golden() { return DataFile("three_runs.txt"); }

SimFileContent ReadWhole(const std::string& bytes,
                         const SimFileReadContext& context = TestContext()) {
  SimFileRead read = ReadSimFile(bytes, context);
  EXPECT_TRUE(read.content) << read.failure;
  return read.content ? std::move(*read.content) : SimFileContent{};
}

// The indexes whose ranges are to be parsed from the fields after applying.
std::vector<int> RangesFromFields(const SimFileContent& content) {
  std::vector<int> indexes;
  for (int i = 0; i < kParameterCount; ++i) {
    if (content.ranges_from_fields[i]) indexes.push_back(i);
  }
  return indexes;
}

void ExpectRange(const ParamRange& range, double from, double step, double to) {
  EXPECT_EQ(range.From, from);
  EXPECT_EQ(range.Step, step);
  EXPECT_EQ(range.To, to);
}

TEST(SimFileMessagesTest, AreWordedExactly) {
  EXPECT_EQ(UnknownDiskMessage("Quantum Bigfoot"),
            "Quantum Bigfoot is an unknown disk type. Check the Disks.ini file for available "
            "disk types.");
  EXPECT_EQ(UnknownSimulatorMessage("old_engine"),
            "old_engine simulator file is not available in Trakvist folder!!. Currently selected "
            "simulator will be used. But it may not give the same results if compilation "
            "directives differ.");
  EXPECT_EQ(OlderVersionMessage("schedule"),
            "This file is saved with an older version of Trakvist which does not say which "
            "simulator file it used. Currently selected simulator will be used (schedule). But "
            "it may not give the same results if compilation directives differ.");
}

TEST(ReadSimFileTest, ReadsBackWhatTheWriterWrote) {
  const SimFileContent content = ReadWhole(Golden());
  EXPECT_EQ(content.version, 5);
  EXPECT_EQ(content.page.count, 15);
  EXPECT_TRUE(content.page.disk_type_known);
  EXPECT_TRUE(content.page.simulator_known);
  EXPECT_EQ(content.page.values, ThreeRunPage());
  const ParameterTexts texts = ThreeRunTexts();
  const SweepRanges ranges = RangesOf(texts);
  for (int i = 0; i < kParameterCount; ++i) {
    EXPECT_EQ(content.parameter_texts[i], texts[i]);
    ExpectRange(content.ranges[i], ranges[i].From, ranges[i].Step, ranges[i].To);
  }
  EXPECT_EQ(content.distribution, 1);
  EXPECT_FALSE(content.clear_is_lba);
  EXPECT_TRUE(content.messages.empty());
  const SweepResults expected = ThreeRunResults();
  ASSERT_EQ(content.results.RunCount(), 3);
  for (Metric metric :
       {Metric::kTotalSeekTime, Metric::kAverageWaitingTime, Metric::kMaximumWaitingTime}) {
    for (int run = 1; run <= 3; ++run) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        // Values come back as their 15-digit number text.
        EXPECT_EQ(content.results.Get(metric, a, run),
                  *FullNumber(NumberText(expected.Get(metric, a, run))));
      }
    }
  }
}

// "Down" goes into a section after the results, which only this reader
// reads; a damaged one is a format error, and without the page it is
// passed over.
TEST(ReadSimFileTest, TheHeadDirectionSectionAfterTheResults) {
  PageControls page = ThreeRunPage();
  page.head_down = true;
  const std::string bytes = SimFileText(page, ThreeRunTexts(), ThreeRunStore());
  EXPECT_EQ(bytes, Golden() + "\r\n[Initial Head Direction]\r\nDown\r\n");
  EXPECT_TRUE(ReadWhole(bytes).page.values.head_down);
  EXPECT_FALSE(ReadWhole(Golden()).page.values.head_down);
  SimFileReadContext context = TestContext();
  context.import_page = false;
  ASSERT_TRUE(ReadSimFile(bytes, context).content);
  EXPECT_FALSE(ReadSimFile(bytes, context).content->page.values.head_down);
  for (const std::string& damaged : {Edit(bytes, "\r\nDown", "\r\nSideways"),
                                     bytes.substr(0, bytes.rfind("Down"))}) {
    const SimFileRead read = ReadSimFile(damaged, TestContext());
    EXPECT_FALSE(read.content);
    EXPECT_EQ(read.failure, kSimFileNotProperFormatMessage);
  }
}

// The statistics and the replications go into sections after the results:
// read back whole; a damaged one is a format error; a reader that knows only
// the format finds the means in the result sections.
TEST(ReadSimFileTest, TheStatisticsAndReplicationsSectionsAfterTheResults) {
  const ResultsStore store = ReplicatedStore();
  const std::string bytes = SimFileText(ThreeRunPage(), ThreeRunTexts(), store);
  const SimFileContent content = ReadWhole(bytes);
  EXPECT_TRUE(content.results == store.Results());
  EXPECT_TRUE(content.replications == store.ResultReplications());
  EXPECT_EQ(content.results.Get(Metric::kWaitingTimeStdDev, 7, 3), 620.25);
  const std::string_view kDamaged[][2] = {
      {"[Replications]\r\n 2 ", "[Replications]\r\n 1 "},      // K below 2
      {"[Replications]\r\n 2 \r\n 2 ", "[Replications]\r\n 2 \r\n 3 "},  // 3 seeds of 2
      {"[Replication Maximum Waiting Time]\r\n 7 ", "[Replication Maximum Waiting Time]\r\n 6 "},
      {"[Median Waiting Time]\r\n 4 \r\n,FCFS", "[Median Waiting Time]\r\n 4 \r\nFCFS"},
      {",660,670,0,0\r\n", ",660,x,0,0\r\n"},
      {",660,670,0,0\r\n", ",660,670,0,0,0\r\n"},
      {"[Waiting Time Std. Deviation]", "[Waiting Time Std Deviation]"},  // four of five
      {"[Replication Median Waiting Time]", "[Replication Median Wait]"},
  };
  for (const auto& [from, to] : kDamaged) {
    ASSERT_NE(bytes.find(from), std::string::npos) << from;
    const SimFileRead read = ReadSimFile(Edit(bytes, from, to), TestContext());
    EXPECT_FALSE(read.content) << to;
    EXPECT_EQ(read.failure, kSimFileNotProperFormatMessage);
  }
  // The replication sections need "[Replications]" before them.
  const std::size_t plan = bytes.find("\r\n[Replications]");
  const std::size_t first = bytes.find("\r\n[Replication Total");
  EXPECT_FALSE(ReadSimFile(bytes.substr(0, plan) + bytes.substr(first), TestContext()).content);
}

TEST(ReadSimFileTest, UpgradesAVersion4File) {
  const SimFileContent content = ReadWhole(DataFile("version4.txt"));
  EXPECT_EQ(content.version, 4);
  EXPECT_EQ(content.page.count, 14);  // ends before the simulator line
  EXPECT_FALSE(content.page.simulator_known);
  EXPECT_TRUE(content.page.values.Option2);
  EXPECT_EQ(content.page.values.SLOOK_Reset, "Extremes");
  EXPECT_EQ(content.page.values.isLBA, 1);
  EXPECT_TRUE(content.clear_is_lba);  // cleared after the page is applied
  EXPECT_EQ(content.parameter_texts[1], "600,100,700");
  EXPECT_FALSE(content.parameter_texts[15]);
  ExpectRange(content.ranges[1], 600, 100, 700);
  // The heads range follows the field once the page is applied.
  EXPECT_EQ(RangesFromFields(content), std::vector<int>{15});
  EXPECT_EQ(content.results.RunCount(), 2);
  EXPECT_EQ(content.results.Get(Metric::kTotalSeekTime, 1, 2), 11);
  EXPECT_EQ(content.results.Get(Metric::kAverageWaitingTime, 7, 2), 7.25);
  EXPECT_EQ(content.results.Get(Metric::kMaximumWaitingTime, 1, 1), 5);
  EXPECT_EQ(content.messages, std::vector<std::string>{OlderVersionMessage("schedule_fast")});
}

TEST(ReadSimFileTest, UpgradesAVersion3File) {
  const SimFileContent content = ReadWhole(DataFile("version3.txt"));
  EXPECT_EQ(content.page.count, 13);
  EXPECT_TRUE(content.page.values.Option3);
  EXPECT_EQ(content.page.values.SLOOK_Reset, "Extremes");
  EXPECT_EQ(content.parameter_texts[14], "300");  // settle time is in the file
  ExpectRange(content.ranges[14], 300, 1, 300);
  EXPECT_EQ(RangesFromFields(content), std::vector<int>{15});
  EXPECT_EQ(content.results.RunCount(), 1);
  EXPECT_EQ(content.results.Get(Metric::kMaximumWaitingTime, 1, 1), 9);
  EXPECT_EQ(content.messages, std::vector<std::string>{OlderVersionMessage("schedule_fast")});
}

TEST(ReadSimFileTest, OlderFilesStoreTheSlookResetMethodAsANumber) {
  const struct {
    const char* line;
    const char* method;  // nullptr: not in the proper format
  } cases[] = {{" 1 ", "Extremes"}, {" 0 ", "Ping Pong"},  {" 2 ", "Ping Pong"},
               {"1.0", "Extremes"}, {"Extremes", nullptr}, {"", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string bytes = Edit(DataFile("version3.txt"), "True\r\n 1 \r\n",
                                   std::string("True\r\n") + c.line + "\r\n");
    const SimFileRead read = ReadSimFile(bytes, TestContext());
    if (c.method == nullptr) {
      EXPECT_EQ(read.failure, kSimFileNotProperFormatMessage);
    } else {
      ASSERT_TRUE(read.content);
      EXPECT_EQ(read.content->page.values.SLOOK_Reset, c.method);
    }
  }
}

TEST(ReadSimFileTest, UpgradesAVersion2FileWithoutSettleTimeOrMaximumWaits) {
  const SimFileContent content = ReadWhole(DataFile("version2.txt"));
  EXPECT_EQ(content.page.count, 12);
  EXPECT_EQ(content.page.values.SLOOK_Reset, "Ping Pong");
  EXPECT_EQ(content.page.values.DistList, "Generic");
  EXPECT_EQ(content.parameter_texts[13], "600");
  EXPECT_EQ(content.parameter_texts[14], "0");
  EXPECT_FALSE(content.parameter_texts[15]);
  ExpectRange(content.ranges[2], 60, 10, 70);
  ExpectRange(content.ranges[13], 600, 1, 600);
  ExpectRange(content.ranges[14], 0, 1, 0);
  EXPECT_EQ(RangesFromFields(content), std::vector<int>{15});
  EXPECT_EQ(content.distribution, 1);
  ASSERT_EQ(content.results.RunCount(), 2);  // as many runs as the average waits
  EXPECT_EQ(content.results.Get(Metric::kAverageWaitingTime, 1, 2), 2.5);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    EXPECT_EQ(content.results.Get(Metric::kMaximumWaitingTime, a, 2), 0);
  }
  EXPECT_EQ(content.messages, std::vector<std::string>{OlderVersionMessage("schedule_fast")});
}

TEST(ReadSimFileTest, UnknownDiskAndSimulatorAreReportedInFileOrderAndLoadingGoesOn) {
  std::string bytes = Edit(Golden(), "\r\nIBM Deskstar 75GXP\r\n", "\r\nQuantum Bigfoot\r\n");
  bytes = Edit(bytes, "\r\nschedule\r\n", "\r\nold_engine\r\n");
  const SimFileContent content = ReadWhole(bytes);
  EXPECT_EQ(content.messages, (std::vector<std::string>{UnknownDiskMessage("Quantum Bigfoot"),
                                                        UnknownSimulatorMessage("old_engine")}));
  EXPECT_FALSE(content.page.disk_type_known);
  EXPECT_FALSE(content.page.simulator_known);
  EXPECT_EQ(content.page.count, 15);
  EXPECT_EQ(content.parameter_texts[0], "100,100,300");
  EXPECT_EQ(content.results.RunCount(), 3);

  // Before the older-version message, which names the simulator in use.
  const std::string old = Edit(DataFile("version4.txt"), "\r\nDefault\r\n", "\r\nMystery\r\n");
  EXPECT_EQ(ReadWhole(old).messages,
            (std::vector<std::string>{UnknownDiskMessage("Mystery"),
                                      OlderVersionMessage("schedule_fast")}));
}

TEST(ReadSimFileTest, RefusesFilesItCannotRead) {
  const std::string golden = Golden();
  const struct {
    const char* name;
    std::string bytes;
    std::string_view message;
  } cases[] = {
      {"higher version", Edit(golden, " 5 ", " 6 "), kHigherVersionMessage},
      {"version not a number", Edit(golden, " 5 ", "five"), kSimFileNotProperFormatMessage},
      {"version 0", Edit(golden, " 5 ", " 0 "), kSimFileNotProperFormatMessage},
      {"empty file", "", kSimFileNotProperFormatMessage},
      {"16 page values", Edit(golden, "Page]\r\n 15 ", "Page]\r\n 16 "),
       kSimFileNotProperFormatMessage},
      {"page count not a number", Edit(golden, "Page]\r\n 15 ", "Page]\r\nabc"),
       kSimFileNotProperFormatMessage},
      {"unknown distribution", Edit(golden, "\r\nGeneric\r\n", "\r\nBinomial\r\n"),
       kSimFileNotProperFormatMessage},
      {"unknown S-LOOK method", Edit(golden, "Ping Pong", "Zigzag"),
       kSimFileNotProperFormatMessage},
      {"check box 2", Edit(golden, "Ping Pong\r\n 0 ", "Ping Pong\r\n 2 "),
       kSimFileNotProperFormatMessage},
      {"choice neither True nor False", Edit(golden, "\r\nTrue\r\n", "\r\nMaybe\r\n"),
       kSimFileNotProperFormatMessage},
      {"17 parameter texts", Edit(golden, "Parameters]\r\n 16 ", "Parameters]\r\n 17 "),
       kSimFileNotProperFormatMessage},
      {"17 ranges",
       Edit(golden, "[Simulation Parameters]\r\n 16 ", "[Simulation Parameters]\r\n 17 "),
       kSimFileNotProperFormatMessage},
      {"range not a number", Edit(golden, "100,100,300\r\n600,1", "100,x,300\r\n600,1"),
       kSimFileNotProperFormatMessage},
      {"range with a zero step", Edit(golden, "600,1,600", "600,0,600"),
       kSimFileNotProperFormatMessage},
      {"10 values per row", Edit(golden, " 2 \r\n 9 ", " 2 \r\n 10 "),
       kSimFileNotProperFormatMessage},
      {"no runs", Edit(golden, "Seek Time]\r\n 4 ", "Seek Time]\r\n 1 "),
       kSimFileNotProperFormatMessage},
      {"more runs than 32 bits count",
       Edit(golden, "Seek Time]\r\n 4 ", "Seek Time]\r\n 2147483649 "),
       kSimFileNotProperFormatMessage},
      {"sections of different runs", Edit(golden, "Waiting Time]\r\n 4 ", "Waiting Time]\r\n 3 "),
       kSimFileNotProperFormatMessage},
      {"header in another case", Edit(golden, "[Total Seek Time]", "[total seek time]"),
       kSimFileNotProperFormatMessage},
      {"no maximum waits", Edit(golden, "[Maximum Waiting Time]", "[Maximum Waits]"),
       kSimFileNotProperFormatMessage},
      {"a row short", golden.substr(0, golden.rfind(",0,0\r\n")), kSimFileNotProperFormatMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SimFileRead read = ReadSimFile(c.bytes, TestContext());
    EXPECT_FALSE(read.content);
    EXPECT_EQ(read.failure, c.message);
  }
}

// The version is the line's first number; what follows it goes with it.
TEST(ReadSimFileTest, TextAfterTheVersionIsPassedOver) {
  for (const char* line : {" 5 saved by hand", "5,by hand", "\t5"}) {
    const SimFileRead read = ReadSimFile(Edit(Golden(), " 5 ", line), TestContext());
    ASSERT_TRUE(read.content) << line;
    EXPECT_EQ(read.content->version, 5) << line;
  }
}

TEST(ReadSimFileTest, WithoutImportThePageSectionsAreSkippedEntirely) {
  SimFileReadContext context = TestContext();
  context.import_page = false;
  // A page value no control accepts does not matter then.
  const SimFileContent content =
      ReadWhole(Edit(Golden(), "\r\nGeneric\r\n", "\r\nBinomial\r\n"), context);
  EXPECT_EQ(content.page.count, 0);
  for (const auto& text : content.parameter_texts) EXPECT_FALSE(text);
  EXPECT_TRUE(content.messages.empty());
  ExpectRange(content.ranges[0], 100, 100, 300);
  EXPECT_EQ(content.results.RunCount(), 3);

  // An older file still names the simulator in use.
  EXPECT_EQ(ReadWhole(DataFile("version4.txt"), context).messages,
            std::vector<std::string>{OlderVersionMessage("schedule_fast")});
}

TEST(ReadSimFileTest, CountsFieldsNotLines) {
  const std::string rows =
      ",1001,1002,1003,1004,1005,1006,1007,0,0\r\n"
      ",2001,2002,2003,2004,2005,2006,2007,0,0\r\n"
      ",3001,3002,3003,3004,3005,3006,1.23456789012346E+16,0,0\r\n";
  const std::string reflowed =
      ",1001,1002,1003\r\n1004,1005,1006,1007,0,0,,2001,2002,2003,2004,2005,2006,2007,0,0\r\n"
      ",3001,3002,abc,3004,3005,12abc,1.23456789012346E+16,0,\r\n"
      "\r\nextra line\r\n";
  const SimFileContent content = ReadWhole(Edit(Golden(), rows, reflowed));
  EXPECT_EQ(content.results.Get(Metric::kTotalSeekTime, 4, 1), 1004);
  EXPECT_EQ(content.results.Get(Metric::kTotalSeekTime, 1, 2), 2001);
  EXPECT_EQ(content.results.Get(Metric::kTotalSeekTime, 3, 3), 0);   // not a number
  EXPECT_EQ(content.results.Get(Metric::kTotalSeekTime, 6, 3), 12);  // leading number
  EXPECT_EQ(content.results.Get(Metric::kAverageWaitingTime, 2, 1), 1.5);
}

TEST(ReadSimFileTest, AcceptsOtherLineEndsAndLinesBetweenSections) {
  std::string unix_ends = Golden();
  for (std::size_t at; (at = unix_ends.find("\r\n")) != std::string::npos;) unix_ends.erase(at, 1);
  EXPECT_EQ(ReadWhole(unix_ends).results.Get(Metric::kMaximumWaitingTime, 7, 3), 37);

  const std::string padded =
      Edit(Golden(), "\r\n[Other Parameters]", "\r\n\r\nnotes\r\n[Other Parameters]");
  EXPECT_EQ(ReadWhole(padded).distribution, 1);
}

TEST(ReadSimFileTest, FewerRangesKeepTheStoredOnes) {
  const SimFileContent content = ReadWhole(
      Edit(Golden(), "[Simulation Parameters]\r\n 16 ", "[Simulation Parameters]\r\n 1 "));
  ExpectRange(content.ranges[0], 100, 100, 300);
  ExpectRange(content.ranges[1], 7, 1, 7);
  ExpectRange(content.ranges[15], 7, 1, 7);
}

TEST(ReadSimFileTest, AHugeRunCountIsRefusedWithoutReservingItsRows) {
  const std::string bytes = Edit(Golden(), "Seek Time]\r\n 4 ", "Seek Time]\r\n 2147483648 ");
  const SimFileRead read = ReadSimFile(bytes, TestContext());
  EXPECT_EQ(read.failure, kSimFileNotProperFormatMessage);
}

// A whole result is one any later step can rely on.
void ExpectWholeOrRefused(const std::string& bytes) {
  const SimFileRead read = ReadSimFile(bytes, TestContext());
  if (!read.content) {
    EXPECT_TRUE(read.failure == kSimFileNotProperFormatMessage ||
                read.failure == kHigherVersionMessage)
        << read.failure;
    return;
  }
  EXPECT_TRUE(read.failure.empty());
  EXPECT_GE(read.content->results.RunCount(), 1);
  EXPECT_LE(read.content->page.count, kPageControlCount);
  for (const ParamRange& range : read.content->ranges) EXPECT_NE(range.Step, 0.0);
}

TEST(ReadSimFileTest, AFileDamagedAtAnyByteIsReadWholeOrRefused) {
  const std::string golden = Golden();
  for (std::size_t i = 0; i < golden.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectWholeOrRefused(golden.substr(0, i));
    ExpectWholeOrRefused(std::string(golden).erase(i, 1));
    for (char c : {'x', ',', '\n', '9', '\0'}) {
      std::string damaged = golden;
      damaged[i] = c;
      ExpectWholeOrRefused(damaged);
    }
  }
}

}  // namespace
}  // namespace trakvist
