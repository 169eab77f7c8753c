#ifndef TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_OPTIONS_H_
#define TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "frontend/model/results/sweep_results.h"
#include "frontend/model/traces/trace_import.h"

namespace trakvist {

// Exit statuses of the program without a window.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // an operation failed
inline constexpr int kExitUsage = 2;    // the command line is not understood

// What the command line asks the program to do.
enum class ProgramMode {
  kWindow,   // the window, optionally opening a file
  kRun,      // `--run [FILE]`: a sweep without a window
  kOpen,     // `--open FILE`: load a file without a window, run nothing
  kCollect,  // `--collect DIR`: load the rows of a plan's runs as --open loads a file
  kImportTrace,  // `--import-trace TRACE --out REQUESTS`: convert a block trace
  kHelp,     // `--help`
};

// How the chart is viewed: the choices the "Charts" tab offers. Unset
// choices keep their start-up values, except the X-axis variable, which
// defaults to the first parameter with more than one stored value.
struct ViewOptions {
  std::optional<int> x_axis;  // 0..16
  std::optional<Metric> metric;
  std::optional<int> formula;  // position in the formula list
  // Chosen values of the value lists: parameter and value text.
  std::vector<std::pair<int, std::string>> values;
  std::optional<std::string> scale;  // the Y scale text
  // The chart's title; the selected metric's name when unset.
  std::optional<std::string> title;
  // Excluded algorithm names; FCFS alone when unset.
  std::optional<std::vector<std::string>> exclude;
};

struct HeadlessOptions {
  ProgramMode mode = ProgramMode::kWindow;
  std::optional<std::string> file;  // the simulation file to load
  // Parameter fields set as if typed, in order, after the file is loaded.
  std::vector<std::pair<int, std::string>> fields;
  std::optional<std::string> save;   // --save OUT
  std::optional<std::string> chart;  // --chart OUT
  // --requests FILE: Manual Request Entry with the requests file FILE, as
  // its import button gives it, before the fields are set.
  std::optional<std::string> requests;
  // --path OUT: the head's path of one combination drawn into OUT; no sweep.
  std::optional<std::string> path;
  // --jobs K: engines run at once ("Parallel runs"); unset: the window's
  // start value, the number of cores.
  std::optional<int> jobs;
  // --direction up|down: "Initial Head Direction" Down when true.
  std::optional<bool> head_down;
  ViewOptions view;
  // The plan folder: written by `--run ... --plan DIR`, read by `--collect DIR`.
  std::optional<std::string> plan;
  std::optional<std::string> engine;  // --engine PATH, with --plan
  // --percentiles: every run also writes its waiting-time statistics.
  bool percentiles = false;
  // --replications K: each combination runs K times (1 to 1000).
  std::optional<int> replications;
  // --export OUT: the results as tidy CSV, one row per run and algorithm.
  std::optional<std::string> export_csv;
  // `--import-trace TRACE`: the trace, the requests file to write (--out),
  // seconds per TU (--tu; else field 12) and what to keep.
  std::optional<std::string> trace;
  std::optional<std::string> trace_out;
  std::optional<double> trace_tu;
  TraceImportOptions trace_options;
};

// A command line that is not understood: what is wrong with it.
struct UsageError {
  std::string message;
};

// Reads the arguments after the program name. Any option other than a file
// name turns the window off, so `Trakvist FILE` alone starts the window on
// FILE while every other use runs without one.
std::variant<HeadlessOptions, UsageError> ParseHeadlessOptions(
    const std::vector<std::string>& arguments);

// The chart file formats, by the output name's extension (any case).
enum class ChartFormat { kPng, kPdf, kSvg };
std::optional<ChartFormat> ChartFormatOf(std::string_view path);

// The text `--help` prints.
std::string HeadlessUsage();

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_OPTIONS_H_
