// Saves a picture of every window at its default size, for a look at the
// layout: ui_screenshots [folder]. The windows work in a program folder of
// their own with the engine built here; the disk properties window shows the
// "Default" disk, one picture shows a sweep in progress, and the "Charts" tab
// shows the results of a real three-run sweep.
#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/replications.h"
#include "frontend/model/runs/run_monitor.h"
#include "frontend/model/runs/sweep.h"
#include "frontend/model/shell/main_actions.h"
#include "frontend/ui/chart_windows/chart_copy_window.h"
#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/charts/charts_controller.h"
#include "frontend/ui/common/up_down.h"
#include "frontend/ui/disk_properties/disk_properties_window.h"
#include "frontend/ui/head_path/head_path_tab.h"
#include "frontend/ui/head_path/path_runner.h"
#include "frontend/ui/main_window/about_box.h"
#include "frontend/ui/main_window/importing_window.h"
#include "frontend/ui/main_window/main_window.h"
#include "frontend/ui/simulation/trace_import_dialog.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {
namespace {

bool Save(QWidget* window, const QDir& folder, const QString& name) {
  QApplication::processEvents();
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  const bool saved = window->grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
  return saved;
}

// Waits, handling events, until `done` holds; false after a generous bound.
bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > kSoonMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// A long sweep, shown once its progress bar has moved, then stopped.
bool SaveDuringRun(MainWindow* window, const QDir& folder) {
  TypeOver(window->findChild<QLineEdit*>(QStringLiteral("Cparam_0")), QStringLiteral("20000"));
  TypeOver(window->findChild<QLineEdit*>(QStringLiteral("Cparam_1")), QStringLiteral("1,1,3"));
  window->findChild<QAbstractButton*>(QStringLiteral("Startb"))->click();
  auto* progress = window->findChild<QProgressBar*>(QStringLiteral("Progress1"));
  const bool moved = WaitFor([progress] { return progress->value() > 0; });
  const bool saved = moved && Save(window, folder, QStringLiteral("simulation_running"));
  window->findChild<QAbstractButton*>(QStringLiteral("Stopb"))->click();
  return WaitFor([window] { return window->state().panel.startb_enabled; }) && saved;
}

// What `schedule` wrote for the start-up parameters with "Total Number of
// Requests" 100, 200 and 300: per run, the nine algorithms' total seek,
// average wait and maximum wait.
constexpr double kSeek[3][kAlgorithmCount] = {
    {89843, 87079, 108411, 121611, 87735, 93911, 87735, 0, 0},
    {183691, 177715, 214527, 240855, 177945, 189845, 177945, 0, 0},
    {273111, 266771, 328518, 376837, 267001, 279693, 267361, 0, 0}};
constexpr double kAvgWait[3][kAlgorithmCount] = {
    {1377.77, 1252.34, 1840.44, 2133.61, 1269.37, 1531.37, 1269.37, 0, 0},
    {1536.92, 1380.75, 1860.74, 2426.24, 1363.84, 1616.73, 1363.84, 0, 0},
    {1427.97, 1317.79, 1783.81, 2342.85, 1300.8, 1482.14, 1302.93, 0, 0}};
constexpr double kMaxWait[3][kAlgorithmCount] = {{3589, 3453, 4695, 5463, 3453, 5352, 3453, 0, 0},
                                                 {3729, 4031, 5124, 6676, 4385, 5352, 4385, 0, 0},
                                                 {3729, 4031, 5124, 6676, 4385, 5352, 4385, 0, 0}};

// The start state after a completed sweep of "Total Number of Requests"
// over `requests`, with the results in `end`.
MainState StateAfter(const std::string& requests, SweepEnd end) {
  MainState state = StartMainState({});
  SetFieldText(&state.panel, 0, requests);
  std::array<std::string, kParameterCount> texts;
  for (int i = 0; i < kParameterCount; ++i) texts[i] = state.panel.cparam[i].text;
  end.kind = SweepEndKind::kCompleted;
  end.result_ranges = FillSweepRanges(texts, state.panel.source, state.panel.rtimer);
  end.result_distribution = static_cast<std::int16_t>(state.panel.dist_list);
  FinishSweep(&state, std::move(end));
  return state;
}

// The three base metrics of one algorithm in one run.
void SetBase(SweepResults* results, int algorithm, std::int32_t run, double seek, double wait,
             double max_wait) {
  results->Set(Metric::kTotalSeekTime, algorithm, run, seek);
  results->Set(Metric::kAverageWaitingTime, algorithm, run, wait);
  results->Set(Metric::kMaximumWaitingTime, algorithm, run, max_wait);
}

// The start state after that sweep has completed.
MainState StateAfterSweep() {
  SweepEnd end;
  end.results = SweepResults(3);
  for (int run = 1; run <= 3; ++run) {
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      SetBase(&end.results, a, run, kSeek[run - 1][a - 1], kAvgWait[run - 1][a - 1],
              kMaxWait[run - 1][a - 1]);
    }
  }
  return StateAfter("100,100,300", std::move(end));
}

// The start state after a sweep of "Total Number of Requests" over
// `count` values 100, 200, ..., with seek times growing with the load.
MainState StateAfterLongSweep(int count) {
  SweepEnd end;
  end.results = SweepResults(count);
  for (int run = 1; run <= count; ++run) {
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      const double seek = kSeek[0][a - 1] * run * (1 + 0.03 * ((run * a) % 5));
      SetBase(&end.results, a, run, seek, kAvgWait[0][a - 1], kMaxWait[0][a - 1]);
    }
  }
  return StateAfter("100,100," + std::to_string(100 * count), std::move(end));
}

// The start state after the same three combinations ran five times each
// with the waiting-time statistics, the replications scattered around the
// single runs' values.
MainState StateAfterReplicatedSweep() {
  constexpr int kCount = 5;
  SweepEnd end;
  end.replications.plan.count = kCount;
  SweepResults& runs = end.replications.runs;
  runs = SweepResults(3 * kCount);
  runs.EnablePercentiles();
  for (int run = 1; run <= 3; ++run) {
    for (int k = 0; k < kCount; ++k) {
      const auto engine_run = static_cast<std::int32_t>(EngineRunOf(run, k, kCount));
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        const double spread = 1 + 0.04 * (((run + a + 3 * k) % 5) - 2) * (a % 3 + 1) / 2;
        const double wait = kAvgWait[run - 1][a - 1] * spread;
        SetBase(&runs, a, engine_run, kSeek[run - 1][a - 1] * spread, wait,
                kMaxWait[run - 1][a - 1] * spread);
        runs.Set(Metric::kMedianWaitingTime, a, engine_run, wait * 0.8);
        runs.Set(Metric::kP90WaitingTime, a, engine_run, wait * 1.9);
        runs.Set(Metric::kP95WaitingTime, a, engine_run, wait * 2.3);
        runs.Set(Metric::kP99WaitingTime, a, engine_run, wait * 3.1);
        runs.Set(Metric::kWaitingTimeStdDev, a, engine_run, wait * 0.7);
      }
    }
  }
  end.results = ReplicationMeans(runs, kCount);
  return StateAfter("100,100,300", std::move(end));
}

template <typename Widget>
Widget* Find(const QWidget* window, const char* name) {
  return window->findChild<Widget*>(QString::fromLatin1(name));
}

bool SaveCharts(const QDir& folder) {
  TestProgramFolder program;
  MainWindow window(StateAfterSweep(), program.services());
  window.show();
  Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(1);
  Find<QAbstractButton>(&window, "COption_0")->click();
  bool ok = Save(&window, folder, QStringLiteral("charts_bars"));
  Find<QAbstractButton>(&window, "Loption")->click();
  Find<QAbstractButton>(&window, "SRCheck")->click();
  // An automatic title with two parameters named in it.
  Find<QAbstractButton>(&window, "CTitle")->click();
  Find<QAbstractButton>(&window, "PCheck_1")->click();
  Find<QAbstractButton>(&window, "PCheck_2")->click();
  ok = Save(&window, folder, QStringLiteral("charts_lines_results")) && ok;
  Find<QAbstractButton>(&window, "Publish")->click();
  Find<QAbstractButton>(&window, "Boption")->click();
  Find<QAbstractButton>(&window, "COption_16")->click();
  ok = Save(&window, folder, QStringLiteral("charts_no_x_axis")) && ok;
  Find<QAbstractButton>(&window, "Publish")->click();
  for (auto* chart_window : window.findChildren<ChartCopyWindow*>()) {
    ok =
        Save(chart_window, folder, QStringLiteral("chart_window_%1").arg(chart_window->Number())) &&
        ok;
  }
  // Values in seconds, on the smallest window the layouts allow; "Bars"
  // redraws at once where the scale would wait for its delay.
  Find<QAbstractButton>(&window, "COption_0")->click();
  Find<QAbstractButton>(&window, "CopyTU")->click();
  Find<QAbstractButton>(&window, "Boption")->click();
  window.resize(window.minimumSizeHint());
  ok = Save(&window, folder, QStringLiteral("charts_seconds_smallest")) && ok;
  // The picture Copy and the picture files take, at a size for a page.
  const QImage picture = Find<ChartView>(&window, "MChart")->ToImage(QSize(1200, 750));
  const QString path = folder.filePath(QStringLiteral("chart_picture.png"));
  const bool saved = picture.save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
  window.close();
  return ok && saved;
}

// Bars and lines over 5 and 60 X values at the default window size.
bool SaveManyCategories(const QDir& folder) {
  bool ok = true;
  for (const int count : {5, 60}) {
    TestProgramFolder program;
    MainWindow window(StateAfterLongSweep(count), program.services());
    window.show();
    Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(1);
    Find<QAbstractButton>(&window, "COption_0")->click();
    ok = Save(&window, folder, QStringLiteral("charts_%1_bars").arg(count)) && ok;
    Find<QAbstractButton>(&window, "Loption")->click();
    ok = Save(&window, folder, QStringLiteral("charts_%1_lines").arg(count)) && ok;
    window.close();
  }
  return ok;
}

// Replicated results with the statistics: error bars on bars and lines,
// the 95th percentile chosen, the table with every column, and the picture
// that Copy and the chart files take.
bool SaveReplicated(const QDir& folder) {
  TestProgramFolder program;
  MainWindow window(StateAfterReplicatedSweep(), program.services());
  window.show();
  Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(1);
  bool ok = Save(&window, folder, QStringLiteral("charts_replicated_no_x_axis"));
  Find<QAbstractButton>(&window, "COption_0")->click();
  ok = Save(&window, folder, QStringLiteral("charts_replicated_bars")) && ok;
  Find<QAbstractButton>(&window, "Loption")->click();
  Find<QAbstractButton>(&window, "P95Option")->click();
  ok = Save(&window, folder, QStringLiteral("charts_replicated_p95_lines")) && ok;
  for (const ChartType type : {ChartType::kBars, ChartType::kLines}) {
    Find<QAbstractButton>(&window, type == ChartType::kBars ? "Boption" : "Loption")->click();
    const QImage picture = Find<ChartView>(&window, "MChart")->ToImage(QSize(1200, 750));
    const QString path = folder.filePath(
        type == ChartType::kBars ? QStringLiteral("chart_replicated_bars_picture.png")
                                 : QStringLiteral("chart_replicated_lines_picture.png"));
    const bool saved = picture.save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    ok = saved && ok;
  }
  Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(0);
  ok = Save(&window, folder, QStringLiteral("simulation_replicated")) && ok;
  window.close();
  return ok;
}

// The "Head Path" tab: the textbook exercise (typed requests all at TU 0,
// head 53, 200 cylinders, seek 1, settle 0, block 1) drawn, then a few
// serves into its playback, then with the heads starting down; and a run of
// 5,000 generated requests.
bool SaveHeadPath(const QDir& folder) {
  TestProgramFolder program;
  std::unique_ptr<MainWindow> owner = program.MakeWindow();
  MainWindow& window = *owner;
  window.resize(1280, 800);
  const auto field = [&window](int index, const char* text) {
    TypeOver(window.findChild<QLineEdit*>(QStringLiteral("Cparam_%1").arg(index)),
             QString::fromLatin1(text));
  };
  Find<QAbstractButton>(&window, "Option3")->click();
  TypeOver(Find<QLineEdit>(&window, "Manual"), QStringLiteral("98 183 37 122 14 124 65 67"));
  field(10, "200");
  field(11, "53");
  field(9, "1");
  field(14, "0");
  field(8, "1");
  Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(2);
  auto* tab = Find<HeadPathTab>(&window, "HeadPathTab");
  const auto run = [tab] {
    bool finished = false;
    const QMetaObject::Connection connection =
        QObject::connect(tab, &HeadPathTab::RunFinished, [&finished] { finished = true; });
    Find<QAbstractButton>(tab, "HeadPathRun")->click();
    const bool ok = WaitFor([&finished] { return finished; });
    QObject::disconnect(connection);
    return ok;
  };
  bool ok = run() && Save(&window, folder, QStringLiteral("head_path_textbook"));
  for (int step = 0; step < 4; ++step) Find<QAbstractButton>(tab, "HeadPathStep")->click();
  ok = Save(&window, folder, QStringLiteral("head_path_textbook_playback")) && ok;
  const auto direction = [&window](int index) {
    Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(0);
    auto* list = Find<QComboBox>(&window, "HeadDirection");
    list->setCurrentIndex(index);
    emit list->activated(index);
    Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(2);
  };
  direction(1);
  ok = run() && Save(&window, folder, QStringLiteral("head_path_textbook_down")) && ok;
  direction(0);
  Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(0);
  Find<QAbstractButton>(&window, "Option1")->click();
  field(0, "5000");
  field(10, "1000");
  Find<QTabWidget>(&window, "TabStrip1")->setCurrentIndex(2);
  ok = run() && ok;
  const PathRunOutcome& outcome = tab->Runner()->Outcome();
  tab->SetCursor(outcome.picture ? outcome.picture->last_tu / 2 : 0);
  ok = Save(&window, folder, QStringLiteral("head_path_5000")) && ok;
  window.close();
  return ok;
}

// The dialog of a block trace given to the import button: the blkparse
// sample, which names two devices, for the start-up disk.
bool SaveTraceDialog(const QDir& folder) {
  DiskFileAccess files;
  const std::string trace = std::string(TRAKVIST_TRACE_DIR) + "/sample.blkparse";
  TraceImportDialog dialog(files, trace, TraceDisk{1E-05, 512, 1000, 600, 4},
                           TraceFormat::kBlkparse,
                           "/home/user/.local/share/Trakvist/sample.blkparse.requests.txt");
  dialog.show();
  return Save(&dialog, folder, QStringLiteral("trace_import"));
}

// The window on a small and a large screen, and each of its menus open.
bool SaveShell(MainWindow* window, const QDir& folder) {
  bool ok = true;
  for (const QSize size : {QSize(1024, 600), QSize(1920, 1080)}) {
    window->resize(size);
    ok = Save(window, folder, QStringLiteral("window_%1x%2").arg(size.width()).arg(size.height())) &&
         ok;
  }
  window->resize(1160, 712);
  for (QAction* item : window->menuBar()->actions()) {
    QMenu* menu = item->menu();
    if (menu == nullptr) continue;
    menu->popup(window->mapToGlobal(window->menuBar()->actionGeometry(item).bottomLeft()));
    QApplication::processEvents();
    const QString name = item->text().remove(QLatin1Char('&')).toLower();
    ok = Save(menu, folder, QStringLiteral("menu_") + name) && ok;
    menu->hide();
  }
  return ok;
}

int Run(const QDir& folder) {
  // Closing the windows of stored results asks to save them: Discard.
  DialogAnswers answers;
  TestProgramFolder program;
  std::unique_ptr<MainWindow> owner = program.MakeWindow();
  MainWindow& window = *owner;
  std::printf("main window %dx%d, smallest %dx%d\n", window.width(), window.height(),
              window.minimumSizeHint().width(), window.minimumSizeHint().height());
  bool ok = Save(&window, folder, QStringLiteral("simulation"));
  ok = SaveShell(&window, folder) && ok;
  // The second pages, with manual requests chosen.
  window.findChild<QAbstractButton*>(QStringLiteral("Option3"))->click();
  window.findChild<QTabWidget*>(QStringLiteral("PgDisk"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("simulation_second_pages")) && ok;
  window.findChild<QAbstractButton*>(QStringLiteral("Option1"))->click();
  window.findChild<QTabWidget*>(QStringLiteral("PgDisk"))->setCurrentIndex(0);
  ok = SaveDuringRun(&window, folder) && ok;
  window.findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("charts")) && ok;
  window.findChild<QTabWidget*>(QStringLiteral("PgTabs"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("charts_second_page")) && ok;
  // The smallest size the layouts allow.
  window.resize(window.minimumSizeHint());
  ok = Save(&window, folder, QStringLiteral("charts_smallest")) && ok;

  // "Custom ..." with the start-up disk, "Default".
  window.resize(1160, 712);
  window.findChild<QAbstractButton*>(QStringLiteral("CustomDisk"))->click();
  ok = Save(window.disk_properties_window(), folder, QStringLiteral("disk_properties")) && ok;
  window.disk_properties_window()->hide();

  window.about_box()->show();
  ok = Save(window.about_box(), folder, QStringLiteral("about")) && ok;
  window.about_box()->hide();

  window.wait_window()->ShowAndPaint();
  ok = Save(window.wait_window(), folder, QStringLiteral("wait")) && ok;
  window.wait_window()->hide();
  ok = SaveCharts(folder) && ok;
  ok = SaveManyCategories(folder) && ok;
  ok = SaveReplicated(folder) && ok;
  ok = SaveHeadPath(folder) && ok;
  ok = SaveTraceDialog(folder) && ok;
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace trakvist

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  return trakvist::Run(folder);
}
