#include "frontend/model/shell/window_status.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "frontend/model/panel/parameter_help.h"

namespace trakvist {
namespace {

std::string Runs(std::int64_t count) {
  return std::to_string(count) + (count == 1 ? " run" : " runs");
}

// The seconds still to go, or a negative value when they cannot be told yet.
double SecondsLeft(const SweepStanding& standing) {
  double done = standing.done_fraction;
  if (done <= 0 && standing.run_total > 0) {
    done = static_cast<double>(standing.runs_done) / static_cast<double>(standing.run_total);
  }
  if (done <= 0 || standing.elapsed_seconds < 1) return -1;
  return standing.elapsed_seconds * (1 - std::min(done, 1.0)) / done;
}

// Blanks and line breaks run together into single spaces, none at the ends.
std::string OneLine(std::string_view text) {
  std::string line;
  bool blank = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = !line.empty();
      continue;
    }
    if (blank) line += ' ';
    blank = false;
    line += c;
  }
  return line;
}

}  // namespace

std::string DurationText(double seconds) {
  if (!(seconds > 0)) seconds = 0;
  if (seconds < 9.95) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
  }
  const auto whole = static_cast<std::int64_t>(std::llround(std::min(seconds, 1e15)));
  if (whole < 60) return std::to_string(whole) + " s";
  if (whole < 3600) {
    return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
  }
  return std::to_string(whole / 3600) + " h " + std::to_string(whole % 3600 / 60) + " min";
}

std::string RunningStatusText(const SweepStanding& standing) {
  if (standing.run_total <= 0) return "Starting …";
  const std::int64_t current = std::min(standing.runs_done + 1, standing.run_total);
  std::string text =
      "Run " + std::to_string(current) + " of " + std::to_string(standing.run_total) + " …";
  const double left = SecondsLeft(standing);
  if (left >= 0) text += ", about " + DurationText(left) + " left";
  return text;
}

std::string SweepEndStatusText(SweepEndKind kind, const SweepStanding& standing,
                               std::string_view message) {
  switch (kind) {
    case SweepEndKind::kCompleted:
      return Runs(standing.runs_done) + " in " + DurationText(standing.elapsed_seconds);
    case SweepEndKind::kStopped:
      if (standing.runs_done == 0) {
        return "Stopped during run 1 of " + std::to_string(standing.run_total);
      }
      return "Stopped after run " + std::to_string(standing.runs_done) + " of " +
             std::to_string(standing.run_total);
    case SweepEndKind::kFailed:
      break;
  }
  const std::string line = OneLine(message);
  return line.empty() ? "The sweep failed" : line;
}

std::string StartToolTip(const MainState& state) {
  const std::string reason = StartBlockedReason(state);
  return reason.empty() ? std::string(kStartToolTip) : reason;
}

std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path) {
  std::erase(recent, path);
  recent.insert(recent.begin(), path);
  if (std::ssize(recent) > kMaxRecentFiles) recent.resize(kMaxRecentFiles);
  return recent;
}

}  // namespace trakvist
