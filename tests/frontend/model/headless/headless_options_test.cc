#include "frontend/model/headless/headless_options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frontend/model/headless/headless_view.h"
#include "frontend/model/runs/sweep.h"
#include "frontend/model/shell/main_actions.h"
#include "tests/frontend/model/results/results_test_support.h"

namespace trakvist {
namespace {

HeadlessOptions Parsed(const std::vector<std::string>& arguments) {
  auto parsed = ParseHeadlessOptions(arguments);
  EXPECT_TRUE(std::holds_alternative<HeadlessOptions>(parsed))
      << std::get<UsageError>(parsed).message;
  return std::holds_alternative<HeadlessOptions>(parsed) ? std::get<HeadlessOptions>(parsed)
                                                         : HeadlessOptions{};
}

TEST(ParseHeadlessOptionsTest, ModesAndFiles) {
  EXPECT_EQ(Parsed({}).mode, ProgramMode::kWindow);
  EXPECT_EQ(Parsed({"s.txt"}).file, "s.txt");
  EXPECT_EQ(Parsed({"s.txt"}).mode, ProgramMode::kWindow);
  EXPECT_EQ(Parsed({"--help"}).mode, ProgramMode::kHelp);
  EXPECT_EQ(Parsed({"--run"}).mode, ProgramMode::kRun);
  EXPECT_FALSE(Parsed({"--run", "--x", "0"}).file);
  EXPECT_EQ(Parsed({"--run", "s.txt"}).file, "s.txt");
  EXPECT_EQ(Parsed({"--open", "s.txt"}).mode, ProgramMode::kOpen);
  EXPECT_EQ(Parsed({"-"}).file, "-");
  EXPECT_EQ(Parsed({"--", "-odd.txt"}).file, "-odd.txt");
  EXPECT_EQ(Parsed({"--run", "--", "-odd.txt", "--x", "0"}).file, "-odd.txt");
}

TEST(ParseHeadlessOptionsTest, EveryOptionTakesItsValue) {
  const HeadlessOptions options = Parsed({"--run",         "--set",
                                          "0=100,100,300", "--set=5=1,1,2",
                                          "--save",        "s.txt",
                                          "--chart",       "c.PNG",
                                          "--x",           "16",
                                          "--metric",      "maxwait",
                                          "--formula",     "Average",
                                          "--value",       "12=1E-05",
                                          "--scale",       "0.001",
                                          "--title",       "Seeks",
                                          "--exclude",     "fcfs,C-SCAN,clook"});
  using Field = std::pair<int, std::string>;
  EXPECT_EQ(options.fields, (std::vector<Field>{{0, "100,100,300"}, {5, "1,1,2"}}));
  EXPECT_EQ(options.save, "s.txt");
  EXPECT_EQ(options.chart, "c.PNG");
  EXPECT_EQ(options.view.x_axis, 16);
  EXPECT_EQ(options.view.metric, Metric::kMaximumWaitingTime);
  EXPECT_EQ(options.view.formula, 1);
  EXPECT_EQ(options.view.values, (std::vector<Field>{{12, "1E-05"}}));
  EXPECT_EQ(options.view.scale, "0.001");
  EXPECT_EQ(options.view.title, "Seeks");
  EXPECT_EQ(options.view.exclude, (std::vector<std::string>{"FCFS", "C-SCAN", "C-LOOK"}));
  EXPECT_EQ(Parsed({"--run", "--exclude", ""}).view.exclude, std::vector<std::string>{});
}

TEST(ParseHeadlessOptionsTest, RefusesWhatItDoesNotUnderstand) {
  const std::vector<std::vector<std::string>> refused = {
      {"--open"},
      {"-x", "s.txt"},
      {"a.txt", "b.txt"},
      {"--save", "s.txt"},
      {"s.txt", "--x", "0"},
      {"--run", "--frobnicate"},
      {"--run", "--x"},
      {"--run", "--x", "17"},
      {"--run", "--x", "1.5"},
      {"--run", "--set", "16=5"},
      {"--run", "--set", "0"},
      {"--run", "--value", "x=5"},
      {"--run", "--metric", "speed"},
      {"--run", "--formula", "median"},
      {"--run", "--chart", "c.bmp"},
      {"--run", "--chart", "chart"},
      {"--run", "--exclude", "FCFS,ELEVATOR"},
      {"--run", "--save", ""},
  };
  for (const auto& arguments : refused) {
    const auto parsed = ParseHeadlessOptions(arguments);
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << arguments.back();
    EXPECT_NE(std::get<UsageError>(parsed).message.find("Trakvist --help"), std::string::npos);
  }
}

TEST(ParseHeadlessOptionsTest, PlansAndTheirCollection) {
  const HeadlessOptions plan =
      Parsed({"--run", "s.txt", "--set", "0=1,1,20", "--plan", "p", "--engine", "/x/schedule"});
  EXPECT_EQ(plan.mode, ProgramMode::kRun);
  EXPECT_EQ(plan.plan, "p");
  EXPECT_EQ(plan.engine, "/x/schedule");
  const HeadlessOptions collect = Parsed({"--collect", "p", "--save", "c.txt", "--metric", "wait"});
  EXPECT_EQ(collect.mode, ProgramMode::kCollect);
  EXPECT_EQ(collect.plan, "p");
  EXPECT_FALSE(collect.file);
  EXPECT_EQ(collect.save, "c.txt");
  EXPECT_EQ(Parsed({"--collect", "--", "-p"}).plan, "-p");
  const std::vector<std::vector<std::string>> refused = {
      {"--collect"},
      {"--collect", "--save", "c.txt"},
      {"--collect", "p", "q"},
      {"--collect", "p", "--plan", "q"},
      {"--collect", "p", "--engine", "e"},
      {"--open", "s.txt", "--plan", "p"},
      {"--run", "--engine", "e"},
      {"--run", "--plan", ""},
      {"--run", "--plan", "p", "--engine", ""},
      {"--run", "--plan", "p", "--engine", "a\nb"},
      {"--run", "--plan", "p", "--save", "s.txt"},
      {"--run", "--plan", "p", "--chart", "c.png"},
      {"--run", "--plan", "p", "--x", "0"},
  };
  for (const auto& arguments : refused) {
    const auto parsed = ParseHeadlessOptions(arguments);
    EXPECT_TRUE(std::holds_alternative<UsageError>(parsed)) << arguments.back();
  }
}

TEST(ParseHeadlessOptionsTest, TraceImportAndItsOptions) {
  const HeadlessOptions options =
      Parsed({"--import-trace", "t.csv", "--out", "r.txt", "--format", "SPC", "--tu", "1E-04",
              "--ops", "w", "--device", "2", "--limit", "1000", "--event", "d", "--set", "10=5000"});
  EXPECT_EQ(options.mode, ProgramMode::kImportTrace);
  EXPECT_EQ(options.trace, "t.csv");
  EXPECT_EQ(options.trace_out, "r.txt");
  EXPECT_EQ(options.trace_options.format, TraceFormat::kSpc);
  EXPECT_EQ(options.trace_tu, 1E-04);
  EXPECT_EQ(options.trace_options.operations, TraceOperations::kWrites);
  EXPECT_EQ(options.trace_options.device, "2");
  EXPECT_EQ(options.trace_options.limit, 1000);
  EXPECT_EQ(options.trace_options.blkparse_event, 'D');
  const std::vector<std::vector<std::string>> refused = {
      {"--import-trace"},
      {"--import-trace", "--out", "r.txt"},
      {"--import-trace", "t.csv"},
      {"--import-trace", "t.csv", "--out", "r.txt", "--format", "csv"},
      {"--import-trace", "t.csv", "--out", "r.txt", "--tu", "0"},
      {"--import-trace", "t.csv", "--out", "r.txt", "--ops", "x"},
      {"--import-trace", "t.csv", "--out", "r.txt", "--limit", "0"},
      {"--import-trace", "t.csv", "--out", "r.txt", "--event", "C"},
      {"--import-trace", "t.csv", "--out", "r.txt", "--save", "s.txt"},
      {"--import-trace", "t.csv", "--out", "r.txt", "--export", "e.csv"},
      {"--run", "--out", "r.txt"},
      {"--run", "--ops", "r"},
  };
  for (const auto& arguments : refused) {
    EXPECT_TRUE(std::holds_alternative<UsageError>(ParseHeadlessOptions(arguments)))
        << arguments.back();
  }
}

// --jobs takes the spinner's range; unset, "Parallel runs" keeps its start
// value.
TEST(ParseHeadlessOptionsTest, JobsAreAWholeNumberWithinTheSpinnersRange) {
  EXPECT_EQ(Parsed({"--run", "--jobs", "1"}).jobs, 1);
  EXPECT_EQ(Parsed({"--run", "--jobs=64"}).jobs, 64);
  EXPECT_FALSE(Parsed({"--run"}).jobs);
  for (const char* value : {"0", "-2", "65", "2.5", "two", "", "3x", "99999999999"}) {
    const auto parsed = ParseHeadlessOptions({"--run", "--jobs", value});
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << value;
    EXPECT_NE(std::get<UsageError>(parsed).message.find("from 1 to 64"), std::string::npos);
  }
  MainState state = StartMainState({});
  const int cores = state.panel.parallel_runs;
  EXPECT_GE(cores, 1);
  ApplyFieldOptions(&state, Parsed({"--run"}));
  EXPECT_EQ(state.panel.parallel_runs, cores);
  ApplyFieldOptions(&state, Parsed({"--run", "--jobs", "3"}));
  EXPECT_EQ(state.panel.parallel_runs, 3);
}

TEST(ChartFormatOfTest, GoesByTheExtension) {
  EXPECT_EQ(ChartFormatOf("a/b.png"), ChartFormat::kPng);
  EXPECT_EQ(ChartFormatOf("b.Pdf"), ChartFormat::kPdf);
  EXPECT_EQ(ChartFormatOf("b.svg"), ChartFormat::kSvg);
  EXPECT_EQ(ChartFormatOf("dir.png/chart"), std::nullopt);
}

// A state with `runs` numbered runs of field 0 = 100,100,300 stored and
// shown, field 9 swept over `seek_times` too.
MainState StoredRuns(int runs = 3, const char* seek_times = "1") {
  MainState state = StartMainState({});
  SweepEnd end;
  end.kind = SweepEndKind::kCompleted;
  std::array<std::string, kParameterCount> texts;
  for (int k = 0; k < kParameterCount; ++k) texts[k] = state.panel.cparam[k].text;
  texts[0] = "100,100,300";
  texts[9] = seek_times;
  end.result_ranges = FillSweepRanges(texts, RequestSource::kDistribution, false);
  end.results = NumberedResults(runs);
  FinishSweep(&state, end);
  return state;
}

MainState ThreeRuns() { return StoredRuns(); }

TEST(ApplyViewOptionsTest, DefaultsToTheSweptParameterAsSeries) {
  MainState state = ThreeRuns();
  EXPECT_EQ(DefaultXAxis(state.store), 0);
  EXPECT_EQ(ApplyViewOptions(&state, {}), "");
  EXPECT_EQ(state.charts.x_axis.x_axis_parameter, 0);
  EXPECT_EQ(state.charts.chart.title, "Total Seek Time");
  const std::string& text = state.charts.ResultsText;
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "\tSSTF\tSCAN\tC-SCAN\tLOOK\tC-LOOK\tS-LOOK\tBO-PATH\tSATF");
  EXPECT_NE(text.find("\r\n 300\t 302\t 303"), std::string::npos);
}

TEST(ApplyViewOptionsTest, ChoicesFollowTheTabsRules) {
  MainState state = ThreeRuns();
  ViewOptions view;
  view.x_axis = 16;
  view.metric = Metric::kAverageWaitingTime;
  view.values = {{0, "200"}};
  view.exclude = std::vector<std::string>{"SSTF"};
  view.scale = "2";
  EXPECT_EQ(ApplyViewOptions(&state, view), "");
  // One line per algorithm, of run 2, doubled; FCFS is back, SSTF is out.
  EXPECT_EQ(state.charts.ResultsText.substr(0, 18), "FCFS\t42\r\nSCAN\t46\r\n");

  view.values = {{0, "250"}};
  EXPECT_NE(ApplyViewOptions(&state, view).find("100, 200, 300"), std::string::npos);
}

// A second swept parameter is held at its chosen value: the title names
// it and a note says how to see the others.
TEST(ApplyViewOptionsTest, NamesTheValuesOtherSweptParametersAreHeldAt) {
  MainState state = StoredRuns(9, "1,1,3");
  std::vector<std::string> notes;
  ViewOptions view;
  view.values = {{9, "2"}};
  EXPECT_EQ(ApplyViewOptions(&state, view, &notes), "");
  EXPECT_EQ(state.charts.chart.title, "Total Seek Time,  Cylinder Seek Time=2");
  EXPECT_EQ(notes, std::vector<std::string>{
                       "the table and chart show Cylinder Seek Time=2, one of its 3 stored values "
                       "(1 to 3); choose another with --value 9=VALUE"});
}

// Script text is taken as it stands or refused; nothing is dropped from it.
TEST(ApplyFieldOptionsTest, RefusesTextTheFieldWouldChange) {
  const struct {
    const char* set;
    const char* problem;  // empty: taken
  } kCases[] = {
      {"0=abc", "--set 0=abc: Total Number of Requests takes a whole number that is not negative"},
      {"0=100,300", "--set 0=100,300: Total Number of Requests takes"},
      {"9=1.5", "--set 9=1.5: Cylinder Seek Time (TU) takes a whole number"},
      {"4=-3", ""},
      {"12=1E-05", ""},
      {"0=100, 100, 300", ""},
      {"0=", "--set 0=: Total Number of Requests takes"},
  };
  for (const auto& c : kCases) {
    MainState state = StartMainState({});
    const std::string before = state.panel.cparam[0].text;
    const std::string problem = ApplyFieldOptions(&state, Parsed({"--run", "--set", c.set}));
    EXPECT_EQ(problem.substr(0, std::strlen(c.problem)), c.problem) << c.set;
    if (*c.problem != '\0') {
      EXPECT_EQ(state.panel.cparam[0].text, before) << c.set;
    }
  }
  MainState state = StartMainState({});
  std::vector<std::string> notes;
  EXPECT_EQ(ApplyFieldOptions(&state, Parsed({"--run", "--set", "0=300,0,100"}), &notes), "");
  EXPECT_EQ(notes, std::vector<std::string>{
                       "--set 0=300,0,100: a step of 0 is read as -1, giving 300,-1,100"});
}

TEST(ApplyViewOptionsTest, AFormulaCombinesTheRange) {
  MainState state = ThreeRuns();
  ViewOptions view;
  view.formula = 3;  // maximum
  EXPECT_EQ(ApplyViewOptions(&state, view), "");
  EXPECT_EQ(state.charts.ResultsText.substr(0, 10), "SSTF\t302\r\n");
  view.x_axis = kNoXAxisVariable;
  EXPECT_NE(ApplyViewOptions(&state, view), "");
}

}  // namespace
}  // namespace trakvist
