// The main window on Qt's offscreen platform: its controls, their start
// state, and the panel's change rules reached through the controls.
#include "frontend/ui/main_window/main_window.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "frontend/ui/common/up_down.h"
#include "frontend/ui/disk_properties/disk_properties_window.h"
#include "frontend/ui/main_window/about_box.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {
namespace {

QString Indexed(const char* name, int index) {
  return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void controlExists_data();
  void controlExists();
  void caption_data();
  void caption();
  void toolTip_data();
  void toolTip();
  void startEnabling_data();
  void startEnabling();
  void startChecks_data();
  void startChecks();
  void startTextsAndLists();
  void disabledFieldsShowTheButtonFace();
  void fieldsSitOnTheirPages();
  void tablesAndLists();

  void typingIsFiltered_data();
  void typingIsFiltered();
  void rangeDisablesTheSpinner();
  void spinnerSteps_data();
  void spinnerSteps();
  void requestSource_data();
  void requestSource();
  void rtimerDisablesTheSeed();
  void distributionRelabelsAndRefilters();
  void diskFieldsMarkTheDiskCustom();
  void xAxisChoice();
  void startControlsDuringRun();

  void withoutASimulatorStartSaysWhy();
  void simulatorRefreshListsTheFolderAgain();
  void closingDuringRunIsRefused();
  void closingClosesEveryOtherWindow();
  void customAndAboutOpenTheirWindows();

 private:
  template <typename Widget>
  Widget* Get(const QString& name) const {
    return ControlAs<Widget>(root_, name);
  }
  QWidget* Get(const QString& name) const { return Control(root_, name); }

  std::unique_ptr<TestProgramFolder> program_;
  std::unique_ptr<MainWindow> window_;
  // Lookups stay on the two tabs: the disk properties window has spinners
  // of its own named UpDown_0 ...
  QWidget* root_ = nullptr;
};

void MainWindowTest::init() {
  program_ = std::make_unique<TestProgramFolder>();
  window_ = program_->MakeWindow();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  root_ = window_->findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  QVERIFY(root_ != nullptr);
}

void MainWindowTest::cleanup() {
  window_.reset();
  program_.reset();
  root_ = nullptr;
}

void MainWindowTest::controlExists_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("kind");
  const auto row = [](const QString& name, const char* kind) {
    QTest::newRow(qPrintable(name)) << name << QString::fromLatin1(kind);
  };
  for (int i = 0; i < 16; ++i) {
    row(Indexed("Cparam", i), "QLineEdit");
    row(Indexed("UpDown", i), "trakvist::UpDown");
    row(Indexed("Cm", i), "QComboBox");
    row(Indexed("PCheck", i), "QCheckBox");
  }
  for (int i = 0; i <= 16; ++i) row(Indexed("COption", i), "QRadioButton");
  for (const char* name : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame9", "SimParamFrame"}) {
    row(QString::fromLatin1(name), "QGroupBox");
  }
  for (const char* name : {"PgDisk", "PgTabs"}) row(QString::fromLatin1(name), "QTabWidget");
  for (const char* name : {"PgD_0", "PgD_1", "Pg_0", "Pg_1", "Bigframe", "MChart"}) {
    row(QString::fromLatin1(name), "QWidget");
  }
  for (const char* name :
       {"Option1", "Option2", "Option3", "SOption", "WOption", "XWOption", "P50Option",
        "P90Option", "P95Option", "P99Option", "SDOption", "Boption", "Loption"}) {
    row(QString::fromLatin1(name), "QRadioButton");
  }
  for (const char* name : {"Rtimer", "SkipIdle", "BOPATH_Reset", "BOPATH_Swap", "OFCFS", "Disprog",
                           "isLBA", "ImSaved", "CopyTU", "SRCheck", "Showx", "CTitle",
                           "Percentiles"}) {
    row(QString::fromLatin1(name), "QCheckBox");
  }
  for (const char* name : {"DistList", "SLOOK_Reset", "DiskList", "SimList", "Formula"}) {
    row(QString::fromLatin1(name), "QComboBox");
  }
  for (const char* name : {"Manual", "Title", "cunit"}) {
    row(QString::fromLatin1(name), "QLineEdit");
  }
  for (const char* name : {"Import", "SimRefresh", "Command1", "Picture1"}) {
    row(QString::fromLatin1(name), "QToolButton");
  }
  for (const char* name :
       {"CustomDisk", "Startb", "Stopb", "OpenS", "SaveS", "SaveAs", "CopyC", "Publish",
        "ExportResults"}) {
    row(QString::fromLatin1(name), "QPushButton");
  }
  for (const char* name : {"Distpar1", "Distpar2", "Label8", "Label9", "Label10", "Label11",
                           "Label12", "Label14", "LTime"}) {
    row(QString::fromLatin1(name), "QLabel");
  }
  row(QStringLiteral("Progress1"), "QProgressBar");
  row(QStringLiteral("LTable"), "QTreeWidget");
}

void MainWindowTest::controlExists() {
  QFETCH(QString, name);
  QFETCH(QString, kind);
  QWidget* control = Get(name);
  QVERIFY(control != nullptr);
  QVERIFY2(control->inherits(qPrintable(kind)), control->metaObject()->className());
  // Names are unique across both tabs.
  QCOMPARE(root_->findChildren<QWidget*>(name).size(), 1);
}

void MainWindowTest::caption_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  const auto row = [](const char* name, const char* caption) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
  };
  row("Frame1", "Disk Properties");
  row("Frame2", "Request Generation");
  row("Frame3", "S-LOOK Options");
  row("Frame4", "BO-PATH Options");
  row("Option1", "Request Arrival Distribution");
  row("Option2", "Generate All Requests At Time Zero");
  row("Option3", "Manual Request Entry");
  row("Rtimer", "Randomize By Timer. (Gives true random requests)");
  row("SkipIdle", "Skip Idle Time");
  row("BOPATH_Reset", "Reset BO-PATH waisted time on every request in path");
  row("BOPATH_Swap", "Use BO-PATH min/max swaping trick");
  row("OFCFS", "Disable FCFS");
  row("Disprog", "Disable Progress Bar to Improve Performance");
  row("Percentiles", "Waiting-time percentiles");
  row("ReplicationsLabel", "Replications");
  row("isLBA", "Use LBA");
  row("SLOOK_ResetLabel", "S-LOOK waisted time reseting method");
  row("CustomDisk", "Custom ...");
  row("Startb", "Start");
  row("Stopb", "Stop");
  row("LTime", "00:00:00");
  row("OpenS", "Open");
  row("SaveS", "Save");
  row("SaveAs", "Save As");
  row("ImSaved", "Import Saved Simulation Page");
  row("CparamLabel_0", "Total Number of Requests");
  row("CparamLabel_1", "Randomization Seed");
  row("Distpar1", "Request Arrival Rate (b/sec)");
  row("Distpar2", "N/A");
  row("CparamLabel_4", "S-LOOK Waisted Time Constant");
  row("CparamLabel_5", "S-LOOK Waisted Time Factor");
  row("Label11", "BO-PATH Waisted Time Threshold");
  row("Label12", "BO-PATH Maximum A* Depth");
  row("CparamLabel_8", "Block Time (TU)");
  row("CparamLabel_9", "Cylinder Seek Time (TU)");
  row("CparamLabel_10", "Total Number of Cylinders");
  row("CparamLabel_11", "Initial Head Position");
  row("CparamLabel_12", "Number of Seconds Per Time Unit");
  row("CparamLabel_13", "Blocks Per Track");
  row("CparamLabel_14", "Settle Time (TU)");
  row("CparamLabel_15", "Number of Heads");
  // "Charts" tab.
  row("SOption", "Total Seek Time");
  row("WOption", "Av. Waiting Time");
  row("XWOption", "Max. Waiting Time");
  row("P50Option", "Median Waiting Time");
  row("P90Option", "90th Percentile Waiting Time");
  row("P95Option", "95th Percentile Waiting Time");
  row("P99Option", "99th Percentile Waiting Time");
  row("SDOption", "Waiting Time Std. Deviation");
  row("Boption", "Bars");
  row("Loption", "Lines");
  row("Label8", "Exclude:");
  row("Label9", "Title:");
  row("Label10", "1 Time Unit = ");
  row("Label14", "Y-aixs Units");
  row("CopyTU", "Y-axis scale in seconds");
  row("SRCheck", "Show Results");
  row("Showx", "X-axis Title");
  row("Frame9", "Content");
  row("CopyC", "Copy");
  row("Publish", "Publish");
  QTest::newRow("ExportResults") << QStringLiteral("ExportResults")
                                 << QStringLiteral("Export Results\u2026");
  row("COption_0", "Total Number of Requests");
  row("COption_2", "Maximum Requests Per Time Unit");
  row("COption_3", "Request Arival Probability %");
  row("COption_8", "Block Transfer Time");
  row("COption_10", "Total Cylinders");
  row("COption_12", "Number of Seconds Per Time Unit");
  row("COption_16", "No X-axis Variable");
  row("CTitle", "");
  row("Title", "");
  row("cunit", "1");
}

void MainWindowTest::caption() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QCOMPARE(Caption(Get(name)), caption);
}

void MainWindowTest::toolTip_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("tip");
  const auto row = [](const char* name, const char* tip) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(tip);
  };
  row("Option3", "See the ReadMe.txt file for more info");
  row("Manual", "See the ReadMe.txt file for more info");
  row("Import", "Import requests file");
  row("SkipIdle",
      "Skip idle simulation time to improve performance. Usefull for very low request arrival "
      "rates.");
  row("OFCFS", "FCFS consumes significant CPU time. You can disable it to improve performance");
  row("isLBA",
      "Assume manual requests are LBA values. If you import a file, the configuration in the fle "
      "will be used instead");
  row("LTime", "Simulation Time");
  row("SimList", "Simulator List: Specify which simulator version you want to use");
  row("SimRefresh", "Refresh Simulator List");
  row("ImSaved", "Import saved simulation page when opening a saved charts/data file");
  row("Formula", "Apply formula over range");
  row("Cparam_2", "");
  row("Cparam_3", "");
}

void MainWindowTest::toolTip() {
  QFETCH(QString, name);
  QFETCH(QString, tip);
  QCOMPARE(Get(name)->toolTip(), tip);
}

void MainWindowTest::startEnabling_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("enabled");
  const auto row = [](const QString& name, bool enabled) {
    QTest::newRow(qPrintable(name)) << name << enabled;
  };
  // "Poisson" has no second parameter; the BO-PATH group is never editable.
  for (const char* name :
       {"Cparam_3", "UpDown_3", "Distpar2", "Cparam_6", "UpDown_6", "Label11", "Cparam_7",
        "UpDown_7", "Label12", "Frame4", "BOPATH_Reset", "BOPATH_Swap"}) {
    row(QString::fromLatin1(name), false);
  }
  // Manual requests are off with the first request source.
  for (const char* name : {"Manual", "Import", "isLBA"}) row(QString::fromLatin1(name), false);
  // Nothing to save, publish or export before results exist, and no
  // statistics to choose.
  for (const char* name : {"SaveS", "SaveAs", "Publish", "ExportResults", "P50Option", "SDOption"}) {
    row(QString::fromLatin1(name), false);
  }
  for (const char* name : {"Cparam_0", "Cparam_1", "Cparam_2", "Cparam_12", "Rtimer", "DistList",
                           "Frame1", "Frame2", "Frame3", "Startb", "Stopb", "OpenS", "ImSaved",
                           "SimList", "SimRefresh", "Command1", "CustomDisk", "DiskList"}) {
    row(QString::fromLatin1(name), true);
  }
  // "Charts": no X-axis variable, so no formula and no X-axis title; the
  // BO-PATH parameters cannot be chosen.
  for (const char* name :
       {"Formula", "Showx", "COption_6", "Cm_6", "PCheck_6", "COption_7", "Cm_7", "PCheck_7"}) {
    row(QString::fromLatin1(name), false);
  }
  for (const char* name : {"COption_0", "Cm_0", "PCheck_0", "COption_16", "PCheck_15", "Title"}) {
    row(QString::fromLatin1(name), true);
  }
}

void MainWindowTest::startEnabling() {
  QFETCH(QString, name);
  QFETCH(bool, enabled);
  QCOMPARE(Get(name)->isEnabled(), enabled);
}

void MainWindowTest::startChecks_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("checked");
  const auto row = [](const char* name, bool checked) {
    QTest::newRow(name) << QString::fromLatin1(name) << checked;
  };
  row("Option1", true);
  row("Option2", false);
  row("Option3", false);
  row("Rtimer", false);
  row("SkipIdle", true);
  row("BOPATH_Reset", false);
  row("BOPATH_Swap", true);
  row("OFCFS", false);
  row("Disprog", false);
  row("isLBA", false);
  row("ImSaved", true);
  row("SOption", true);
  row("Boption", true);
  row("Loption", false);
  row("COption_16", true);
  row("COption_0", false);
  row("PCheck_0", false);
  row("CTitle", true);
  row("Showx", true);
  row("CopyTU", false);
  row("SRCheck", false);
}

void MainWindowTest::startChecks() {
  QFETCH(QString, name);
  QFETCH(bool, checked);
  QCOMPARE(Get<QAbstractButton>(name)->isChecked(), checked);
}

void MainWindowTest::startTextsAndLists() {
  QCOMPARE(ShownTitle(window_.get()), QStringLiteral("Trakvist"));
  auto* tabs = qobject_cast<QTabWidget*>(root_);
  QCOMPARE(tabs->count(), 3);
  QCOMPARE(tabs->tabText(0), QStringLiteral("Simulation"));
  QCOMPARE(tabs->tabText(1), QStringLiteral("Charts"));
  QCOMPARE(tabs->tabText(2), QStringLiteral("Head Path"));
  QCOMPARE(tabs->currentIndex(), 0);

  // The shipped "Default" disk is applied at start-up: it gives the panel's
  // defaults, the seconds per TU written as the disk's conversion writes it.
  const QStringList defaults = {"500", "600", "60",   "0.01", "0",     "1",   "1000", "30",
                                "2",   "1",   "1000", "0",    "1E-05", "600", "600",  "4"};
  for (int i = 0; i < 16; ++i) QCOMPARE(Get<QLineEdit>(Indexed("Cparam", i))->text(), defaults[i]);

  const auto items = [](QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
  };
  auto* dist = Get<QComboBox>(QStringLiteral("DistList"));
  QCOMPARE(items(dist), QStringList({"Poisson", "Generic"}));
  QCOMPARE(dist->currentText(), QStringLiteral("Poisson"));
  auto* reset = Get<QComboBox>(QStringLiteral("SLOOK_Reset"));
  QCOMPARE(items(reset), QStringList({"Extremes", "Ping Pong", "Empty Queue"}));
  QCOMPARE(reset->currentText(), QStringLiteral("Empty Queue"));
  auto* formula = Get<QComboBox>(QStringLiteral("Formula"));
  QCOMPARE(items(formula), QStringList({"None", "Average", "Minimum", "Maximum"}));
  QCOMPARE(formula->currentText(), QStringLiteral("None"));
  auto* disks = Get<QComboBox>(QStringLiteral("DiskList"));
  QCOMPARE(items(disks), QStringList({"Default", "Seagate ST-412", "Seagate ST-225",
                                      "Seagate ST-251", "HP 97560", "Custom ..."}));
  QCOMPARE(disks->currentText(), QStringLiteral("Default"));
  auto* simulators = Get<QComboBox>(QStringLiteral("SimList"));
  QCOMPARE(items(simulators), QStringList({"schedule"}));  // not Disks.ini, not the text files
  QCOMPARE(simulators->currentText(), QStringLiteral("schedule"));
  QCOMPARE(Get(QStringLiteral("Startb"))->toolTip(),
           QStringLiteral("Run the engine once for every combination of the parameter ranges (F5)"));
  // No results yet: the value lists are empty.
  QCOMPARE(Get<QComboBox>(QStringLiteral("Cm_0"))->count(), 0);
  QCOMPARE(Get<QProgressBar>(QStringLiteral("Progress1"))->value(), 0);
}

void MainWindowTest::disabledFieldsShowTheButtonFace() {
  const QColor window = SystemColour(QPalette::Base);
  const QColor face = SystemColour(QPalette::Button);
  QVERIFY(window != face);
  QCOMPARE(InputBackground(Get(QStringLiteral("Cparam_0"))), window);
  QCOMPARE(InputBackground(Get(QStringLiteral("Cparam_3"))), face);
  QCOMPARE(InputBackground(Get(QStringLiteral("Cparam_6"))), face);
  QCOMPARE(InputBackground(Get(QStringLiteral("Manual"))), face);
  QCOMPARE(InputBackground(Get(QStringLiteral("DistList"))), window);
  QCOMPARE(InputBackground(Get(QStringLiteral("Cm_6"))), face);
  QCOMPARE(InputBackground(Get(QStringLiteral("Formula"))), face);
}

void MainWindowTest::fieldsSitOnTheirPages() {
  auto* pages = Get<QTabWidget>(QStringLiteral("PgDisk"));
  QCOMPARE(pages->count(), 2);
  QCOMPARE(pages->tabText(0), QStringLiteral("Page 1"));
  QCOMPARE(pages->tabText(1), QStringLiteral("Page 2"));
  QWidget* page1 = Get(QStringLiteral("PgD_0"));
  QWidget* page2 = Get(QStringLiteral("PgD_1"));
  for (const int i : {8, 9, 10, 11, 13}) QVERIFY(page1->isAncestorOf(Get(Indexed("Cparam", i))));
  for (const int i : {14, 15}) QVERIFY(page2->isAncestorOf(Get(Indexed("Cparam", i))));
  QWidget* request = Get(QStringLiteral("Frame2"));
  for (const int i : {0, 1, 2, 3, 12}) QVERIFY(request->isAncestorOf(Get(Indexed("Cparam", i))));
  for (const int i : {4, 5})
    QVERIFY(Get(QStringLiteral("Frame3"))->isAncestorOf(Get(Indexed("Cparam", i))));
  for (const int i : {6, 7})
    QVERIFY(Get(QStringLiteral("Frame4"))->isAncestorOf(Get(Indexed("Cparam", i))));
  QVERIFY(Get(QStringLiteral("Frame1"))->isAncestorOf(Get(QStringLiteral("DiskList"))));

  auto* tabs = Get<QTabWidget>(QStringLiteral("PgTabs"));
  QCOMPARE(tabs->tabText(0), QStringLiteral("Page 1"));
  QCOMPARE(tabs->tabText(1), QStringLiteral("Page 2"));
  for (int i = 0; i < 16; ++i) {
    QWidget* page = Get(Indexed("Pg", i / 8));
    QVERIFY(page->isAncestorOf(Get(Indexed("COption", i))));
    QVERIFY(page->isAncestorOf(Get(Indexed("Cm", i))));
    QVERIFY(page->isAncestorOf(Get(Indexed("PCheck", i))));
  }
}

void MainWindowTest::tablesAndLists() {
  auto* table = Get<QTreeWidget>(QStringLiteral("LTable"));
  // The statistics' columns are there, hidden until results hold them.
  const QStringList headers = {"Algorithm",           "Total Seek Time", "Av. Waiting Time",
                               "Max. Waiting Time",   "Median Waiting Time",
                               "90th Percentile",     "95th Percentile", "99th Percentile",
                               "Waiting Time Std. Dev."};
  QCOMPARE(table->columnCount(), headers.size());
  for (int c = 0; c < headers.size(); ++c) {
    QCOMPARE(table->headerItem()->text(c), headers[c]);
    QCOMPARE(table->isColumnHidden(c), c >= 4);
  }
  QCOMPARE(table->header()->sortIndicatorSection(), 0);
  QAbstractItemModelTester tester(table->model(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest);

  auto* list = Get<QListWidget>(QStringLiteral("List1"));
  const QStringList names = {"FCFS",   "SSTF",   "SCAN",    "C-SCAN", "LOOK",
                             "C-LOOK", "S-LOOK", "BO-PATH", "SATF"};
  QCOMPARE(list->count(), names.size());
  for (int i = 0; i < list->count(); ++i) {
    QCOMPARE(list->item(i)->text(), names[i]);
    QCOMPARE(list->item(i)->isSelected(), i == 0);  // only FCFS is excluded
  }
  QCOMPARE(list->selectionMode(), QAbstractItemView::MultiSelection);
}

void MainWindowTest::typingIsFiltered_data() {
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("letters dropped") << 0 << "12ab3"
                                   << "123";
  QTest::newRow("whole field drops the point") << 0 << "1.5"
                                               << "15";
  QTest::newRow("decimal field keeps it") << 12 << "1.5"
                                          << "1.5";
  QTest::newRow("exponent with sign") << 12 << "1E-5"
                                      << "1E-5";
  QTest::newRow("second exponent dropped") << 12 << "1e5e"
                                           << "1e5";
  QTest::newRow("minus where allowed") << 4 << "-3"
                                       << "-3";
  QTest::newRow("minus where not") << 10 << "-3"
                                   << "3";
  QTest::newRow("range in a minus field") << 5 << "-5,-1,-10"
                                          << "-5,-1,-10";
  QTest::newRow("Poisson rate is decimal") << 2 << "0.5"
                                           << "0.5";
}

void MainWindowTest::typingIsFiltered() {
  QFETCH(int, field);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  auto* edit = Get<QLineEdit>(Indexed("Cparam", field));
  TypeOver(edit, typed);
  QCOMPARE(edit->text(), shown);
  QCOMPARE(window_->panel().cparam[field].text, shown.toStdString());
  // The cursor stays at the end of what was typed.
  QCOMPARE(edit->cursorPosition(), shown.size());
}

void MainWindowTest::rangeDisablesTheSpinner() {
  auto* edit = Get<QLineEdit>(QStringLiteral("Cparam_0"));
  QWidget* spinner = Get(QStringLiteral("UpDown_0"));
  TypeOver(edit, QStringLiteral("100,100,1000"));
  QCOMPARE(edit->text(), QStringLiteral("100,100,1000"));
  QVERIFY(!spinner->isEnabled());
  TypeOver(edit, QStringLiteral("100"));
  QVERIFY(spinner->isEnabled());
}

void MainWindowTest::spinnerSteps_data() {
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("before");
  QTest::addColumn<bool>("up");
  QTest::addColumn<QString>("after");
  QTest::newRow("up") << 0 << "500" << true << "501";
  QTest::newRow("down") << 0 << "500" << false << "499";
  QTest::newRow("not below zero") << 11 << "0" << false << "0";
  QTest::newRow("decimal steps to a whole value") << 12 << "0.5" << true << "1";
}

void MainWindowTest::spinnerSteps() {
  QFETCH(int, field);
  QFETCH(QString, before);
  QFETCH(bool, up);
  QFETCH(QString, after);
  auto* edit = Get<QLineEdit>(Indexed("Cparam", field));
  auto* spinner = Get<UpDown>(Indexed("UpDown", field));
  TypeOver(edit, before);
  (up ? spinner->up_button() : spinner->down_button())->click();
  QCOMPARE(edit->text(), after);
  // The arrow keys in the field work the spinner as well.
  TypeOver(edit, before);
  QTest::keyClick(edit, up ? Qt::Key_Up : Qt::Key_Down);
  QCOMPARE(edit->text(), after);
}

void MainWindowTest::requestSource_data() {
  QTest::addColumn<QString>("option");
  QTest::addColumn<bool>("generated");     // fields 0 and 1, Rtimer
  QTest::addColumn<bool>("distribution");  // DistList, field 2
  QTest::addColumn<bool>("manual");        // Manual, Import, isLBA
  QTest::newRow("Option1") << "Option1" << true << true << false;
  QTest::newRow("Option2") << "Option2" << true << false << false;
  QTest::newRow("Option3") << "Option3" << false << false << true;
}

void MainWindowTest::requestSource() {
  QFETCH(QString, option);
  QFETCH(bool, generated);
  QFETCH(bool, distribution);
  QFETCH(bool, manual);
  // Start from another choice so that each one is really applied.
  Get<QRadioButton>(option == "Option3" ? QStringLiteral("Option2") : QStringLiteral("Option3"))
      ->click();
  Get<QRadioButton>(option)->click();
  QVERIFY(Get<QRadioButton>(option)->isChecked());
  for (const char* name : {"Cparam_0", "UpDown_0", "CparamLabel_0", "Cparam_1", "Rtimer"}) {
    QCOMPARE(Get(QString::fromLatin1(name))->isEnabled(), generated);
  }
  for (const char* name : {"DistList", "Cparam_2", "UpDown_2", "Distpar1"}) {
    QCOMPARE(Get(QString::fromLatin1(name))->isEnabled(), distribution);
  }
  for (const char* name : {"Manual", "Import", "isLBA"}) {
    QCOMPARE(Get(QString::fromLatin1(name))->isEnabled(), manual);
  }
  QCOMPARE(InputBackground(Get(QStringLiteral("Manual"))),
           SystemColour(manual ? QPalette::Base : QPalette::Button));
  QCOMPARE(InputBackground(Get(QStringLiteral("DistList"))),
           SystemColour(distribution ? QPalette::Base : QPalette::Button));
  // "Poisson" keeps field 3 off whatever the source.
  QVERIFY(!Get(QStringLiteral("Cparam_3"))->isEnabled());
}

void MainWindowTest::rtimerDisablesTheSeed() {
  auto* rtimer = Get<QCheckBox>(QStringLiteral("Rtimer"));
  rtimer->click();
  QVERIFY(rtimer->isChecked());
  for (const char* name : {"Cparam_1", "UpDown_1", "CparamLabel_1"}) {
    QVERIFY(!Get(QString::fromLatin1(name))->isEnabled());
  }
  QCOMPARE(InputBackground(Get(QStringLiteral("Cparam_1"))), SystemColour(QPalette::Button));
  rtimer->click();
  QVERIFY(Get(QStringLiteral("Cparam_1"))->isEnabled());
  QVERIFY(Get(QStringLiteral("UpDown_1"))->isEnabled());
  QCOMPARE(InputBackground(Get(QStringLiteral("Cparam_1"))), SystemColour(QPalette::Base));
}

void MainWindowTest::distributionRelabelsAndRefilters() {
  auto* field2 = Get<QLineEdit>(QStringLiteral("Cparam_2"));
  TypeOver(field2, QStringLiteral("0.5"));
  auto* dist = Get<QComboBox>(QStringLiteral("DistList"));
  PickNext(dist);
  QCOMPARE(dist->currentText(), QStringLiteral("Generic"));
  QCOMPARE(Caption(Get(QStringLiteral("Distpar1"))),
           QStringLiteral("Maximum Requests Per Time Unit"));
  QCOMPARE(Caption(Get(QStringLiteral("Distpar2"))),
           QStringLiteral("Request Arival Probability %"));
  QVERIFY(Get(QStringLiteral("Cparam_3"))->isEnabled());
  QVERIFY(Get(QStringLiteral("Distpar2"))->isEnabled());
  QCOMPARE(Get(QStringLiteral("Cparam_3"))->toolTip(),
           QStringLiteral("The probability of generating requests in a single time unit. It "
                          "should usually be very low"));
  // A point is not allowed in a whole field: the text is emptied, not altered.
  QCOMPARE(field2->text(), QString());
  TypeOver(field2, QStringLiteral("2.5"));
  QCOMPARE(field2->text(), QStringLiteral("25"));
}

void MainWindowTest::diskFieldsMarkTheDiskCustom() {
  auto* disks = Get<QComboBox>(QStringLiteral("DiskList"));
  const QString before = disks->currentText();
  TypeOver(Get<QLineEdit>(QStringLiteral("Cparam_11")), QStringLiteral("5"));
  QCOMPARE(disks->currentText(), before);
  TypeOver(Get<QLineEdit>(QStringLiteral("Cparam_10")), QStringLiteral("2000"));
  QCOMPARE(disks->currentText(), QStringLiteral("Custom ..."));
}

void MainWindowTest::xAxisChoice() {
  Get<QRadioButton>(QStringLiteral("COption_0"))->click();
  QVERIFY(Get<QRadioButton>(QStringLiteral("COption_0"))->isChecked());
  QVERIFY(!Get<QRadioButton>(QStringLiteral("COption_16"))->isChecked());
  QVERIFY(Get(QStringLiteral("Formula"))->isEnabled());
  QCOMPARE(InputBackground(Get(QStringLiteral("Formula"))), SystemColour(QPalette::Base));
  QVERIFY(Get(QStringLiteral("Showx"))->isEnabled());
  QVERIFY(!Get(QStringLiteral("PCheck_0"))->isEnabled());  // it varies along the axis
  QCOMPARE(window_->x_axis().x_axis_parameter, 0);

  // A formula forces bars; "None" brings lines back.
  Get<QRadioButton>(QStringLiteral("Loption"))->click();
  auto* formula = Get<QComboBox>(QStringLiteral("Formula"));
  PickNext(formula);
  QCOMPARE(formula->currentText(), QStringLiteral("Average"));
  QVERIFY(Get<QRadioButton>(QStringLiteral("Boption"))->isChecked());
  QTest::keyClick(formula, Qt::Key_Up);
  QVERIFY(Get<QRadioButton>(QStringLiteral("Loption"))->isChecked());

  Get<QRadioButton>(QStringLiteral("COption_16"))->click();
  QVERIFY(!Get(QStringLiteral("Formula"))->isEnabled());
  QVERIFY(!Get(QStringLiteral("Showx"))->isEnabled());
  QVERIFY(Get(QStringLiteral("PCheck_0"))->isEnabled());
}

void MainWindowTest::startControlsDuringRun() {
  window_->Enable_StartControls(false);
  for (const char* name : {"Frame1", "Frame2", "Frame3", "Disprog", "OFCFS", "SkipIdle", "Startb",
                           "OpenS", "ImSaved", "SimList", "SimRefresh", "SaveS", "SaveAs",
                           "HeadDirection", "Percentiles", "Replications"}) {
    QVERIFY2(!Get(QString::fromLatin1(name))->isEnabled(), name);
  }
  QVERIFY(Get(QStringLiteral("Stopb"))->isEnabled());
  window_->Enable_StartControls(true);
  for (const char* name : {"Frame1", "Frame2", "Frame3", "Disprog", "OFCFS", "SkipIdle", "Startb",
                           "OpenS", "ImSaved", "SimList", "SimRefresh", "Percentiles",
                           "Replications"}) {
    QVERIFY2(Get(QString::fromLatin1(name))->isEnabled(), name);
  }
  // Saving still needs results.
  QVERIFY(!Get(QStringLiteral("SaveS"))->isEnabled());
  QVERIFY(!Get(QStringLiteral("Frame4"))->isEnabled());
}

void MainWindowTest::withoutASimulatorStartSaysWhy() {
  TestProgramFolder empty(TestProgramFolder::Engine::kNone);
  std::unique_ptr<MainWindow> window = empty.MakeWindow();
  auto* start = ControlAs<QPushButton>(window.get(), QStringLiteral("Startb"));
  QVERIFY(!start->isEnabled());
  QVERIFY2(start->toolTip().contains(QStringLiteral("Refresh Simulator List")),
           qPrintable(start->toolTip()));
  QCOMPARE(ControlAs<QComboBox>(window.get(), QStringLiteral("SimList"))->count(), 0);
  // Only a run keeps the window open.
  QVERIFY(window->close());
}

void MainWindowTest::simulatorRefreshListsTheFolderAgain() {
  auto* simulators = Get<QComboBox>(QStringLiteral("SimList"));
  std::filesystem::create_symlink(SCHEDULE_PROGRAM, program_->path() / "another");
  QCOMPARE(simulators->count(), 1);
  Get<QToolButton>(QStringLiteral("SimRefresh"))->click();
  QCOMPARE(simulators->count(), 2);
  QCOMPARE(simulators->itemText(0), QStringLiteral("another"));
  QCOMPARE(simulators->currentIndex(), 0);  // the first entry is selected
  simulators->setCurrentIndex(1);
  emit simulators->activated(1);
  QCOMPARE(window_->state().simulators.selected, 1);

  std::filesystem::remove(program_->path() / "another");
  std::filesystem::remove(program_->path() / "schedule");
  Get<QToolButton>(QStringLiteral("SimRefresh"))->click();
  QCOMPARE(simulators->count(), 0);
  QVERIFY(!Get(QStringLiteral("Startb"))->isEnabled());
  QVERIFY(!Get(QStringLiteral("Startb"))->toolTip().isEmpty());
}

void MainWindowTest::closingDuringRunIsRefused() {
  window_->Enable_StartControls(false);
  QVERIFY(!window_->close());
  QVERIFY(window_->isVisible());
  window_->Enable_StartControls(true);
  QVERIFY(window_->close());
  QVERIFY(!window_->isVisible());
}

void MainWindowTest::closingClosesEveryOtherWindow() {
  window_->disk_properties_window()->ShowModal();
  window_->about_box()->show();
  QVERIFY(window_->disk_properties_window()->isVisible());
  QVERIFY(window_->about_box()->isVisible());
  QVERIFY(window_->close());
  QVERIFY(!window_->disk_properties_window()->isVisible());
  QVERIFY(!window_->about_box()->isVisible());
}

void MainWindowTest::customAndAboutOpenTheirWindows() {
  Get<QPushButton>(QStringLiteral("CustomDisk"))->click();
  DiskPropertiesWindow* disk = window_->disk_properties_window();
  QVERIFY(disk->isVisible());
  QCOMPARE(disk->windowModality(), Qt::ApplicationModal);
  disk->hide();
  Get<QToolButton>(QStringLiteral("Command1"))->click();
  QVERIFY(window_->about_box()->isVisible());
  QVERIFY(window_->about_box()->isModal());
}

}  // namespace trakvist

QTEST_MAIN(trakvist::MainWindowTest)
#include "main_window_test.moc"
