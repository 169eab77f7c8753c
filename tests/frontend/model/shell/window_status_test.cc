#include "frontend/model/shell/window_status.h"

#include <gtest/gtest.h>

namespace trakvist {
namespace {

TEST(DurationTextTest, ReadsAsPeopleSayIt) {
  const struct {
    double seconds;
    const char* text;
  } cases[] = {
      {-3, "0.0 s"},   {0.04, "0.0 s"},     {0.4, "0.4 s"},        {9.94, "9.9 s"},
      {9.96, "10 s"},  {59.4, "59 s"},      {125, "2 min 5 s"},    {3599, "59 min 59 s"},
      {3780, "1 h 3 min"},
  };
  for (const auto& c : cases) EXPECT_EQ(DurationText(c.seconds), c.text) << c.seconds;
}

TEST(RunningStatusTextTest, TellsTheRunAndTheTimeLeft) {
  const struct {
    SweepStanding standing;
    const char* text;
  } cases[] = {
      {{0, 0, 0, 0}, "Starting …"},
      {{0, 12, 0.5, 0}, "Run 1 of 12 …"},  // too early to tell the time left
      {{2, 12, 4, 0.25}, "Run 3 of 12 …, about 12 s left"},
      {{3, 12, 6, 0}, "Run 4 of 12 …, about 18 s left"},  // no progress reports: by runs
      {{12, 12, 6, 1}, "Run 12 of 12 …, about 0.0 s left"},
  };
  for (const auto& c : cases) EXPECT_EQ(RunningStatusText(c.standing), c.text) << c.text;
}

TEST(SweepEndStatusTextTest, TellsHowTheSweepEnded) {
  const struct {
    SweepEndKind kind;
    SweepStanding standing;
    const char* message;
    const char* text;
  } cases[] = {
      {SweepEndKind::kCompleted, {12, 12, 0.4, 1}, "", "12 runs in 0.4 s"},
      {SweepEndKind::kCompleted, {1, 1, 75, 1}, "", "1 run in 1 min 15 s"},
      {SweepEndKind::kStopped, {5, 12, 3, 0.4}, "", "Stopped after run 5 of 12"},
      {SweepEndKind::kStopped, {0, 12, 3, 0.01}, "", "Stopped during run 1 of 12"},
      {SweepEndKind::kFailed, {2, 12, 1, 0.1}, "  The engine\r\nended  early.\n", "The engine ended early."},
      {SweepEndKind::kFailed, {}, "", "The sweep failed"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SweepEndStatusText(c.kind, c.standing, c.message), c.text) << c.text;
  }
}

TEST(WithRecentFileTest, PutsThePathFirstOnceAndKeepsTheNewest) {
  std::vector<std::string> recent = {"a", "b", "c"};
  EXPECT_EQ(WithRecentFile(recent, "b"), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(WithRecentFile(recent, "d"), (std::vector<std::string>{"d", "a", "b", "c"}));
  for (int i = 0; i < 20; ++i) recent = WithRecentFile(recent, std::to_string(i));
  ASSERT_EQ(std::ssize(recent), kMaxRecentFiles);
  EXPECT_EQ(recent.front(), "19");
  EXPECT_EQ(recent.back(), "12");
}

}  // namespace
}  // namespace trakvist
