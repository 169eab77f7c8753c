// The disk properties window, the wait window, the About box and the file
// dialogs' filters, on Qt's offscreen platform.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "frontend/ui/common/file_dialogs.h"
#include "frontend/ui/common/up_down.h"
#include "frontend/ui/disk_properties/disk_properties_window.h"
#include "frontend/ui/main_window/about_box.h"
#include "frontend/ui/main_window/importing_window.h"
#include "frontend/ui/simulation/disk_type_list.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {
namespace {

QString Indexed(const char* name, int index) {
  return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void diskFigures_data();
  void diskFigures();
  void diskCaptions_data();
  void diskCaptions();
  void diskOpeningState();
  void diskWindowHidesWithoutClosing_data();
  void diskWindowHidesWithoutClosing();
  void waitWindow();
  void aboutBox();
  void fileFilter_data();
  void fileFilter();
};

void DialogsTest::diskFigures_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("frame");
  const char* labels[] = {"Number of Cylinders", "Blocks Per Track",  "Number of Heads",
                          "Number of Cylinders", "Blocks Per Track",  "Number of Heads",
                          "Full Seek Time",      "Average Seek Time", "Track-to-Tack Seek",
                          "Rotational Speed",    "Settle Time",       "Bytes Per Block",
                          "Buffer Size"};
  const char* frames[] = {"PhysicalFrame", "PhysicalFrame", "PhysicalFrame", "LogicalFrame",
                          "LogicalFrame",  "LogicalFrame",  "SpeedFrame",    "SpeedFrame",
                          "SpeedFrame",    "SpeedFrame",    "SpeedFrame",    "OtherFrame",
                          "OtherFrame"};
  for (int i = 0; i < 13; ++i) {
    QTest::newRow(qPrintable(Indexed("Dparam", i)))
        << i << QString::fromLatin1(labels[i]) << QString::fromLatin1(frames[i]);
  }
}

void DialogsTest::diskFigures() {
  QFETCH(int, index);
  QFETCH(QString, label);
  QFETCH(QString, frame);
  DiskPropertiesWindow window;
  QWidget* field = ControlAs<QLineEdit>(&window, Indexed("Dparam", index));
  QVERIFY(field != nullptr);
  QVERIFY(ControlAs<UpDown>(&window, Indexed("UpDown", index)) != nullptr);
  QCOMPARE(Caption(Control(&window, Indexed("DparamLabel", index))), label);
  QVERIFY(Control(&window, frame)->isAncestorOf(field));
}

void DialogsTest::diskCaptions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  const auto row = [](const char* name, const char* caption) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
  };
  row("NameLabel", "Name\\Model:");
  row("OPGeometry", "Physical Geometry");
  row("OLGeometry", "Logical Geometry");
  row("SpeedFrame", "Disk Speed");
  row("OtherFrame", "Other");
  row("PCapaLabel", "Capacity");
  row("LCapaLabel", "Capacity");
  row("BTLabel", "Block Time (s)");
  row("CSTLabel", "Cylinder Seek Time (s)");
  row("LATULabel", "Largest Accurate TU");
  row("TUERLabel", "TU Error");
  row("TUFrame", "Time Unit Settings");
  row("TULabel", "1 TU =");
  row("SMINTU", "Set TU to Min(BT,CST)");
  row("SLATU", "Set TU to Largest Accurate TU");
  row("APPLY", "Apply");
  row("OK", "OK");
  row("Cancel", "Cancel");
  row("SaveDisk", "Save Disk Properties");
  row("EditFile", "Edit Disks File");
  row("LATU", "N/A");
  row("TUER", "N/A");
}

void DialogsTest::diskCaptions() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  DiskPropertiesWindow window;
  QCOMPARE(Caption(Control(&window, name)), caption);
}

void DialogsTest::diskOpeningState() {
  DiskPropertiesWindow window;
  QCOMPARE(window.objectName(), QStringLiteral("FDiskProp"));
  QCOMPARE(window.windowTitle(), QStringLiteral("Disk Properties"));
  const DiskPropertiesControls& c = window.controls();
  QVERIFY(c.op_geometry->isChecked());
  QVERIFY(c.cst_calc1->isChecked());
  QVERIFY(!c.slatu->isChecked());
  // One TU is min(BT, CST) by default, so the TU field is locked.
  QVERIFY(c.smintu->isChecked());
  QVERIFY(c.tu->isReadOnly());
  QVERIFY(!c.tu_up_down->isEnabled());
  QCOMPARE(InputBackground(c.tu), SystemColour(QPalette::Button));
  QCOMPARE(ControlAs<UpDown>(&window, QStringLiteral("TU_UpDown")), c.tu_up_down);
  for (QRadioButton* method : {c.cst_calc1, c.cst_calc2}) {
    QCOMPARE(method->toolTip(), QStringLiteral("Choose which value to be used to calculate CST"));
  }
  // Derived values are shown, never typed.
  for (QLineEdit* display : {c.pcapa, c.lcapa, c.bt, c.cst, c.latu, c.tuer}) {
    QVERIFY(display->isReadOnly());
  }
  // Before a catalogue is loaded the list holds only "Custom ...".
  QCOMPARE(c.disk_list2->count(), 1);
  QCOMPARE(c.disk_list2->itemText(0), QStringLiteral("Custom ..."));
  // The geometry and the CST method are independent choices.
  c.ol_geometry->click();
  QVERIFY(c.cst_calc1->isChecked());
  c.cst_calc2->click();
  QVERIFY(c.ol_geometry->isChecked());
}

void DialogsTest::diskWindowHidesWithoutClosing_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("Cancel") << "Cancel";
  QTest::newRow("title bar") << "";
}

void DialogsTest::diskWindowHidesWithoutClosing() {
  QFETCH(QString, how);
  QWidget owner;
  owner.show();
  auto* window = new DiskPropertiesWindow(&owner);
  QPointer<DiskPropertiesWindow> alive(window);
  window->ShowModal();
  QVERIFY(window->isVisible());
  QCOMPARE(window->windowModality(), Qt::ApplicationModal);
  if (how.isEmpty()) {
    window->close();
  } else {
    ControlAs<QPushButton>(window, how)->click();
  }
  QVERIFY(!window->isVisible());
  QVERIFY(!alive.isNull());  // created once, then only shown and hidden
  window->ShowModal();
  QVERIFY(window->isVisible());
}

void DialogsTest::waitWindow() {
  QWidget owner;
  owner.show();
  ImportingWindow wait(&owner);
  QCOMPARE(wait.objectName(), QStringLiteral("Importing"));
  QCOMPARE(wait.windowTitle(), QStringLiteral("Wait !!"));
  QCOMPARE(Caption(Control(&wait, QStringLiteral("ImportingLabel"))),
           QStringLiteral("Importing manual file..."));
  QVERIFY(wait.findChildren<QAbstractButton*>().isEmpty());
  wait.ShowAndPaint();
  QVERIFY(wait.isVisible());
  QVERIFY(!wait.isModal());
  QVERIFY(owner.isEnabled());  // only disabled while the wait window paints
}

void DialogsTest::aboutBox() {
  AboutBox about;
  QCOMPARE(about.windowTitle(), QStringLiteral("About Trakvist"));
  QCOMPARE(Caption(Control(&about, QStringLiteral("AboutName"))), QStringLiteral("Trakvist"));
  QVERIFY(Caption(Control(&about, QStringLiteral("AboutVersion"))).startsWith("Version "));
  QVERIFY(!Caption(Control(&about, QStringLiteral("AboutDescription"))).isEmpty());
  about.show();
  ControlAs<QPushButton>(&about, QStringLiteral("AboutOK"))->click();
  QVERIFY(!about.isVisible());
}

void DialogsTest::fileFilter_data() {
  QTest::addColumn<QString>("pairs");
  QTest::addColumn<QString>("filter");
  QTest::newRow("requests file")
      << "Text (*.txt)|*.txt|Comma Delimited File (*.csv)|*.csv|All Files|*.*"
      << "Text (*.txt);;Comma Delimited File (*.csv);;All Files (*)";
  QTest::newRow("simulation file") << "Text (*.txt)|*.txt|All Files|*.*"
                                   << "Text (*.txt);;All Files (*)";
  QTest::newRow("several patterns") << "Data|*.txt;*.csv"
                                    << "Data (*.txt *.csv)";
  QTest::newRow("description without patterns") << "Text"
                                                << "";
  QTest::newRow("empty") << ""
                         << "";
}

void DialogsTest::fileFilter() {
  QFETCH(QString, pairs);
  QFETCH(QString, filter);
  QCOMPARE(QtFileFilter(pairs.toStdString()), filter);
}

}  // namespace trakvist

QTEST_MAIN(trakvist::DialogsTest)
#include "dialogs_test.moc"
