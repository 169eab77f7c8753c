// Sweeps with the real engine, the simulation files and the manual requests,
// through the main window on Qt's offscreen platform.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/model/headless/headless_options.h"
#include "frontend/model/results/tidy_export.h"
#include "frontend/model/runs/command_line.h"
#include "frontend/model/runs/run_files.h"
#include "frontend/model/runs/sweep.h"
#include "frontend/model/shell/main_actions.h"
#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/headless/headless_run.h"
#include "frontend/ui/main_window/importing_window.h"
#include "frontend/ui/main_window/main_window.h"
#include "frontend/ui/simulation/run_controller.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::string& text, fs::perms perms = fs::perms(0644)) {
  std::ofstream(path, std::ios::binary) << text;
  fs::permissions(path, perms);
}

// Runs the engine directly with `arguments` (no link, no progress) and
// returns the rows it appended to fresh result files in `folder`.
SweepResults RunDirectly(std::vector<std::string> arguments, const std::string& folder) {
  const TemporaryFiles files = MakeTemporaryFiles(folder);
  QProcess process;
  QStringList list;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a.rfind("-hw:", 0) == 0 || a.rfind("-c:", 0) == 0) continue;
    if (a.rfind("-w:", 0) == 0) {
      list << QString::fromStdString("-w:" + files.avg_wait);
    } else if (a.rfind("-s:", 0) == 0) {
      list << QString::fromStdString("-s:" + files.seek);
    } else if (a.rfind("-xw:", 0) == 0) {
      list << QString::fromStdString("-xw:" + files.max_wait);
    } else {
      list << QString::fromStdString(a);
    }
  }
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(QString::fromStdString(arguments[0]), list);
  if (!process.waitForFinished(kSoonMs)) QTest::qFail("the engine hangs", __FILE__, __LINE__);
  DiskFileAccess access;
  std::string unreadable;
  const std::optional<SweepResults> results = ReadRunResults(&access, files, 1, &unreadable);
  if (!results) QTest::qFail(unreadable.c_str(), __FILE__, __LINE__);
  return results ? *results : SweepResults();
}

// The engine arguments of every combination of the panel's sweep, as the
// model's command line builder makes them.
std::vector<std::vector<std::string>> SweepArguments(const MainState& state) {
  std::array<std::string, kParameterCount> texts;
  for (int k = 0; k < kParameterCount; ++k) texts[k] = state.panel.cparam[k].text;
  const RunSettings settings = RunSettingsFromPanel(state.panel);
  EngineTarget target;
  target.program = state.AppFolder + SelectedSimulator(state);
  target.files = MakeTemporaryFiles(state.TemporaryFolder);
  std::vector<std::vector<std::string>> all;
  for (SweepCursor cursor(FillSweepRanges(texts, settings.source, settings.rtimer)); !cursor.Done();
       cursor.Next()) {
    all.push_back(ArgumentList(target.program, EngineArguments(settings, cursor.Values(), target)));
  }
  return all;
}

// Counts the times a window is shown.
class ShowCounter : public QObject {
 public:
  int shows = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) ++shows;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

class SimulationRunTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void sweepStoresTheRowsOfDirectRuns();
  void stopEndsALongSweepAndKeepsTheEarlierResults();
  void stopDuringAParallelSweepReachesEveryEngine();
  void closingDuringARunIsRefused();
  void saveThenOpenRoundTrips();
  void openWithoutImportingThePageKeepsIt();
  void longPastedRequestsAreKeptWhole();
  void openNamesTheFileAndReportsProblems_data();
  void openNamesTheFileAndReportsProblems();
  void simulatorThatCannotRunEndsTheSweepWithItsCommandLine_data();
  void simulatorThatCannotRunEndsTheSweepWithItsCommandLine();
  void manualRequestsAskAboutTheCylinders();
  void headsStartingDownReachTheEngineAndTheFile();
  void importShowsTheWaitWindowForLongFiles_data();
  void importShowsTheWaitWindowForLongFiles();
  void importedTraceRunsAsWithoutAWindow();
  void defaultCommandLineIsUnchanged();
  void resultsOptionsReachTheEngine_data();
  void resultsOptionsReachTheEngine();
  void exportWritesTheStoredResults_data();
  void exportWritesTheStoredResults();

 private:
  QWidget* Get(const QString& name) const { return Control(tabs_, name); }
  template <typename Widget>
  Widget* Get(const QString& name) const {
    return ControlAs<Widget>(tabs_, name);
  }
  void Type(int field, const QString& text) {
    TypeOver(Get<QLineEdit>(QStringLiteral("Cparam_") + QString::number(field)), text);
  }
  // Presses Start and waits for the sweep to end.
  void RunSweep();
  bool Idle() const { return window_->state().panel.startb_enabled; }

  std::unique_ptr<TestProgramFolder> program_;
  std::unique_ptr<MainWindow> window_;
  QWidget* tabs_ = nullptr;
  std::unique_ptr<DialogAnswers> answers_;
};

void SimulationRunTest::init() {
  program_ = std::make_unique<TestProgramFolder>();
  window_ = program_->MakeWindow();
  tabs_ = window_->findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  answers_ = std::make_unique<DialogAnswers>();
}

void SimulationRunTest::cleanup() {
  // A test that failed mid-run leaves no engine behind.
  if (!Idle()) {
    window_->run_controller()->Stop();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  }
  answers_.reset();
  window_.reset();
  program_.reset();
}

void SimulationRunTest::RunSweep() {
  Get<QPushButton>(QStringLiteral("Startb"))->click();
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
}

// Each of the three runs of 100, 200 and 300 requests stores the rows that
// the engine writes when run by hand with the same arguments.
void SimulationRunTest::sweepStoresTheRowsOfDirectRuns() {
  Type(0, QStringLiteral("100,100,300"));
  const std::vector<std::vector<std::string>> runs = SweepArguments(window_->state());
  QCOMPARE(runs.size(), 3u);
  RunSweep();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  const ResultsStore& store = window_->state().store;
  QCOMPARE(store.RunCount(), 3);
  QCOMPARE(store.ResultRanges()[0].To, 300.0);
  auto* progress = Get<QProgressBar>(QStringLiteral("Progress1"));
  QCOMPARE(progress->value(), progress->maximum());
  QVERIFY(Get(QStringLiteral("SaveS"))->isEnabled());
  QVERIFY(Get(QStringLiteral("Publish"))->isEnabled());
  QVERIFY(!window_->run_controller()->monitor().TimerEnabled());

  for (int run = 1; run <= 3; ++run) {
    const std::string direct = program_->folder() + "direct" + std::to_string(run) + "/";
    fs::create_directory(direct);
    const SweepResults alone = RunDirectly(runs[run - 1], direct);
    for (Metric metric :
         {Metric::kTotalSeekTime, Metric::kAverageWaitingTime, Metric::kMaximumWaitingTime}) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        QCOMPARE(store.Results().Get(metric, a, run), alone.Get(metric, a, 1));
      }
    }
  }
  QVERIFY(store.Results().Get(Metric::kTotalSeekTime, 2, 3) > 0);
  // The value lists of the "Charts" tab name the runs.
  QCOMPARE(window_->state().charts.lists.Cm[0].entries,
           (std::vector<std::string>{"100", "200", "300"}));
}

// "Stop" during the first of three runs of seconds each ends the sweep once
// that engine has gone; the results of the earlier sweep stay.
void SimulationRunTest::stopEndsALongSweepAndKeepsTheEarlierResults() {
  Type(0, QStringLiteral("100,100,300"));
  RunSweep();
  const SweepResults earlier = window_->state().store.Results();
  QCOMPARE(earlier.RunCount(), 3);

  Type(0, QStringLiteral("1000000"));
  Type(1, QStringLiteral("1,1,3"));
  Get<QPushButton>(QStringLiteral("Startb"))->click();
  QVERIFY(!Idle());
  QVERIFY(!Get(QStringLiteral("Startb"))->isEnabled());
  QVERIFY(Get(QStringLiteral("Stopb"))->isEnabled());
  QCOMPARE(Get<QLabel>(QStringLiteral("LTime"))->text(), QStringLiteral("0:0:0"));
  auto* progress = Get<QProgressBar>(QStringLiteral("Progress1"));
  QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, kSoonMs);
  Get<QPushButton>(QStringLiteral("Stopb"))->click();
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);

  QCOMPARE(window_->run_controller()->monitor().State(), RunState::kStopped);
  QCOMPARE(window_->run_controller()->monitor().RunCount(), 0);
  const SweepResults& kept = window_->state().store.Results();
  QCOMPARE(kept.RunCount(), 3);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    QCOMPARE(kept.Get(Metric::kTotalSeekTime, a, 2), earlier.Get(Metric::kTotalSeekTime, a, 2));
  }
  QVERIFY(Get(QStringLiteral("Startb"))->isEnabled());
  QVERIFY(!window_->run_controller()->monitor().TimerEnabled());
  QVERIFY(answers_->boxes.empty());  // a stop is no failure
}

// "Parallel runs" at 2: two engines run at once, the spinner is off during
// the sweep, and "Stop" ends both; the earlier results stay. The spinner is
// not part of the simulation file.
void SimulationRunTest::stopDuringAParallelSweepReachesEveryEngine() {
  Type(0, QStringLiteral("100,100,300"));
  RunSweep();
  const SweepResults earlier = window_->state().store.Results();
  auto* parallel_runs = Get<QSpinBox>(QStringLiteral("ParallelRuns"));
  QCOMPARE(parallel_runs->minimum(), 1);
  QCOMPARE(parallel_runs->maximum(), 64);
  QVERIFY(parallel_runs->isEnabled());
  parallel_runs->setValue(1);
  const std::string with_one = SimulationFileBytes(window_->state());
  parallel_runs->setValue(2);
  QCOMPARE(window_->state().panel.parallel_runs, 2);
  QCOMPARE(SimulationFileBytes(window_->state()), with_one);

  Type(0, QStringLiteral("1000000"));
  Type(1, QStringLiteral("1,1,3"));
  Get<QPushButton>(QStringLiteral("Startb"))->click();
  const RunMonitor& monitor = window_->run_controller()->monitor();
  QCOMPARE(monitor.RunningEngines(), 2);
  QVERIFY(!parallel_runs->isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(monitor.State() == RunState::kRunning, kSoonMs);
  Get<QPushButton>(QStringLiteral("Stopb"))->click();
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);

  QCOMPARE(monitor.State(), RunState::kStopped);
  QCOMPARE(monitor.RunCount(), 0);
  QCOMPARE(window_->state().store.RunCount(), earlier.RunCount());
  QCOMPARE(window_->state().store.Results().Get(Metric::kTotalSeekTime, 2, 3),
           earlier.Get(Metric::kTotalSeekTime, 2, 3));
  QVERIFY(parallel_runs->isEnabled());
  QCOMPARE(parallel_runs->value(), 2);
  QVERIFY(answers_->boxes.empty());  // a stop is no failure
}

void SimulationRunTest::closingDuringARunIsRefused() {
  Type(0, QStringLiteral("20000"));
  Get<QPushButton>(QStringLiteral("Startb"))->click();
  QVERIFY(!window_->close());
  QVERIFY(window_->isVisible());
  window_->run_controller()->Stop();
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  QVERIFY(window_->close());
}

// Save writes the file, Open reads it back, and saving again gives the same
// bytes; the title names the file.
void SimulationRunTest::saveThenOpenRoundTrips() {
  Type(0, QStringLiteral("100,100,300"));
  RunSweep();
  const QString first = QString::fromStdString(program_->folder() + "first.txt");
  answers_->paths.push_back(first);
  Get<QPushButton>(QStringLiteral("SaveS"))->click();  // no file yet: Save As
  QCOMPARE(ShownTitle(window_.get()), QStringLiteral("Trakvist - first.txt"));
  const std::string saved = ReadAll(first.toStdString());
  QVERIFY(saved.rfind(" 5 \r\n\r\n[Simulation Page]\r\n 15 \r\n", 0) == 0);

  // Another window, changed first, opens it and saves the same bytes.
  std::unique_ptr<MainWindow> other = program_->MakeWindow();
  auto* other_field = ControlAs<QLineEdit>(other.get(), QStringLiteral("Cparam_5"));
  TypeOver(other_field, QStringLiteral("7"));
  const QString second = QString::fromStdString(program_->folder() + "second");
  answers_->paths.push_back(first);
  ControlAs<QPushButton>(other.get(), QStringLiteral("OpenS"))->click();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  QCOMPARE(ShownTitle(other.get()), QStringLiteral("Trakvist - first.txt"));
  QCOMPARE(other_field->text(), QStringLiteral("1"));
  QCOMPARE(other->state().store.RunCount(), 3);
  QVERIFY(ControlAs<QPushButton>(other.get(), QStringLiteral("SaveS"))->isEnabled());
  answers_->paths.push_back(second);
  ControlAs<QPushButton>(other.get(), QStringLiteral("SaveAs"))->click();
  QCOMPARE(ShownTitle(other.get()), QStringLiteral("Trakvist - second.txt"));  // ".txt" added
  QCOMPARE(ReadAll(second.toStdString() + ".txt"), saved);
}

// With "Import Saved Simulation Page" cleared, Open takes the results and
// leaves the page as it is.
void SimulationRunTest::openWithoutImportingThePageKeepsIt() {
  Type(0, QStringLiteral("100,100,300"));
  RunSweep();
  const std::string path = program_->folder() + "sim.txt";
  answers_->paths.push_back(QString::fromStdString(path));
  Get<QPushButton>(QStringLiteral("SaveAs"))->click();
  Type(0, QStringLiteral("42"));
  Get<QAbstractButton>(QStringLiteral("ImSaved"))->click();
  QVERIFY(!window_->state().ImSaved);
  window_->OpenFile(path);
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  QCOMPARE(Get<QLineEdit>(QStringLiteral("Cparam_0"))->text(), QStringLiteral("42"));
  QCOMPARE(window_->state().store.RunCount(), 3);
  QCOMPARE(ShownTitle(window_.get()), QStringLiteral("Trakvist - sim.txt"));
}

// A line edit keeps at most 32767 characters unless told otherwise; typed
// requests may well be longer.
void SimulationRunTest::longPastedRequestsAreKeptWhole() {
  Get<QRadioButton>(QStringLiteral("Option3"))->click();
  QString requests;
  while (requests.size() < 40010) requests += QStringLiteral("123 ");
  auto* manual = Get<QLineEdit>(QStringLiteral("Manual"));
  manual->setFocus();
  QApplication::clipboard()->setText(requests);
  QTest::keySequence(manual, QKeySequence::Paste);
  QCOMPARE(window_->state().panel.manual_text.size(), static_cast<std::size_t>(requests.size()));
  QCOMPARE(manual->text(), requests);
}

void SimulationRunTest::openNamesTheFileAndReportsProblems_data() {
  QTest::addColumn<QString>("content");
  QTest::addColumn<QString>("message");
  QTest::newRow("missing") << QString() << "Can not open selected file.";
  QTest::newRow("newer version")
      << " 6 \r\n"
      << "This file is saved with a higher version format than the Trakvist version you are "
         "using. Please install the latest version of Trakvist";
  QTest::newRow("damaged") << " 5 \r\n\r\n[Simulation Page]\r\n 15 \r\n"
                           << "The file selected is not in the proper format.";
}

// A file given at start (`Trakvist FILE`) is opened as Open opens it: the
// failures are told in a "Trakvist" box and change nothing.
void SimulationRunTest::openNamesTheFileAndReportsProblems() {
  QFETCH(QString, content);
  QFETCH(QString, message);
  const std::string path = program_->folder() + "sim.txt";
  if (!content.isEmpty()) WriteAll(path, content.toStdString());
  window_->OpenFile(path);
  QCOMPARE(answers_->boxes.size(), 1u);
  QCOMPARE(answers_->boxes[0].title, QStringLiteral("Trakvist"));
  QCOMPARE(answers_->boxes[0].text, message);
  QCOMPARE(ShownTitle(window_.get()), QStringLiteral("Trakvist"));
  QVERIFY(!Get(QStringLiteral("SaveS"))->isEnabled());
}

void SimulationRunTest::simulatorThatCannotRunEndsTheSweepWithItsCommandLine_data() {
  QTest::addColumn<QString>("what");
  QTest::newRow("exits at once") << "ended without writing its results";
  QTest::newRow("gone since it was listed") << "could not be started";
}

// Such a simulator ends the sweep with a message that names the run and its
// command line; the earlier results stay.
void SimulationRunTest::simulatorThatCannotRunEndsTheSweepWithItsCommandLine() {
  QFETCH(QString, what);
  Type(0, QStringLiteral("100,100,300"));
  RunSweep();
  const fs::path broken = program_->path() / "broken";
  WriteAll(broken, "#!/bin/sh\nexit 0\n", fs::perms(0755));
  Get<QToolButton>(QStringLiteral("SimRefresh"))->click();
  QCOMPARE(window_->state().simulators.names.front(), "broken");
  if (what.startsWith("could not")) fs::remove(broken);

  RunSweep();
  QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
  const QString text = answers_->boxes[0].text;
  QCOMPARE(answers_->boxes[0].title, QStringLiteral("Trakvist"));
  QVERIFY2(text.startsWith(QStringLiteral("Run 1 of the simulation ") + what), qPrintable(text));
  const std::string command_line = window_->run_controller()->monitor().CommandLine();
  QVERIFY2(text.endsWith(QString::fromStdString("Command line:\n" + command_line)),
           qPrintable(text));
  QVERIFY(command_line.find(broken.string()) != std::string::npos);
  QCOMPARE(window_->state().store.RunCount(), 3);
  QVERIFY(Get(QStringLiteral("Startb"))->isEnabled());
}

// A request beyond the last cylinder: No ends the start before any engine
// runs, Yes raises the number of cylinders and runs.
void SimulationRunTest::manualRequestsAskAboutTheCylinders() {
  Get<QRadioButton>(QStringLiteral("Option3"))->click();
  TypeOver(Get<QLineEdit>(QStringLiteral("Manual")), QStringLiteral("10 20, 1000"));
  answers_->answers = {QMessageBox::No};
  RunSweep();
  QCOMPARE(answers_->boxes.size(), 1u);
  QVERIFY(answers_->boxes[0].text.startsWith(QStringLiteral("The manual requests contains 1001 ")));
  QCOMPARE(window_->state().store.RunCount(), 0);
  QCOMPARE(Get<QLineEdit>(QStringLiteral("Cparam_10"))->text(), QStringLiteral("1000"));

  answers_->answers = {QMessageBox::Yes};
  RunSweep();
  QCOMPARE(answers_->boxes.size(), 2u);
  QCOMPARE(Get<QLineEdit>(QStringLiteral("Cparam_10"))->text(), QStringLiteral("1001"));
  QCOMPARE(window_->state().store.RunCount(), 1);
  // The engine ran with the raised count, and the results say so.
  const std::string command_line = window_->run_controller()->monitor().CommandLine();
  QVERIFY2(command_line.find(" -m:1001 ") != std::string::npos, command_line.c_str());
  QCOMPARE(window_->state().store.ResultRanges()[10].From, 1001.0);
  QCOMPARE(answers_->boxes.size(), 2u);  // nothing went wrong
  const std::string requests = ReadAll(window_->state().TemporaryFolder + "man_tmp$$~1.txt");
  QCOMPARE(requests, std::string("0\r\n10 20, 1000  -1\r\n"));
}

// "Down" adds -u:0 to every run and an added section to the saved file;
// "Up" leaves both as they always were.
void SimulationRunTest::headsStartingDownReachTheEngineAndTheFile() {
  auto* direction = Get<QComboBox>(QStringLiteral("HeadDirection"));
  QCOMPARE(direction->currentText(), QStringLiteral("Up"));
  direction->setCurrentIndex(1);
  emit direction->activated(1);
  Type(0, QStringLiteral("100"));
  RunSweep();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  const std::string down = window_->run_controller()->monitor().CommandLine();
  QVERIFY2(down.ends_with(" -id -u:0"), down.c_str());
  QVERIFY(SimulationFileBytes(window_->state()).find("[Initial Head Direction]\r\nDown") !=
          std::string::npos);

  direction->setCurrentIndex(0);
  emit direction->activated(0);
  RunSweep();
  QVERIFY(window_->run_controller()->monitor().CommandLine().find("-u:") == std::string::npos);
  QVERIFY(SimulationFileBytes(window_->state()).find("Initial Head") == std::string::npos);
}

// With the start-up settings the engine's command line is the one it has
// always been: no -q:, one run per combination.
void SimulationRunTest::defaultCommandLineIsUnchanged() {
  QVERIFY(!Get<QCheckBox>(QStringLiteral("Percentiles"))->isChecked());
  QCOMPARE(Get<QSpinBox>(QStringLiteral("Replications"))->value(), 1);
  Type(0, QStringLiteral("100"));
  RunSweep();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  const MainState& state = window_->state();
  std::string line = window_->run_controller()->monitor().CommandLine();
  // The folders, the link and the chunk are the instance's own.
  const auto replace = [&line](const std::string& from, const std::string& to) {
    for (std::size_t at = line.find(from); at != std::string::npos; at = line.find(from, at)) {
      line.replace(at, from.size(), to);
      at += to.size();
    }
  };
  replace(state.TemporaryFolder, "<tmp>/");
  replace(state.AppFolder, "<app>/");
  const std::size_t link = line.find(" -hw:");
  QVERIFY(link != std::string::npos);
  line.replace(link + 5, line.find(' ', link + 1) - link - 5, "<link>");
  QCOMPARE(QString::fromStdString(line),
           QStringLiteral("\"<app>/schedule\" -t:100 -a:60 -n:0 \"-tu:1E-05\" -r:600 -wc:0 -f:1 "
                          "-o:1000 -x:30 -b:2 -bpt:600 -e:1 -st:600 -m:1000 -i:0 -hd:4 -rw:3 "
                          "-rb:n -rs:y \"-w:<tmp>/wsim_tmp$$~1.csv\" \"-s:<tmp>/ssim_tmp$$~1.csv\" "
                          "\"-xw:<tmp>/xwsim_tmp$$~1.csv\" -hw:<link> -c:16 -id"));
  QCOMPARE(state.store.ResultReplications().plan.count, 1);
  QVERIFY(!state.store.Results().HasPercentiles());
}

// "Waiting-time percentiles" adds -q: to every run; "Replications" K runs
// each combination K times with the seeds s .. s + K - 1. Every engine run
// is noted down by a simulator that hands its arguments on to the engine.
// The results then hold the statistics (their buttons and columns shown)
// and, with K > 1, the chart draws error bars.
void SimulationRunTest::resultsOptionsReachTheEngine_data() {
  QTest::addColumn<bool>("percentiles");
  QTest::addColumn<int>("replications");
  QTest::newRow("percentiles") << true << 1;
  QTest::newRow("three replications") << false << 3;
  QTest::newRow("both") << true << 2;
}

void SimulationRunTest::resultsOptionsReachTheEngine() {
  QFETCH(bool, percentiles);
  QFETCH(int, replications);
  const fs::path log = program_->path() / "runs.log";
  WriteAll(program_->path() / "logging",
           "#!/bin/sh\necho \"$*\" >> '" + log.string() +
               "'\nexec \"$(dirname \"$0\")/schedule\" \"$@\"\n",
           fs::perms(0755));
  Get<QToolButton>(QStringLiteral("SimRefresh"))->click();
  QCOMPARE(window_->state().simulators.names.front(), "logging");
  if (percentiles) Get<QCheckBox>(QStringLiteral("Percentiles"))->click();
  Get<QSpinBox>(QStringLiteral("Replications"))->setValue(replications);
  Type(0, QStringLiteral("100,100,200"));
  RunSweep();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));

  std::vector<std::string> lines;
  std::istringstream logged(ReadAll(log));
  for (std::string line; std::getline(logged, line);) lines.push_back(line);
  QCOMPARE(lines.size(), static_cast<std::size_t>(2 * replications));
  std::multiset<std::string> seeds;
  for (const std::string& line : lines) {
    QCOMPARE(line.find(" -q:") != std::string::npos, percentiles);
    const std::size_t at = line.find(" -r:");
    QVERIFY(at != std::string::npos);
    seeds.insert(line.substr(at + 4, line.find(' ', at + 1) - at - 4));
  }
  std::multiset<std::string> expected;
  for (int combination = 1; combination <= 2; ++combination) {
    for (int k = 0; k < replications; ++k) expected.insert(std::to_string(600 + k));
  }
  QCOMPARE(seeds, expected);

  const ResultsStore& store = window_->state().store;
  QCOMPARE(store.RunCount(), 2);
  QCOMPARE(store.ResultReplications().plan.count, replications);
  QCOMPARE(store.Results().HasPercentiles(), percentiles);
  QCOMPARE(store.Results().Get(Metric::kP99WaitingTime, 2, 1) > 0, percentiles);
  QCOMPARE(Get(QStringLiteral("P99Option"))->isEnabled(), percentiles);
  QCOMPARE(Get<QTreeWidget>(QStringLiteral("LTable"))->isColumnHidden(8), !percentiles);
  QCOMPARE(Get<ChartView>(QStringLiteral("MChart"))->ErrorBars().isEmpty(), replications == 1);

  // Run options are run options: no changes while a sweep runs.
  Type(0, QStringLiteral("1000000"));
  Get<QPushButton>(QStringLiteral("Startb"))->click();
  QVERIFY(!Get(QStringLiteral("Percentiles"))->isEnabled());
  QVERIFY(!Get(QStringLiteral("Replications"))->isEnabled());
  window_->run_controller()->Stop();
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  QVERIFY(Get(QStringLiteral("Replications"))->isEnabled());
}

// "Export Results…" needs results; it writes what the model writes for
// the stored results, or says that it could not.
void SimulationRunTest::exportWritesTheStoredResults_data() {
  QTest::addColumn<bool>("writable");
  QTest::newRow("written") << true;
  QTest::newRow("folder missing") << false;
}

void SimulationRunTest::exportWritesTheStoredResults() {
  QFETCH(bool, writable);
  auto* button = Get<QPushButton>(QStringLiteral("ExportResults"));
  QVERIFY(!button->isEnabled());
  Type(0, QStringLiteral("100,100,200"));
  RunSweep();
  QVERIFY(button->isEnabled());
  const fs::path path = program_->path() / (writable ? "" : "missing") / "results.csv";
  answers_->paths.push_back(QString::fromStdString(path.string()));
  button->click();
  QTRY_VERIFY_WITH_TIMEOUT(answers_->paths.empty(), kSoonMs);
  if (writable) {
    std::ostringstream expected;
    QVERIFY(WriteTidyCsv(window_->state().store, TidyExportSettingsOf(window_->state().panel),
                         expected));
    QCOMPARE(ReadAll(path), expected.str());
    QVERIFY(answers_->boxes.empty());
  } else {
    QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
    QCOMPARE(answers_->boxes[0].title, QStringLiteral("Trakvist"));
    QCOMPARE(answers_->boxes[0].text, QString::fromUtf8(kCanNotExportMessage.data(),
                                                         kCanNotExportMessage.size()));
    QVERIFY(!fs::exists(path));
  }
}

void SimulationRunTest::importShowsTheWaitWindowForLongFiles_data() {
  QTest::addColumn<int>("length");
  QTest::addColumn<int>("shows");
  QTest::newRow("40000 characters") << 40000 << 0;
  QTest::newRow("one more") << 40001 << 1;
}

void SimulationRunTest::importShowsTheWaitWindowForLongFiles() {
  QFETCH(int, length);
  QFETCH(int, shows);
  // A file of `length` characters: the configuration line, then "1 1 1 ...".
  const std::string configuration = "0\r\n";
  std::string requests;
  while (requests.size() + configuration.size() < static_cast<std::size_t>(length)) {
    requests += "1 ";
  }
  requests.resize(length - configuration.size(), '1');
  const fs::path file = program_->path() / "requests.txt";
  WriteAll(file, configuration + requests);
  ShowCounter counter;
  window_->wait_window()->installEventFilter(&counter);
  Get<QRadioButton>(QStringLiteral("Option3"))->click();
  answers_->paths.push_back(QString::fromStdString(file.string()));
  Get<QToolButton>(QStringLiteral("Import"))->click();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  QCOMPARE(counter.shows, shows);
  QVERIFY(!window_->wait_window()->isVisible());
  QCOMPARE(Get<QLineEdit>(QStringLiteral("Manual"))->text(), QString::fromStdString(file.string()));
  QVERIFY(!Get(QStringLiteral("isLBA"))->isEnabled());  // a file says so itself
}

// A block trace given to the import button is converted, after its dialog,
// into the per-user data folder; the sweep on it stores what `--run
// --requests` saves for the same file.
void SimulationRunTest::importedTraceRunsAsWithoutAWindow() {
  const fs::path data = program_->path() / "data";
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.string()));
  const std::string trace = std::string(TRAKVIST_TRACE_DIR) + "/sample_spc.csv";
  QStringList shown;
  QTimer convert;
  connect(&convert, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || dialog->objectName() != QStringLiteral("TraceImport")) return;
    convert.stop();
    for (const char* name : {"TraceFormat", "TraceDevice", "TraceOperations"}) {
      shown << ControlAs<QComboBox>(dialog, QString::fromLatin1(name))->currentText();
    }
    shown << ControlAs<QLabel>(dialog, QStringLiteral("TraceTu"))->text();
    shown << ControlAs<QLabel>(dialog, QStringLiteral("TraceReport"))->text().section('\n', 0, 0);
    ControlAs<QPushButton>(dialog, QStringLiteral("TraceConvert"))->click();
  });
  convert.start(20);
  Get<QRadioButton>(QStringLiteral("Option3"))->click();
  answers_->paths.push_back(QString::fromStdString(trace));
  Get<QToolButton>(QStringLiteral("Import"))->click();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  QCOMPARE(shown, (QStringList{"spc (detected)", "0", "Reads and writes", "1E-05",
                               "Requests kept: 48 (20 reads, 28 writes)"}));
  const QString converted = Get<QLineEdit>(QStringLiteral("Manual"))->text();
  QVERIFY2(converted.endsWith(QStringLiteral("/sample_spc.csv.requests.txt")), qPrintable(converted));
  QVERIFY(converted.startsWith(QString::fromStdString(data.string())));
  RunSweep();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  QCOMPARE(window_->state().store.RunCount(), 1);

  const std::string saved = program_->folder() + "headless.txt";
  const auto options = ParseHeadlessOptions(
      {"--run", "--requests", converted.toStdString(), "--save", saved});
  std::FILE* out = std::tmpfile();
  QCOMPARE(RunHeadless(std::get<HeadlessOptions>(options), program_->folder(), out, out),
           kExitSuccess);
  std::fclose(out);
  QCOMPARE(ReadAll(saved), SimulationFileBytes(window_->state()));
}

}  // namespace trakvist

QTEST_MAIN(trakvist::SimulationRunTest)
#include "simulation_run_test.moc"
