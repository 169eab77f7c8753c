// The main window's shell: menus and their shortcuts, the question about
// unsaved results, the status bar, and what the window remembers.
#include <QAbstractSpinBox>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "frontend/ui/main_window/main_window.h"
#include "frontend/ui/simulation/run_controller.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void shortcutPressesItsButton_data();
  void shortcutPressesItsButton();
  void shortcutsFollowTheButtons();
  void tabShortcuts();
  void readMeAndQuit();
  void unsavedResultsQuestion_data();
  void unsavedResultsQuestion();
  void statusAfterASweep_data();
  void statusAfterASweep();
  void fitsASmallScreen();
  void tabFollowsTheReadingOrder();
  void remembersGeometryAndRecentFiles();

 private:
  template <typename Widget = QWidget>
  Widget* Get(const QString& name) const {
    return ControlAs<Widget>(window_->findChild<QTabWidget*>(QStringLiteral("TabStrip1")), name);
  }
  void Type(int field, const QString& text) {
    TypeOver(Get<QLineEdit>(QStringLiteral("Cparam_") + QString::number(field)), text);
  }
  bool Idle() const { return window_->state().panel.startb_enabled; }
  void RunSweep(const QString& requests = QStringLiteral("100,100,300")) {
    Type(0, requests);
    Get<QPushButton>(QStringLiteral("Startb"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  }
  void Press(const QKeySequence& keys) { QTest::keySequence(window_.get(), keys); }
  QString Status() const { return window_->findChild<QLabel*>(QStringLiteral("StatusText"))->text(); }
  QString Saved(const char* name) const {
    return QString::fromStdString(program_->folder() + name);
  }

  std::unique_ptr<TestProgramFolder> program_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<DialogAnswers> answers_;
};

void ShellTest::init() {
  program_ = std::make_unique<TestProgramFolder>();
  window_ = program_->MakeWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  answers_ = std::make_unique<DialogAnswers>();
}

void ShellTest::cleanup() {
  answers_.reset();
  window_.reset();
  program_.reset();
}

void ShellTest::shortcutPressesItsButton_data() {
  QTest::addColumn<QKeySequence>("keys");
  QTest::addColumn<QString>("button");
  QTest::newRow("Open") << QKeySequence(QKeySequence::Open) << QStringLiteral("OpenS");
  QTest::newRow("Save") << QKeySequence(QKeySequence::Save) << QStringLiteral("SaveS");
  QTest::newRow("Save As") << QKeySequence(QStringLiteral("Ctrl+Shift+S")) << QStringLiteral("SaveAs");
  QTest::newRow("Start") << QKeySequence(Qt::Key_F5) << QStringLiteral("Startb");
  QTest::newRow("Stop") << QKeySequence(Qt::Key_Escape) << QStringLiteral("Stopb");
}

// With results to save, each shortcut presses its button once (the file
// dialogs are cancelled, the sweep runs to its end).
void ShellTest::shortcutPressesItsButton() {
  QFETCH(QKeySequence, keys);
  QFETCH(QString, button);
  RunSweep();
  QSignalSpy clicked(Get<QPushButton>(button), &QPushButton::clicked);
  Press(keys);
  QCOMPARE(clicked.count(), 1);
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
}

// The items are enabled exactly when their buttons are: Save and Save As
// need results, Start and Open wait for the end of a run, Stop is always
// there.
void ShellTest::shortcutsFollowTheButtons() {
  const MainMenus& menus = window_->menus();
  QSignalSpy saved(Get<QPushButton>(QStringLiteral("SaveS")), &QPushButton::clicked);
  QVERIFY(!menus.save->isEnabled());
  QVERIFY(!menus.save_as->isEnabled());
  QVERIFY(!menus.export_results->isEnabled());
  Press(QKeySequence::Save);
  QCOMPARE(saved.count(), 0);

  Type(0, QStringLiteral("1000000"));
  Type(1, QStringLiteral("1,1,3"));
  QSignalSpy started(Get<QPushButton>(QStringLiteral("Startb")), &QPushButton::clicked);
  Press(QKeySequence(Qt::Key_F5));
  QCOMPARE(started.count(), 1);
  QVERIFY(!Idle());
  QVERIFY(!menus.start->isEnabled());
  QVERIFY(!menus.open->isEnabled());
  QVERIFY(menus.stop->isEnabled());
  Press(QKeySequence(Qt::Key_F5));
  QCOMPARE(started.count(), 1);
  Press(QKeySequence(Qt::Key_Escape));
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  QVERIFY(menus.start->isEnabled());
  QVERIFY(menus.open->isEnabled());
  QVERIFY(!menus.save->isEnabled());  // a stopped sweep leaves no results
  QVERIFY(!menus.export_results->isEnabled());
}

void ShellTest::tabShortcuts() {
  auto* tabs = window_->findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  for (const int tab : {1, 2, 0}) {
    Press(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + tab)));
    QCOMPARE(tabs->currentIndex(), tab);
  }
}

void ShellTest::readMeAndQuit() {
  Press(QKeySequence(Qt::Key_F1));
  QCOMPARE(program_->opened_in_editor, std::vector<std::string>{program_->folder() + "ReadMe.txt"});
  Press(QKeySequence(QStringLiteral("Ctrl+Q")));
  QVERIFY(!window_->isVisible());
}

void ShellTest::unsavedResultsQuestion_data() {
  QTest::addColumn<QString>("action");  // "open", "start" or "close"
  QTest::addColumn<bool>("sweep");
  QTest::addColumn<bool>("save_first");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("asked");
  QTest::addColumn<bool>("goes_on");
  const int cancel = QMessageBox::Cancel;
  const int discard = QMessageBox::Discard;
  const int save = QMessageBox::Save;
  QTest::newRow("open, no results") << "open" << false << false << cancel << false << true;
  QTest::newRow("open, unsaved, Cancel") << "open" << true << false << cancel << true << false;
  QTest::newRow("open, unsaved, Discard") << "open" << true << false << discard << true << true;
  QTest::newRow("open, saved") << "open" << true << true << cancel << false << true;
  QTest::newRow("start, unsaved, Cancel") << "start" << true << false << cancel << true << false;
  QTest::newRow("start, saved") << "start" << true << true << cancel << false << true;
  QTest::newRow("close, no results") << "close" << false << false << cancel << false << true;
  QTest::newRow("close, unsaved, Cancel") << "close" << true << false << cancel << true << false;
  QTest::newRow("close, unsaved, Save") << "close" << true << false << save << true << true;
  QTest::newRow("close, saved") << "close" << true << true << cancel << false << true;
}

// Open, Start and closing ask "Save the results of the last sweep?"
// exactly when the results of a sweep were never saved; the title carries
// the modified mark meanwhile.
void ShellTest::unsavedResultsQuestion() {
  QFETCH(QString, action);
  QFETCH(bool, sweep);
  QFETCH(bool, save_first);
  QFETCH(int, answer);
  QFETCH(bool, asked);
  QFETCH(bool, goes_on);
  if (sweep) RunSweep();
  QCOMPARE(window_->isWindowModified(), sweep);
  const QString file = Saved("kept.txt");
  if (save_first || answer == QMessageBox::Save) {
    answers_->paths.push_back(file);
    if (save_first) Get<QPushButton>(QStringLiteral("SaveAs"))->click();
  }
  QCOMPARE(window_->isWindowModified(), sweep && !save_first);
  answers_->save_answers.push_back(static_cast<QMessageBox::StandardButton>(answer));
  const std::int32_t runs = window_->run_controller()->monitor().RunCount();

  bool went_on = false;
  if (action == QLatin1String("open")) {
    answers_->paths.push_back(Saved("ReadMe.txt"));  // not a simulation: a message
    Get<QPushButton>(QStringLiteral("OpenS"))->click();
    went_on = answers_->paths.empty();  // the file dialog took the path
  } else if (action == QLatin1String("start")) {
    Type(0, QStringLiteral("100"));
    Get<QPushButton>(QStringLiteral("Startb"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
    went_on = window_->run_controller()->monitor().RunCount() != runs || !sweep;
  } else {
    went_on = window_->close();
  }
  QCOMPARE(answers_->save_questions.size(), asked ? 1u : 0u);
  if (asked) {
    QCOMPARE(answers_->save_questions[0].title, QStringLiteral("Trakvist"));
    QCOMPARE(answers_->save_questions[0].text, QStringLiteral("Save the results of the last sweep?"));
  }
  QCOMPARE(went_on, goes_on);
  if (answer == QMessageBox::Save && asked) QVERIFY(QFile::exists(file));
}

// Tab goes through the Simulation tab's frames as they read, left column
// first, each frame's controls from top to bottom and left to right, and
// reaches every control that takes the focus, Start and Stop last.
void ShellTest::tabFollowsTheReadingOrder() {
  const QStringList frames = {QStringLiteral("Frame2"),         QStringLiteral("Frame3"),
                              QStringLiteral("Frame4"),         QStringLiteral("Frame1"),
                              QStringLiteral("RunOptionsFrame"), QStringLiteral("SimulatorFrame"),
                              QStringLiteral("SimulationFileFrame")};
  QWidget* start = Get(QStringLiteral("Option1"));
  QWidget* page = window_->findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->widget(0);
  const auto rank = [&](QWidget* w) {
    for (int f = 0; f < frames.size(); ++f) {
      if (Get(frames[f])->isAncestorOf(w)) return f;
    }
    return static_cast<int>(frames.size());  // Start, Stop and the rest below the frames
  };
  QStringList order;
  int last_rank = 0;
  QPoint last_place(-1, -1);
  int reached = 0;
  for (QWidget* w = start; reached == 0 || w != start; w = w->nextInFocusChain()) {
    if (++reached > 1000) QFAIL("the focus chain does not come back");
    if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(window_.get()) ||
        !w->isEnabled() || !page->isAncestorOf(w)) {
      continue;
    }
    // A tab widget hands the focus to its tab bar, a spin box its own to its
    // text; the scrolling panels take it only to scroll by keys.
    if (qobject_cast<QTabWidget*>(w) != nullptr || qobject_cast<QScrollArea*>(w) != nullptr ||
        qobject_cast<QAbstractSpinBox*>(w->parentWidget()) != nullptr) {
      continue;
    }
    const QPoint place = w->mapTo(window_.get(), w->rect().center());
    order << w->objectName();
    const int r = rank(w);
    QVERIFY2(r >= last_rank, qPrintable(order.join(QLatin1Char(' '))));
    if (r == last_rank) {
      // One row: centres within a few pixels of each other.
      const bool same_row = std::abs(place.y() - last_place.y()) <= 4;
      QVERIFY2(same_row ? place.x() >= last_place.x() : place.y() > last_place.y(),
               qPrintable(order.join(QLatin1Char(' '))));
    }
    last_rank = r;
    last_place = place;
  }
  QVERIFY2(order.contains(QStringLiteral("Startb")), qPrintable(order.join(QLatin1Char(' '))));
  QVERIFY2(order.contains(QStringLiteral("SaveAs")) || order.contains(QStringLiteral("OpenS")),
           qPrintable(order.join(QLatin1Char(' '))));
  QVERIFY2(order.contains(QStringLiteral("Replications")), qPrintable(order.join(QLatin1Char(' '))));
}

void ShellTest::statusAfterASweep_data() {
  QTest::addColumn<QString>("requests");
  QTest::addColumn<bool>("stop");
  QTest::addColumn<QString>("status");  // a pattern
  QTest::newRow("completed") << "100,100,300" << false << R"(^3 runs in \d+\.\d s$)";
  QTest::newRow("stopped") << "1000000" << true << "^Stopped during run 1 of 3$";
  QTest::newRow("failed") << "300,100,100" << false
                          << "^The parameter ranges give no combination to run: a range whose "
                             "step leads away from its end value has no values\\. No simulation "
                             "was run\\.$";
}

// The status bar says "Ready", then where a sweep stands, then how it ended.
void ShellTest::statusAfterASweep() {
  QFETCH(QString, requests);
  QFETCH(bool, stop);
  QFETCH(QString, status);
  QCOMPARE(Status(), QStringLiteral("Ready"));
  Type(0, requests);
  if (stop) Type(1, QStringLiteral("1,1,3"));
  Get<QPushButton>(QStringLiteral("Startb"))->click();
  if (stop) {
    QTRY_VERIFY_WITH_TIMEOUT(Get<QProgressBar>(QStringLiteral("Progress1"))->value() > 0, kSoonMs);
    QVERIFY2(Status().startsWith(QStringLiteral("Run 1 of 3 \u2026")), qPrintable(Status()));
    Get<QPushButton>(QStringLiteral("Stopb"))->click();
  }
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), kSoonMs);
  QVERIFY2(QRegularExpression(status).match(Status()).hasMatch(), qPrintable(Status()));
}

// The pages scroll instead of forcing the window's size.
void ShellTest::fitsASmallScreen() {
  const QSize least = window_->minimumSizeHint().expandedTo(window_->minimumSize());
  QVERIFY2(least.width() <= 1024 && least.height() <= 560,
           qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
}

// A second window over the same settings has the first one's size and
// lists the file it saved.
void ShellTest::remembersGeometryAndRecentFiles() {
  RunSweep();
  answers_->paths.push_back(Saved("recent.txt"));
  Get<QPushButton>(QStringLiteral("SaveAs"))->click();
  window_->resize(900, 560);
  QVERIFY(window_->close());
  window_.reset();

  window_ = program_->MakeWindow();
  QCOMPARE(window_->size(), QSize(900, 560));
  const QList<QAction*> items = window_->menus().recent_files->actions();
  QCOMPARE(items.size(), 1);
  QVERIFY2(items[0]->text().endsWith(Saved("recent.txt")), qPrintable(items[0]->text()));
  items[0]->trigger();
  QCOMPARE(ShownTitle(window_.get()), QStringLiteral("Trakvist - recent.txt"));
}

}  // namespace trakvist

QTEST_MAIN(trakvist::ShellTest)
#include "shell_test.moc"
