#include "frontend/model/files/sim_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/model/files/sim_file_format.h"
#include "frontend/model/panel/parameters_panel.h"
#include "tests/frontend/model/files/sim_file_fixtures.h"

namespace trakvist {
namespace {

// The lines of `bytes` split at CR LF, with a last empty entry when the
// bytes end in CR LF.
std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  lines.push_back(bytes.substr(start));
  return lines;
}

std::string Visible(const std::string& line) {
  std::string shown;
  for (char c : line) shown += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return "\"" + shown + "\"";
}

// Empty when equal, else the first differing line of each.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = SplitLines(expected);
  const std::vector<std::string> got = SplitLines(actual);
  for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
    const std::string w = i < want.size() ? Visible(want[i]) : "(no line)";
    const std::string g = i < got.size() ? Visible(got[i]) : "(no line)";
    if (w != g) {
      std::ostringstream diff;
      diff << "line " << i + 1 << ":\n  expected " << w << "\n  actual   " << g;
      return diff.str();
    }
  }
  return expected == actual ? "" : "same lines, different bytes";
}

TEST(SimFileTextTest, MatchesTheGoldenFileOfAThreeRunSweep) {
  const std::string golden = DataFile("three_runs.txt");
  ASSERT_FALSE(golden.empty());
  const std::string bytes = SimFileText(ThreeRunPage(), ThreeRunTexts(), ThreeRunStore());
  EXPECT_EQ(FirstDifference(golden, bytes), "");
}

TEST(SimFileTextTest, ResultSectionsCountTheHeaderRowAndHoldTenFieldsARow) {
  const std::vector<std::string> lines =
      SplitLines(SimFileText(ThreeRunPage(), ThreeRunTexts(), ThreeRunStore()));
  EXPECT_EQ(lines.back(), "");  // ends with the last row's CR LF, no empty line after it
  for (std::string_view header : {kSeekSection, kAvgWaitSection, kMaxWaitSection}) {
    SCOPED_TRACE(header);
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != header) ++at;
    ASSERT_LT(at + 5, lines.size());
    EXPECT_EQ(lines[at + 1], " 4 ");
    EXPECT_EQ(lines[at + 2], kResultHeaderRow);
    for (std::size_t row = at + 3; row < at + 6; ++row) {
      EXPECT_EQ(lines[row].front(), ',');
      EXPECT_EQ(std::count(lines[row].begin(), lines[row].end(), ','), 9) << lines[row];
    }
  }
}

TEST(SimFileTextTest, LineBreaksInTextsBecomeSpacesSoNoLineShifts) {
  PageControls page = ThreeRunPage();
  page.Manual = "10\r\n20\n30";
  const std::string bytes = SimFileText(page, ThreeRunTexts(), ThreeRunStore());
  EXPECT_EQ(SplitLines(bytes).size(), SplitLines(DataFile("three_runs.txt")).size());
  EXPECT_NE(bytes.find("\r\n10  20 30\r\n"), std::string::npos);
}

TEST(PrintStyleTest, PadsWholeNumbersWithASpaceOrASign) {
  const struct {
    long long value;
    const char* text;
  } cases[] = {{5, " 5 "}, {16, " 16 "}, {0, " 0 "}, {-3, "-3 "}, {2147483648LL, " 2147483648 "}};
  for (const auto& c : cases) EXPECT_EQ(PrintStyle(c.value), c.text);
}

TEST(PageControlsOfTest, TakesThePanelStateAndTheOtherControlsTexts) {
  ParametersPanel panel = StartParametersPanel();
  Option3_Click(&panel);
  SetRtimer(&panel, true);
  SelectDistribution(&panel, 1);
  panel.slook_reset = 0;
  panel.ofcfs = true;
  panel.is_lba = true;
  panel.disk_list_text = "Custom ...";
  const PageControls page = PageControlsOf(panel, "1 2 3", "schedule");
  EXPECT_EQ(page.Manual, "1 2 3");
  EXPECT_EQ(page.Rtimer, 1);
  EXPECT_FALSE(page.Option1);
  EXPECT_FALSE(page.Option2);
  EXPECT_TRUE(page.Option3);
  EXPECT_EQ(page.SLOOK_Reset, "Extremes");
  EXPECT_EQ(page.BOPATH_Reset, 0);
  EXPECT_EQ(page.BOPATH_Swap, 1);
  EXPECT_EQ(page.OFCFS, 1);
  EXPECT_EQ(page.SkipIdle, 1);
  EXPECT_EQ(page.DistList, "Generic");
  EXPECT_EQ(page.DiskList, "Custom ...");
  EXPECT_EQ(page.isLBA, 1);
  EXPECT_EQ(page.SimList, "schedule");
  EXPECT_EQ(ParameterTextsOf(panel), DefaultTexts());
}

}  // namespace
}  // namespace trakvist
