#include "frontend/ui/headless/headless_run.h"

#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "frontend/model/common/number_text.h"
#include "frontend/model/common/utilities.h"
#include "frontend/model/headless/headless_view.h"
#include "frontend/model/results/tidy_export.h"
#include "frontend/model/plans/plan_collect.h"
#include "frontend/model/plans/run_plan.h"
#include "frontend/model/requests/manual_requests.h"
#include "frontend/model/runs/sweep.h"
#include "frontend/model/shell/main_actions.h"
#include "frontend/model/traces/trace_disk.h"
#include "frontend/ui/charts/chart_export.h"
#include "frontend/ui/head_path/head_path_renderer.h"
#include "frontend/ui/head_path/path_runner.h"
#include "frontend/ui/headless/plan_folder.h"
#include "frontend/ui/main_window/platform_services.h"

namespace trakvist {
namespace {

constexpr int kBarWidth = 30;
constexpr int kRedrawMilliseconds = 200;

std::string Duration(double seconds) {
  const long whole = static_cast<long>(std::max(0.0, seconds) + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
  return text;
}

// The progress of a sweep on the error stream: redrawn in place on a
// terminal, a plain line for every finished run otherwise.
class ProgressLine {
 public:
  ProgressLine(std::FILE* err, std::int64_t total_runs)
      : err_(err), terminal_(isatty(fileno(err)) != 0), total_runs_(total_runs) {
    clock_.start();
  }

  void Show(std::int32_t runs_done, const ProgressBarView& bar, bool final) {
    if (!terminal_ && runs_done == shown_runs_ && !final) return;
    shown_runs_ = runs_done;
    const double fraction =
        final ? 1.0
              : std::clamp(static_cast<double>(bar.value) / std::max(1, bar.maximum), 0.0, 1.0);
    const int filled = static_cast<int>(fraction * kBarWidth);
    const double elapsed = clock_.elapsed() / 1000.0;
    const std::string left =
        fraction > 0 ? Duration(elapsed * (1 - fraction) / fraction) + " left" : "estimating";
    std::fprintf(err_, "%s[%s%s] %d/%lld runs, %s%s", terminal_ ? "\r" : "",
                 std::string(filled, '#').c_str(), std::string(kBarWidth - filled, '.').c_str(),
                 runs_done, static_cast<long long>(total_runs_),
                 final ? ("took " + Duration(elapsed)).c_str() : left.c_str(),
                 terminal_ && !final ? "   " : "\n");
    std::fflush(err_);
  }

 private:
  std::FILE* err_;
  bool terminal_;
  std::int64_t total_runs_;
  std::int32_t shown_runs_ = -1;
  QElapsedTimer clock_;
};

class HeadlessSession {
 public:
  HeadlessSession(const HeadlessOptions& options, const std::string& program_folder, std::FILE* out,
                  std::FILE* err)
      : options_(options),
        out_(out),
        err_(err),
        platform_(program_folder),
        services_(platform_.services()),
        state_(StartStateFor(services_)) {}

  int Run() {
    if (options_.mode == ProgramMode::kCollect) {
      if (!LoadPlan(MakeAppFolder(AbsolutePath(*options_.plan)))) return kExitFailure;
    } else if (options_.file && !Load(AbsolutePath(*options_.file))) {
      return kExitFailure;
    }
    if (options_.requests && !ImportRequests(AbsolutePath(*options_.requests))) return kExitFailure;
    std::vector<std::string> notes;
    if (const std::string error = ApplyFieldOptions(&state_, options_, &notes); !error.empty()) {
      Message(error + " (see Trakvist --help)");
      return kExitUsage;
    }
    for (const std::string& note : notes) Message("note: " + note);
    if (options_.mode == ProgramMode::kImportTrace) return ConvertTraceFile();
    if (options_.path) return DrawPath(*options_.path);
    if (options_.mode == ProgramMode::kRun && options_.plan) return Plan();
    if (options_.mode == ProgramMode::kRun && !Sweep()) return kExitFailure;
    notes.clear();
    if (const std::string error = ApplyViewOptions(&state_, options_.view, &notes);
        !error.empty()) {
      Message(error);
      return kExitUsage;
    }
    for (const std::string& note : notes) Message("note: " + note);
    if (options_.save && !Save(*options_.save)) return kExitFailure;
    if (options_.chart && !DrawChart(*options_.chart)) return kExitFailure;
    if (options_.export_csv && !Export(*options_.export_csv)) return kExitFailure;
    const std::string& text = state_.charts.ResultsText;
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fflush(out_);
    return kExitSuccess;
  }

 private:
  void Message(const std::string& text) {
    if (!text.empty()) std::fprintf(err_, "Trakvist: %s\n", text.c_str());
  }

  bool Load(const std::string& path) {
    const OpenedSimulation opened =
        OpenSimulation(&state_, *services_.files, [&path] { return std::optional(path); });
    for (const std::string& message : opened.messages) Message(message);
    return opened.opened;
  }

  // `--run ... --plan DIR`.
  int Plan() {
    const PlanWritten plan = WritePlanFolder(&state_, services_.files, AbsolutePath(*options_.plan),
                                             options_.engine, NoOneToAsk());
    for (const std::string& message : plan.messages) Message(message);
    return plan.written ? kExitSuccess : kExitFailure;
  }

  // `--collect DIR`: opens the plan's sweep with the rows of its runs, or
  // names the runs without them and prints them as one list.
  bool LoadPlan(const std::string& folder) {
    const PlanCollection collection = CollectPlan(*services_.files, folder);
    if (collection.sim_file.empty()) {
      for (const std::string& message : CollectionMessages(collection)) Message(message);
      if (const std::string runs = RunsToRunAgain(collection); !runs.empty()) {
        std::fprintf(out_, "%s\n", runs.c_str());
      }
      return false;
    }
    const std::string path = folder + std::string(kPlanSweepFile);
    const MemoryFile file(path, collection.sim_file);
    const OpenedSimulation opened =
        OpenSimulation(&state_, file, [&path] { return std::optional(path); });
    for (const std::string& message : opened.messages) Message(message);
    Message(collection.note);
    return opened.opened;
  }

  AskYesNo NoOneToAsk() {
    return [this](std::string_view question) {
      Message(std::string(question) + " No: there is no one to ask without a window.");
      return false;
    };
  }

  bool Sweep() {
    if (const std::string reason = StartBlockedReason(state_); !reason.empty()) {
      Message(reason);
      return false;
    }
    RunMonitor monitor(services_.runner, services_.files);
    QEventLoop loop;
    std::optional<SweepEnd> end;
    const auto check = [&] {
      if (!end) end = monitor.TakeEnd();
      if (end) loop.quit();
    };
    services_.runner->SetReports(ReportsTo(&monitor, check));
    MainDialogs dialogs;
    dialogs.ask_yes_no = [this](std::string_view question) {
      Message(std::string(question) + " No: there is no one to ask without a window.");
      return false;
    };
    ProgressLine progress(err_, TotalRuns());
    QTimer elapsed;  // the window's one-second timer
    QObject::connect(&elapsed, &QTimer::timeout, [&] {
      monitor.OnTimerTick();
      check();
    });
    elapsed.start(1000);
    QTimer redraw;  // also retries a stop the engine could not take yet
    QObject::connect(&redraw, &QTimer::timeout, [&] {
      if (monitor.WantsRetryTick()) monitor.OnRetryTick();
      progress.Show(monitor.RunCount(), monitor.Progress(), false);
      check();
    });
    redraw.start(kRedrawMilliseconds);
    const int jobs = state_.panel.parallel_runs;
    monitor.Start(
        BeginSweep(&state_, services_.runner->LinkNumbersFor(jobs), services_.files, dialogs));
    check();
    if (!end) loop.exec();
    const bool completed = end->kind == SweepEndKind::kCompleted;
    if (completed) progress.Show(monitor.RunCount(), monitor.Progress(), true);
    Message(FinishSweep(&state_, std::move(*end)));
    return completed;
  }

  std::int64_t TotalRuns() const {
    std::array<std::string, kParameterCount> texts;
    for (int k = 0; k < kParameterCount; ++k) texts[k] = state_.panel.cparam[k].text;
    return CombinationCount(FillSweepRanges(texts, state_.panel.source, state_.panel.rtimer),
                            std::numeric_limits<std::int32_t>::max()) *
           state_.panel.replications;
  }

  // `--export OUT`.
  bool Export(const std::string& path) {
    const std::string message = ExportTidyCsv(state_.store, TidyExportSettingsOf(state_.panel),
                                              services_.files, AbsolutePath(path));
    Message(message);
    return message.empty();
  }

  bool Save(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    const SaveOutcome outcome = SaveSimulationAs(&state_, *services_.files,
                                                 [&absolute] { return std::optional(absolute); });
    Message(outcome.message);
    return outcome.status == SaveStatus::kSaved;
  }

  bool DrawChart(const std::string& path) {
    const std::string error = ExportChart(state_.charts.chart, path, *ChartFormatOf(path));
    Message(error);
    return error.empty();
  }

  // `--requests FILE`.
  bool ImportRequests(const std::string& path) {
    SelectRequestSource(&state_.panel, RequestSource::kManual);
    const std::optional<std::string> message =
        Import_Click(&state_.panel, &state_.manual, *services_.files, path);
    if (message) Message(*message);
    return !message;
  }

  // `--import-trace TRACE --out REQUESTS`: the report on standard output.
  int ConvertTraceFile() {
    TraceDisk disk = TraceDiskFor(state_.panel, state_.disks.current);
    if (options_.trace_tu) disk.seconds_per_tu = *options_.trace_tu;
    const TraceImport import = ImportTrace(*services_.files, AbsolutePath(*options_.trace), disk,
                                           options_.trace_options);
    if (import.read) {
      for (const std::string& line : TraceReportLines(import.report, disk)) {
        std::fprintf(out_, "%s\n", line.c_str());
      }
      std::fflush(out_);
    }
    if (!import.error.empty()) {
      Message(import.error);
      return kExitFailure;
    }
    const std::string out = AbsolutePath(*options_.trace_out);
    if (!services_.files->ReplaceFile(out, import.requests_file)) {
      Message("Can not write the requests file " + out + ".");
      return kExitFailure;
    }
    return kExitSuccess;
  }

  // `--path OUT`: the chosen combination run once and its head paths drawn.
  int DrawPath(const std::string& path) {
    if (const std::string error = ChoosePathView(); !error.empty()) {
      Message(error);
      return kExitUsage;
    }
    PathRunner runner;
    QEventLoop loop;
    QObject::connect(&runner, &PathRunner::Finished, &loop, &QEventLoop::quit);
    MainDialogs dialogs;
    dialogs.ask_yes_no = NoOneToAsk();
    runner.Start(&state_, services_.files, dialogs);
    if (runner.Running()) loop.exec();
    const PathRunOutcome& outcome = runner.Outcome();
    Message(outcome.message);
    if (!outcome.picture) return kExitFailure;
    HeadPathRenderer renderer(&*outcome.picture);
    const std::string error = ExportPicture(
        [&renderer](QPainter* painter, const QRectF& area) { renderer.Render(painter, area); },
        "Head Path", path, *ChartFormatOf(path));
    Message(error);
    if (!error.empty()) return kExitFailure;
    for (const PathPanel& panel : outcome.picture->panels) {
      std::fprintf(out_, "%s\n", panel.title.c_str());
    }
    std::fflush(out_);
    return kExitSuccess;
  }

  // The combination and algorithms of `--path`: chosen among stored results
  // as the view options choose them, else given by --value and --exclude
  // over the fields' first values.
  std::string ChoosePathView() {
    if (state_.store.RunCount() > 0) return ApplyViewOptions(&state_, options_.view);
    for (const auto& [parameter, text] : options_.view.values) {
      if (!FullNumber(text))
        return "--value " + std::to_string(parameter) + "=" + text + " is not a number";
      SetFieldText(&state_.panel, parameter, text);
    }
    if (options_.view.exclude) {
      state_.charts.exclusion.selected.fill(false);
      for (const std::string& name : *options_.view.exclude) {
        if (const int index = PathAlgorithmIndex(name); index > 0) {
          state_.charts.exclusion.selected[index - 1] = true;
        }
      }
    }
    return "";
  }

  const HeadlessOptions& options_;
  std::FILE* out_;
  std::FILE* err_;
  PlatformServices platform_;
  MainWindowServices services_;
  MainState state_;
};

}  // namespace

int RunHeadless(const HeadlessOptions& options, const std::string& program_folder, std::FILE* out,
                std::FILE* err) {
  HeadlessSession session(options, program_folder, out, err);
  return session.Run();
}

}  // namespace trakvist
