// Faults from outside in the middle of the window's work, through the real
// window and engine: an engine killed during its run, a simulator that is
// not executable, result files deleted or unwritable during a sweep, a full
// disk while saving, a missing, empty or read-only disk catalogue, a
// requests file edited between two starts, and one of two engines running
// at once killed. Each time the user is told in a
// "Trakvist" box, the earlier results and files stay as they were, nothing
// half-written is left behind, and a later sweep works.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/model/runs/run_files.h"
#include "frontend/ui/disk_properties/disk_properties_window.h"
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

long LineCount(const fs::path& path) {
  const std::string text = ReadAll(path);
  return static_cast<long>(std::count(text.begin(), text.end(), '\n'));
}

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::set<std::string> FolderEntries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The processes this test program started, found through every thread's
// list of children.
std::vector<pid_t> ChildProcesses() {
  std::vector<pid_t> children;
  for (const auto& task : fs::directory_iterator("/proc/self/task")) {
    std::istringstream list(ReadAll(task.path() / "children"));
    for (pid_t pid; list >> pid;) children.push_back(pid);
  }
  return children;
}

// Limits the size of every file this process writes, as a full disk would,
// while it lives; writing beyond the limit fails instead of ending the
// process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit saved_{};
  sighandler_t old_handler_ = nullptr;
};

}  // namespace

class FaultTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void engineKilledDuringItsRun();
  void simulatorThatIsNotExecutable();
  void resultFileLostDuringASweep_data();
  void resultFileLostDuringASweep();
  void fullDiskWhileSaving();
  void disksFileMissingEmptyOrReadOnly_data();
  void disksFileMissingEmptyOrReadOnly();
  void requestsFileEditedBetweenTwoStarts();
  void parallelRunKilled();

 private:
  // The faults of one engine at a time are followed with one engine; the
  // parallel ones say how many.
  void MakeWindow(int parallel_runs = 1);
  QWidget* Get(const QString& name) const { return Control(tabs_, name); }
  template <typename Widget>
  Widget* Get(const QString& name) const {
    return ControlAs<Widget>(tabs_, name);
  }
  void Type(int field, const QString& text) {
    TypeOver(Get<QLineEdit>(QStringLiteral("Cparam_") + QString::number(field)), text);
  }
  bool Idle() const { return window_->state().panel.startb_enabled; }
  void RunSweep() {
    Get<QPushButton>(QStringLiteral("Startb"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  }
  // Starts a sweep of three long runs and waits until the first one is
  // under way.
  void StartLongSweep() {
    Type(0, QStringLiteral("1000000"));
    Type(1, QStringLiteral("1,1,3"));
    Get<QPushButton>(QStringLiteral("Startb"))->click();
    auto* progress = Get<QProgressBar>(QStringLiteral("Progress1"));
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, kSoonMs);
  }
  // A sweep of three short runs, whose results the faults must keep.
  void RunEarlierSweep() {
    Type(0, QStringLiteral("100,100,300"));
    Type(1, QStringLiteral("600"));
    RunSweep();
    QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
    QCOMPARE(window_->state().store.RunCount(), 3);
  }
  // The earlier sweep's results are still the stored ones.
  void VerifyEarlierResultsKept(const SweepResults& earlier) {
    const ResultsStore& store = window_->state().store;
    QCOMPARE(store.RunCount(), 3);
    QCOMPARE(store.ResultRanges()[0].To, 300.0);
    for (int run = 1; run <= 3; ++run) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        QCOMPARE(store.Results().Get(Metric::kTotalSeekTime, a, run),
                 earlier.Get(Metric::kTotalSeekTime, a, run));
      }
    }
  }
  // The window still runs a sweep and stores it.
  void VerifyUsable() {
    QVERIFY(Get(QStringLiteral("Startb"))->isEnabled());
    const std::size_t boxes = answers_->boxes.size();
    Type(0, QStringLiteral("50"));
    Type(1, QStringLiteral("600"));
    RunSweep();
    QCOMPARE(answers_->boxes.size(), boxes);
    QCOMPARE(window_->state().store.RunCount(), 1);
    QVERIFY(window_->state().store.Results().Get(Metric::kTotalSeekTime, 1, 1) > 0);
  }
  QString LastBox() const {
    return answers_->boxes.empty() ? QString() : answers_->boxes.back().text;
  }

  std::unique_ptr<TestProgramFolder> program_;
  std::unique_ptr<MainWindow> window_;
  QWidget* tabs_ = nullptr;
  std::unique_ptr<DialogAnswers> answers_;
};

void FaultTest::init() {
  program_ = std::make_unique<TestProgramFolder>();
  answers_ = std::make_unique<DialogAnswers>();
}

void FaultTest::MakeWindow(int parallel_runs) {
  window_ = program_->MakeWindow();
  tabs_ = window_->findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  Get<QSpinBox>(QStringLiteral("ParallelRuns"))->setValue(parallel_runs);
}

void FaultTest::cleanup() {
  if (window_ && !Idle()) {
    window_->run_controller()->Stop();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  }
  answers_.reset();
  window_.reset();
  program_.reset();
}

// The engine is killed while it serves its requests: the sweep ends with
// the message for a run without results, and the earlier results stay.
void FaultTest::engineKilledDuringItsRun() {
  MakeWindow();
  RunEarlierSweep();
  const SweepResults earlier = window_->state().store.Results();
  StartLongSweep();
  const std::vector<pid_t> engines = ChildProcesses();
  QCOMPARE(engines.size(), 1u);
  QCOMPARE(kill(engines[0], SIGKILL), 0);
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
  QCOMPARE(answers_->boxes[0].title, QStringLiteral("Trakvist"));
  QVERIFY2(LastBox().startsWith(QStringLiteral("Run 1 of the simulation ended without writing")),
           qPrintable(LastBox()));
  VerifyEarlierResultsKept(earlier);
  VerifyUsable();
}

// A simulator that lost its execute permission after it was listed cannot
// be started: the sweep ends at once with a message and nothing changes.
void FaultTest::simulatorThatIsNotExecutable() {
  MakeWindow();
  RunEarlierSweep();
  const SweepResults earlier = window_->state().store.Results();
  const fs::path copy = program_->path() / "aaa_engine";
  fs::copy_file(fs::canonical(program_->path() / "schedule"), copy);
  fs::permissions(copy, fs::perms(0755));
  Get<QToolButton>(QStringLiteral("SimRefresh"))->click();
  QCOMPARE(window_->state().simulators.names.front(), "aaa_engine");
  fs::permissions(copy, fs::perms(0644));

  RunSweep();
  QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
  QVERIFY2(LastBox().startsWith(QStringLiteral("Run 1 of the simulation could not be started")),
           qPrintable(LastBox()));
  VerifyEarlierResultsKept(earlier);
  // Listed again, it is gone from the list; the linked engine runs.
  Get<QToolButton>(QStringLiteral("SimRefresh"))->click();
  QCOMPARE(window_->state().simulators.names.front(), "schedule");
  VerifyUsable();
}

void FaultTest::resultFileLostDuringASweep_data() {
  QTest::addColumn<QString>("fault");
  QTest::newRow("deleted") << "deleted";
  QTest::newRow("a folder in its place") << "folder";
  QTest::newRow("read-only") << "read-only";
}

// Between the first and the second of three runs, after the first engine
// wrote its rows but before it ended, the average waiting time file is
// deleted, replaced by a folder or made read-only. A simulator that waits
// for the test's word before it ends (after running the real engine) holds
// the sweep at that point. The sweep either stores every run whole or ends
// with a message and keeps the earlier results; it never stores rows that
// are missing or shifted.
void FaultTest::resultFileLostDuringASweep() {
  QFETCH(QString, fault);
  MakeWindow();
  RunEarlierSweep();
  const SweepResults earlier = window_->state().store.Results();
  const fs::path go = program_->path() / "go";
  const fs::path waiting = program_->path() / "aaa_waiting_engine";
  WriteAll(waiting,
           "#!/bin/sh\n"
           "folder=$(dirname \"$0\")\n"
           "\"$folder/schedule\" \"$@\"\n"
           "status=$?\n"
           "while [ ! -e \"$folder/go\" ]; do sleep 0.05; done\n"
           "exit $status\n");
  fs::permissions(waiting, fs::perms(0755));
  Get<QToolButton>(QStringLiteral("SimRefresh"))->click();
  QCOMPARE(window_->state().simulators.names.front(), "aaa_waiting_engine");

  const fs::path file = fs::path(window_->state().TemporaryFolder) / std::string(kAvgWaitTempName);
  Type(0, QStringLiteral("100"));
  Type(1, QStringLiteral("1,1,3"));
  Get<QPushButton>(QStringLiteral("Startb"))->click();
  // The label row and the first run's row: the first engine is done.
  QTRY_COMPARE_WITH_TIMEOUT(LineCount(file), 2, kSoonMs);
  QVERIFY(!Idle());
  if (fault == "deleted") {
    fs::remove(file);
  } else if (fault == "folder") {
    fs::remove(file);
    fs::create_directory(file);
  } else {
    fs::permissions(file, fs::perms(0444));
  }
  WriteAll(go, "");
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  const ResultsStore& store = window_->state().store;
  const RunState end = window_->run_controller()->monitor().State();
  QVERIFY(end == RunState::kCompleted || end == RunState::kFailed);
  if (end == RunState::kCompleted) {
    // Only a file that stays writable (the superuser writes read-only
    // files) lets the sweep complete.
    QVERIFY(answers_->boxes.empty());
    QCOMPARE(fault, QStringLiteral("read-only"));
    QCOMPARE(store.RunCount(), 3);
    for (int run = 1; run <= 3; ++run) {
      QVERIFY(store.Results().Get(Metric::kAverageWaitingTime, 1, run) > 0);
    }
  } else {
    QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
    QCOMPARE(answers_->boxes[0].title, QStringLiteral("Trakvist"));
    VerifyEarlierResultsKept(earlier);
  }
  fs::remove_all(file);
  VerifyUsable();
}

// Saving onto a disk that is full: the message is shown, the earlier file
// keeps its bytes, no partial file is left in the folder, and the title
// and the file Save writes stay the earlier ones.
void FaultTest::fullDiskWhileSaving() {
  MakeWindow();
  RunEarlierSweep();
  const fs::path first = program_->path() / "first.txt";
  answers_->paths.push_back(QString::fromStdString(first.string()));
  Get<QPushButton>(QStringLiteral("SaveAs"))->click();
  const std::string saved = ReadAll(first);
  QVERIFY(saved.size() > 1000);
  Type(0, QStringLiteral("100,100,400"));
  RunSweep();
  QCOMPARE(window_->state().store.RunCount(), 4);
  const std::set<std::string> entries = FolderEntries(program_->path());
  {
    FileSizeLimit full(saved.size() / 2);
    Get<QPushButton>(QStringLiteral("SaveS"))->click();
    answers_->paths.push_back(QString::fromStdString((program_->path() / "second.txt").string()));
    Get<QPushButton>(QStringLiteral("SaveAs"))->click();
  }
  QCOMPARE(answers_->Texts(), QStringList({QStringLiteral("Can not save to selected file."),
                                           QStringLiteral("Can not save to selected file.")}));
  QCOMPARE(ReadAll(first), saved);
  QCOMPARE(FolderEntries(program_->path()), entries);
  // The failed saves leave the results marked unsaved.
  QCOMPARE(ShownTitle(window_.get()), QStringLiteral("Trakvist - first.txt*"));
  // With room again, Save writes the earlier file.
  Get<QPushButton>(QStringLiteral("SaveS"))->click();
  QCOMPARE(answers_->boxes.size(), 2u);
  QCOMPARE(ShownTitle(window_.get()), QStringLiteral("Trakvist - first.txt"));
  QVERIFY(ReadAll(first).size() > saved.size());
}

void FaultTest::disksFileMissingEmptyOrReadOnly_data() {
  QTest::addColumn<QString>("fault");
  QTest::newRow("missing") << "missing";
  QTest::newRow("empty") << "empty";
  QTest::newRow("read-only") << "read-only";
}

// The window starts with what the catalogue holds (only "Custom ..." when
// it is missing or empty, without a word), saving a disk type creates the
// file or refuses a read-only one with a message, and sweeps run either way.
void FaultTest::disksFileMissingEmptyOrReadOnly() {
  QFETCH(QString, fault);
  const fs::path disks = program_->path() / "Disks.ini";
  if (fault == "missing") fs::remove(disks);
  if (fault == "empty") WriteAll(disks, "");
  if (fault == "read-only") fs::permissions(disks, fs::perms(0444));
  const std::string before = fs::exists(disks) ? ReadAll(disks) : std::string();
  MakeWindow();
  auto* list = Get<QComboBox>(QStringLiteral("DiskList"));
  const bool catalogued = fault == "read-only";
  QCOMPARE(list->count() > 1, catalogued);
  QCOMPARE(list->itemText(list->count() - 1), QStringLiteral("Custom ..."));
  QVERIFY(answers_->boxes.empty());
  const int entries = list->count();

  Get<QPushButton>(QStringLiteral("CustomDisk"))->click();
  DiskPropertiesWindow* properties = window_->disk_properties_window();
  QVERIFY(QTest::qWaitForWindowActive(properties));
  answers_->texts.push_back(QStringLiteral("Fast"));
  properties->controls().save_disk->click();
  if (catalogued) {
    QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
    QVERIFY2(LastBox().startsWith(QStringLiteral("Can not save the disk type to ")),
             qPrintable(LastBox()));
    QCOMPARE(list->count(), entries);
    QCOMPARE(ReadAll(disks), before);
  } else {
    QVERIFY(answers_->boxes.empty());
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), QStringLiteral("Fast"));
    QVERIFY(ReadAll(disks).find("[Disk1]\r\nName=Fast\r\n") != std::string::npos);
  }
  properties->hide();
  const std::size_t boxes = answers_->boxes.size();
  Type(0, QStringLiteral("50"));
  RunSweep();
  QCOMPARE(answers_->boxes.size(), boxes);
  QCOMPARE(window_->state().store.RunCount(), 1);
}

// A requests file named in the box and edited between two starts is read
// again: a damaged edit is refused with the results kept, a good one runs
// with its own requests.
void FaultTest::requestsFileEditedBetweenTwoStarts() {
  MakeWindow();
  const fs::path requests = program_->path() / "requests.txt";
  WriteAll(requests, "0\r\n10 20 30\r\n");
  Get<QRadioButton>(QStringLiteral("Option3"))->click();
  TypeOver(Get<QLineEdit>(QStringLiteral("Manual")), QString::fromStdString(requests.string()));
  RunSweep();
  QVERIFY2(answers_->boxes.empty(), qPrintable(answers_->Texts().join("\n")));
  QCOMPARE(window_->state().manual.manual_req_count, 3);
  const double seek = window_->state().store.Results().Get(Metric::kTotalSeekTime, 1, 1);
  QVERIFY(seek > 0);

  // The stamp moves on as an editor's save would move it, however coarse
  // the file system's clock.
  const auto stamp = fs::last_write_time(requests);
  WriteAll(requests, "0\r\n10 99999999999\r\n");
  fs::last_write_time(requests, stamp + std::chrono::seconds(2));
  RunSweep();
  QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
  QCOMPARE(answers_->Texts(),
           QStringList({QStringLiteral("The manual requests are not in the proper format.")}));
  QCOMPARE(window_->state().store.Results().Get(Metric::kTotalSeekTime, 1, 1), seek);
  QVERIFY(!fs::exists(fs::path(window_->state().TemporaryFolder) /
                      std::string(kManualRequestsTempName)));

  WriteAll(requests, "0\r\n900 5 900 5\r\n");
  fs::last_write_time(requests, stamp + std::chrono::seconds(4));
  RunSweep();
  QCOMPARE(answers_->boxes.size(), 1u);
  QCOMPARE(window_->state().manual.manual_req_count, 4);
  QVERIFY(window_->state().store.Results().Get(Metric::kTotalSeekTime, 1, 1) != seek);
}

// One of two engines running at once is killed: the sweep ends with the
// message naming the killed engine's run, the other engine is stopped (no
// engine is left running), and the earlier results stay.
void FaultTest::parallelRunKilled() {
  MakeWindow(2);
  RunEarlierSweep();
  const SweepResults earlier = window_->state().store.Results();
  StartLongSweep();
  QTRY_COMPARE_WITH_TIMEOUT(ChildProcesses().size(), 2u, kSoonMs);
  const pid_t killed = ChildProcesses().back();
  const std::string command = ReadAll("/proc/" + std::to_string(killed) + "/cmdline");
  // The run of the killed engine: field 1 swept as 1, 2, 3 is passed as -r:.
  const std::size_t swept = command.find(std::string("\0-r:", 4));
  QVERIFY(swept != std::string::npos);
  const QString run = QString::fromStdString(command.substr(swept + 4, 1));
  QCOMPARE(kill(killed, SIGKILL), 0);
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  QTRY_COMPARE_WITH_TIMEOUT(answers_->boxes.size(), 1u, kSoonMs);
  QVERIFY2(LastBox().startsWith(QStringLiteral("Run ") + run +
                                QStringLiteral(" of the simulation ended without writing")),
           qPrintable(LastBox()));
  QCOMPARE(window_->run_controller()->monitor().State(), RunState::kFailed);
  QTRY_COMPARE_WITH_TIMEOUT(ChildProcesses().size(), 0u, kSoonMs);
  VerifyEarlierResultsKept(earlier);
  VerifyUsable();
}

}  // namespace trakvist

QTEST_MAIN(trakvist::FaultTest)
#include "fault_test.moc"
