#include "frontend/model/headless/headless_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/chart/x_axis.h"
#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/parallel_runs.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/results/results_store.h"

namespace trakvist {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// An option starts with a dash; a lone "-" names a file.
bool IsOption(std::string_view argument) { return argument.size() > 1 && argument[0] == '-'; }

std::optional<int> WholeNumber(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

// "N=TEXT" with N a parameter index.
std::optional<std::pair<int, std::string>> IndexedText(std::string_view text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::optional<int> index = WholeNumber(text.substr(0, equals), 0, kParameterCount - 1);
  if (!index) return std::nullopt;
  return std::pair{*index, std::string(text.substr(equals + 1))};
}

// An algorithm's full name ("C-SCAN") or short name ("CSCAN"), any case.
std::optional<std::string> AlgorithmName(std::string_view text) {
  const std::string wanted = Lower(text);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    const std::string_view name = ResultsStore::AlgorithmNames(a);
    if (Lower(name) == wanted || Lower(ShortAlgorithmName(a)) == wanted) return std::string(name);
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> AlgorithmNames(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t comma = std::min(text.find(','), text.size());
    if (comma > 0) {
      const std::optional<std::string> name = AlgorithmName(text.substr(0, comma));
      if (!name) return std::nullopt;
      names.push_back(*name);
    }
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
  return names;
}

template <typename Value, std::size_t N>
std::optional<Value> Keyword(std::string_view text,
                             const std::array<std::pair<std::string_view, Value>, N>& words) {
  const std::string wanted = Lower(text);
  for (const auto& [word, value] : words) {
    if (word == wanted) return value;
  }
  return std::nullopt;
}

constexpr std::array<std::pair<std::string_view, Metric>, kMetricCount> kMetricWords = {{
    {"seek", Metric::kTotalSeekTime},
    {"wait", Metric::kAverageWaitingTime},
    {"maxwait", Metric::kMaximumWaitingTime},
    {"p50", Metric::kMedianWaitingTime},
    {"p90", Metric::kP90WaitingTime},
    {"p95", Metric::kP95WaitingTime},
    {"p99", Metric::kP99WaitingTime},
    {"sd", Metric::kWaitingTimeStdDev},
}};

constexpr std::array<std::pair<std::string_view, bool>, 2> kDirectionWords = {{
    {"up", false},
    {"down", true},
}};

constexpr std::array<std::pair<std::string_view, int>, 4> kFormulaWords = {{
    {"none", 0},
    {"average", 1},
    {"minimum", 2},
    {"maximum", 3},
}};

// Reads one option's value into `options`; false when the value is not
// one the option takes.
using ValueReader = std::function<bool(std::string_view value, HeadlessOptions* options)>;

// The options of `--import-trace`, taken in that mode only.
const std::map<std::string, ValueReader, std::less<>>& TraceValueReaders() {
  const auto trace_option = [](auto read) {
    return [read](std::string_view value, HeadlessOptions* options) {
      return options->mode == ProgramMode::kImportTrace && read(value, options);
    };
  };
  static const std::map<std::string, ValueReader, std::less<>> readers = {
      {"--out", trace_option([](std::string_view value, HeadlessOptions* options) {
         options->trace_out = std::string(value);
         return !value.empty();
       })},
      {"--format", trace_option([](std::string_view value, HeadlessOptions* options) {
         options->trace_options.format = TraceFormatNamed(value);
         return options->trace_options.format.has_value();
       })},
      {"--tu", trace_option([](std::string_view value, HeadlessOptions* options) {
         options->trace_tu = FullNumber(value);
         return options->trace_tu && *options->trace_tu > 0;
       })},
      {"--ops", trace_option([](std::string_view value, HeadlessOptions* options) {
         const std::optional<TraceOperations> operations = TraceOperationsNamed(Lower(value));
         if (operations) options->trace_options.operations = *operations;
         return operations.has_value();
       })},
      {"--device", trace_option([](std::string_view value, HeadlessOptions* options) {
         options->trace_options.device = std::string(value);
         return !value.empty();
       })},
      {"--limit", trace_option([](std::string_view value, HeadlessOptions* options) {
         const std::optional<int> limit = WholeNumber(value, 1, 2147483647);
         if (limit) options->trace_options.limit = *limit;
         return limit.has_value();
       })},
      {"--event", trace_option([](std::string_view value, HeadlessOptions* options) {
         options->trace_options.blkparse_event =
             value.size() == 1 ? static_cast<char>(std::toupper(value[0])) : '\0';
         return options->trace_options.blkparse_event == 'Q' ||
                options->trace_options.blkparse_event == 'D';
       })},
  };
  return readers;
}

const std::map<std::string, ValueReader, std::less<>>& ValueReaders() {
  static const std::map<std::string, ValueReader, std::less<>> readers = {
      {"--set",
       [](std::string_view value, HeadlessOptions* options) {
         const auto field = IndexedText(value);
         if (field) options->fields.push_back(*field);
         return field.has_value();
       }},
      {"--save",
       [](std::string_view value, HeadlessOptions* options) {
         options->save = std::string(value);
         return !value.empty();
       }},
      {"--chart",
       [](std::string_view value, HeadlessOptions* options) {
         options->chart = std::string(value);
         return ChartFormatOf(value).has_value();
       }},
      {"--path",
       [](std::string_view value, HeadlessOptions* options) {
         options->path = std::string(value);
         return ChartFormatOf(value).has_value();
       }},
      {"--requests",
       [](std::string_view value, HeadlessOptions* options) {
         options->requests = std::string(value);
         return !value.empty();
       }},
      {"--replications",
       [](std::string_view value, HeadlessOptions* options) {
         options->replications = WholeNumber(value, kMinReplications, kMaxReplications);
         return options->replications.has_value();
       }},
      {"--export",
       [](std::string_view value, HeadlessOptions* options) {
         options->export_csv = std::string(value);
         return !value.empty();
       }},
      {"--jobs",
       [](std::string_view value, HeadlessOptions* options) {
         options->jobs = WholeNumber(value, kMinParallelRuns, kMaxParallelRuns);
         return options->jobs.has_value();
       }},
      {"--direction",
       [](std::string_view value, HeadlessOptions* options) {
         options->head_down = Keyword(value, kDirectionWords);
         return options->head_down.has_value();
       }},
      {"--x",
       [](std::string_view value, HeadlessOptions* options) {
         options->view.x_axis = WholeNumber(value, 0, kNoXAxisVariable);
         return options->view.x_axis.has_value();
       }},
      {"--metric",
       [](std::string_view value, HeadlessOptions* options) {
         options->view.metric = Keyword(value, kMetricWords);
         return options->view.metric.has_value();
       }},
      {"--formula",
       [](std::string_view value, HeadlessOptions* options) {
         options->view.formula = Keyword(value, kFormulaWords);
         return options->view.formula.has_value();
       }},
      {"--value",
       [](std::string_view value, HeadlessOptions* options) {
         const auto choice = IndexedText(value);
         if (choice) options->view.values.push_back(*choice);
         return choice.has_value();
       }},
      {"--scale",
       [](std::string_view value, HeadlessOptions* options) {
         options->view.scale = std::string(value);
         return true;
       }},
      {"--title",
       [](std::string_view value, HeadlessOptions* options) {
         options->view.title = std::string(value);
         return true;
       }},
      {"--exclude",
       [](std::string_view value, HeadlessOptions* options) {
         options->view.exclude = AlgorithmNames(value);
         return options->view.exclude.has_value();
       }},
      {"--plan",
       [](std::string_view value, HeadlessOptions* options) {
         options->plan = std::string(value);
         return options->mode == ProgramMode::kRun && !value.empty();
       }},
      {"--engine",
       [](std::string_view value, HeadlessOptions* options) {
         options->engine = std::string(value);
         // A line break would split the run's line in runs.txt.
         return !value.empty() && value.find_first_of("\r\n") == std::string_view::npos;
       }},
  };
  return readers;
}

const ValueReader* FindValueReader(std::string_view option) {
  for (const auto* readers : {&ValueReaders(), &TraceValueReaders()}) {
    if (const auto found = readers->find(option); found != readers->end()) return &found->second;
  }
  return nullptr;
}

std::string ValueHint(std::string_view option) {
  static const std::map<std::string, std::string, std::less<>> hints = {
      {"--set", "N=TEXT with N from 0 to 15"},
      {"--save", "a file name"},
      {"--chart", "a file name ending in .png, .pdf or .svg"},
      {"--path", "a file name ending in .png, .pdf or .svg"},
      {"--requests", "a file name"},
      {"--jobs", "a whole number from 1 to " + std::to_string(kMaxParallelRuns)},
      {"--replications", "a whole number from 1 to " + std::to_string(kMaxReplications)},
      {"--export", "a file name"},
      {"--direction", "up or down"},
      {"--x", "a parameter from 0 to 15, or 16 for none"},
      {"--metric", "seek, wait, maxwait, p50, p90, p95, p99 or sd"},
      {"--formula", "none, average, minimum or maximum"},
      {"--value", "N=TEXT with N from 0 to 15"},
      {"--scale", "a number"},
      {"--title", "a text"},
      {"--exclude", "algorithm names separated by commas, such as FCFS,SCAN"},
      {"--plan", "a folder name, after --run only"},
      {"--engine", "a path on one line"},
      {"--out", "a file name, after --import-trace only"},
      {"--format", "blkparse, msr, spc or plain, after --import-trace only"},
      {"--tu", "seconds per TU above 0, after --import-trace only"},
      {"--ops", "r, w or rw, after --import-trace only"},
      {"--device", "a device name, after --import-trace only"},
      {"--limit", "a whole number from 1 to 2147483647, after --import-trace only"},
      {"--event", "Q or D, after --import-trace only"},
  };
  const auto found = hints.find(option);
  return found == hints.end() ? std::string() : found->second;
}

UsageError Usage(std::string message) {
  return UsageError{std::move(message) + " (see Trakvist --help)"};
}

// `--collect DIR`, "--" letting a folder whose name starts with a dash be
// named.
std::optional<UsageError> ReadCollectFolder(const std::vector<std::string>& arguments,
                                            std::size_t* next, HeadlessOptions* options) {
  options->mode = ProgramMode::kCollect;
  const std::size_t at = arguments.size() > 2 && arguments[1] == "--" ? 2 : 1;
  if (at >= arguments.size() || (at == 1 && IsOption(arguments[1]))) {
    return Usage("--collect needs the plan folder to collect");
  }
  options->plan = arguments[at];
  *next = at + 1;
  return std::nullopt;
}

bool HasViewOptions(const ViewOptions& view) {
  return view.x_axis || view.metric || view.formula || !view.values.empty() || view.scale ||
         view.title || view.exclude;
}

// Options that are understood one by one but not together.
std::optional<UsageError> CheckPlanOptions(const HeadlessOptions& options) {
  const bool planning = options.mode == ProgramMode::kRun && options.plan;
  if (options.engine && !planning) return Usage("--engine goes with --plan");
  if (options.path && (options.plan || options.mode != ProgramMode::kRun)) {
    return Usage("--path goes alone or after --run, without --plan");
  }
  if (options.path && (options.save || options.chart)) {
    return Usage(
        "--path runs one combination and saves nothing else: --save and --chart go with a sweep");
  }
  if (planning && (options.save || options.chart || options.export_csv ||
                   HasViewOptions(options.view))) {
    return Usage(
        "--plan runs nothing: --save, --chart, --export and the view options go with --collect");
  }
  if (options.path && options.export_csv) {
    return Usage("--path runs one combination: --export goes with a sweep");
  }
  if (options.mode != ProgramMode::kRun && (options.percentiles || options.replications)) {
    return Usage("--percentiles and --replications go with --run");
  }
  return std::nullopt;
}

// The mode and file that the first arguments give; `next` is left at the
// first option after them.
std::optional<UsageError> ReadMode(const std::vector<std::string>& arguments, std::size_t* next,
                                   HeadlessOptions* options) {
  const std::string& first = arguments[0];
  *next = 1;
  if (first == "--help" || first == "-h") {
    options->mode = ProgramMode::kHelp;
    return std::nullopt;
  }
  if (first == "--" || !IsOption(first)) {
    // "--" lets a file whose name starts with a dash be named.
    const std::size_t at = first == "--" ? 1 : 0;
    if (at < arguments.size()) options->file = arguments[at];
    if (arguments.size() > at + 1) {
      return Usage(IsOption(arguments[at + 1])
                       ? "options need --run or --open before them"
                       : "only one file can be opened, not also " + arguments[at + 1]);
    }
    *next = arguments.size();
    return std::nullopt;
  }
  if (first == "--collect") return ReadCollectFolder(arguments, next, options);
  if (first == "--import-trace") {
    options->mode = ProgramMode::kImportTrace;
    if (arguments.size() < 2 || IsOption(arguments[1])) {
      return Usage("--import-trace needs the trace to import");
    }
    options->trace = arguments[1];
    *next = 2;
    return std::nullopt;
  }
  if (first == "--path") {  // read with the other options
    options->mode = ProgramMode::kRun;
    *next = 0;
    return std::nullopt;
  }
  if (first != "--run" && first != "--open") {
    return Usage(first + " needs --run or --open before it");
  }
  options->mode = first == "--run" ? ProgramMode::kRun : ProgramMode::kOpen;
  const bool dashes = arguments.size() > 2 && arguments[1] == "--";
  if (dashes || (arguments.size() > 1 && !IsOption(arguments[1]))) {
    options->file = arguments[dashes ? 2 : 1];
    *next = dashes ? 3 : 2;
  }
  if (options->mode == ProgramMode::kOpen && !options->file) {
    return Usage("--open needs the simulation file to open");
  }
  return std::nullopt;
}

}  // namespace

std::variant<HeadlessOptions, UsageError> ParseHeadlessOptions(
    const std::vector<std::string>& arguments) {
  HeadlessOptions options;
  if (arguments.empty()) return options;
  std::size_t i = 0;
  if (std::optional<UsageError> error = ReadMode(arguments, &i, &options)) return *error;
  if (options.mode == ProgramMode::kHelp) return options;
  for (; i < arguments.size(); ++i) {
    std::string_view option = arguments[i];
    if (option == "--percentiles") {  // the one option without a value
      options.percentiles = true;
      continue;
    }
    std::string value;
    const std::size_t equals = option.find('=');
    const bool inline_value = IsOption(option) && equals != std::string_view::npos;
    if (inline_value) {
      value = std::string(option.substr(equals + 1));
      option = option.substr(0, equals);
    }
    const ValueReader* reader = FindValueReader(option);
    if (reader == nullptr) return Usage("unknown option " + std::string(option));
    if (!inline_value) {
      if (i + 1 >= arguments.size()) return Usage(std::string(option) + " needs a value");
      value = arguments[++i];
    }
    if (!(*reader)(value, &options)) {
      return Usage(std::string(option) + " takes " + ValueHint(option) + ", not \"" + value + "\"");
    }
  }
  if (std::optional<UsageError> error = CheckPlanOptions(options)) return *error;
  if (options.mode == ProgramMode::kImportTrace && !options.trace_out) {
    return Usage("--import-trace needs --out, the requests file to write");
  }
  if (options.mode == ProgramMode::kImportTrace &&
      (options.save || options.chart || options.export_csv || options.requests ||
       HasViewOptions(options.view))) {
    return Usage("--import-trace converts a trace only: it takes --set and its own options");
  }
  return options;
}

std::optional<ChartFormat> ChartFormatOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string extension = Lower(path.substr(dot));
  if (extension == ".png") return ChartFormat::kPng;
  if (extension == ".pdf") return ChartFormat::kPdf;
  if (extension == ".svg") return ChartFormat::kSvg;
  return std::nullopt;
}

std::string HeadlessUsage() {
  return R"(Usage:
  Trakvist                      start the window
  Trakvist FILE                 start the window and open the simulation file FILE
  Trakvist --run [FILE] [OPTIONS]
                                run a sweep without a window: on FILE's page when
                                given (as Open does with "Import Saved Simulation
                                Page" set), else on the start-up defaults
  Trakvist --open FILE [OPTIONS]
                                load FILE's results without a window; runs nothing
  Trakvist --run [FILE] [--set N=TEXT ...] --plan DIR [--engine PATH]
                                write the sweep into DIR as a plan to run elsewhere
                                (GNU Parallel, Slurm, ...); runs nothing
  Trakvist --collect DIR [OPTIONS]
                                check that every run of the plan in DIR wrote its
                                rows and load them as --open loads a file
  Trakvist --path OUT [OPTIONS]
  Trakvist --run [FILE] --path OUT [OPTIONS]
                                run one combination and draw the head's path of
                                every algorithm into OUT (.png, .pdf or .svg),
                                one panel each; no sweep. The combination is the
                                first value of each field, or --value's; the
                                panel titles go to standard output
  Trakvist --import-trace TRACE --out REQUESTS [--set N=TEXT ...] [TRACE OPTIONS]
                                convert a block trace into a requests file in LBA
                                mode for --requests (or the engine's -in:), for
                                the disk of the start-up page and --set; the
                                report goes to standard output
  Trakvist --help               print this text

Options (each but --percentiles takes a value, as "--x 0" or "--x=0"):
  --set N=TEXT      parameter field N (0 to 15) gets TEXT as if typed, after FILE;
                    repeatable. TEXT is a number the field takes as it stands,
                    or a range from,step,to of them: --set 0=100,100,300
  --direction D     up (the default) or down: the way the heads of SCAN, LOOK
                    and S-LOOK move first, as "Initial Head Direction" sets it
  --save OUT        write the simulation file, results included
  --chart OUT       render the chart into OUT: .png, .pdf or .svg
  --path OUT        draw the head's path of one combination into OUT: .png,
                    .pdf or .svg; with --value N=TEXT choosing the combination
                    and --exclude the algorithms left out
  --percentiles     every run also writes the median, 90th, 95th and 99th
                    percentile and the standard deviation of the waiting times:
                    five more metrics (--metric p50, p90, p95, p99, sd)
  --replications K  run each combination K times (1 to 1000) with the seeds
                    s, s+1, ..., s+K-1 from its seed s (K drawn seeds with
                    "Randomize By Timer"); every view shows the mean, the table
                    "mean +- h" with h the half-width of the 95 % confidence
                    interval, the chart error bars
  --export OUT      write the results as tidy CSV: a header row, then one row
                    per combination, replication and algorithm, values in TU
  --requests FILE   Manual Request Entry with the requests file FILE, as its
                    import button chooses it (the file's syntax: ReadMe.txt)
  --jobs K          run up to K simulations at once (1 to 64; default: the number
                    of processor cores); the results are the same for every K
  --x N             the X-axis parameter (0 to 15, or 16 for none); default: the
                    first parameter with more than one stored value, else 16
  --metric M        seek (total seek time, the default), wait (average waiting
                    time), maxwait (maximum waiting time), or with percentiles
                    p50, p90, p95, p99 (waiting-time percentiles) or sd
  --formula F       none (the default), average, minimum or maximum over the X axis
  --value N=TEXT    the value of parameter N the other points are taken at;
                    default: the first value of its range (a note on standard
                    error names each swept parameter held at one value)
  --scale TEXT      the Y scale: Y-axis units per time unit (default 1)
  --title TEXT      the chart's title (default: the metric's name)
  --exclude NAMES   algorithms left out, separated by commas (default FCFS);
                    an empty list leaves none out
  --plan DIR        with --run: write the plan into DIR, a new or empty folder:
                    runs.txt (one engine command line per run), run-one.sh,
                    slurm.sbatch, sweep.txt and rows/ for the runs' results
  --engine PATH     with --plan: the engine every run starts, as the machines
                    that run it reach it; default: the selected simulator's
                    absolute path

Trace options (with --import-trace):
  --out FILE        the requests file to write (required)
  --format F        blkparse, msr, spc or plain; default: found from the content
  --tu SECONDS      seconds per TU; default: field 12
  --ops OPS         r, w or rw (the default): the operations kept
  --device NAME     the device kept ("8,0", "hm_1", an ASU); default: the first
  --limit N         stop after N requests kept
  --event E         blkparse arrivals: Q (queued, the default) or D (issued)

Parameters: 0 Total Number of Requests, 1 Randomization Seed, 2 Request Arrival
Rate (b/sec) or Maximum Requests Per Time Unit, 3 Request Arival Probability %,
4 S-LOOK Waisted Time Constant, 5 S-LOOK Waisted Time Factor, 6 BO-PATH Waisted
Time Threshold, 7 BO-PATH Maximum A* Depth, 8 Block Time (TU), 9 Cylinder Seek
Time (TU), 10 Total Number of Cylinders, 11 Initial Head Position, 12 Number of
Seconds Per Time Unit, 13 Blocks Per Track, 14 Settle Time (TU), 15 Number of Heads.

Standard output: the results as the Copy button puts them on the clipboard, one
line per X value (or per algorithm), tab-separated. Standard error: the progress
of the sweep and every message the window would show, as "Trakvist: TEXT".

Exit status: 0 on success, 1 when an operation fails (a file that cannot be
read or is not in the proper format, no simulator, a failed run, runs of a plan
without their results), 2 for a command line that is not understood. When
--collect finds runs without their results it names them and prints them on
standard output as one list, as 3,7,10-12, for run-one.sh --runs.
)";
}

}  // namespace trakvist
