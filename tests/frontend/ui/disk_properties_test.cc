// The disk properties window at work inside the main window, on Qt's
// offscreen platform: the conversion of a disk's figures into the
// simulation parameters, the time unit choices, and the disk catalogue's
// Save, Edit and reload.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "frontend/ui/common/up_down.h"
#include "frontend/ui/disk_properties/disk_properties_window.h"
#include "frontend/ui/main_window/main_window.h"
#include "frontend/ui/simulation/disk_type_list.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {
namespace {

QString Indexed(const char* name, int index) {
  return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Types into a field as a user does, and leaves it for the next one.
void Enter(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  TypeOver(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
}

}  // namespace

class DiskPropertiesTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void convertsTheExampleDisk();
  void geometryAndMethodChoicesKeepTheDisk_data();
  void geometryAndMethodChoicesKeepTheDisk();
  void typedTimeUnitWhenNotLocked();
  void largestAccurateTuOffersItsInstructions_data();
  void largestAccurateTuOffersItsInstructions();
  void cancelKeepsTheParameters();
  void okWithoutApplyOnlyNamesTheDisk();
  void saveDiskPropertiesAddsTheDisk();
  void editedCatalogueIsReadWhenAListIsUsed_data();
  void editedCatalogueIsReadWhenAListIsUsed();
  void editDisksFileOpensTheCatalogue();

 private:
  QLineEdit* Main(int field) const { return ControlAs<QLineEdit>(tabs_, Indexed("Cparam", field)); }
  QLineEdit* Figure(int index) const { return c().dparam[index]; }
  const DiskPropertiesControls& c() const { return window_->disk_properties_window()->controls(); }
  QComboBox* DiskList() const { return ControlAs<QComboBox>(tabs_, QStringLiteral("DiskList")); }
  void OpenCustom();
  void ChooseDisk(const QString& name);

  std::unique_ptr<TestProgramFolder> program_;
  std::unique_ptr<MainWindow> window_;
  QWidget* tabs_ = nullptr;
  std::unique_ptr<DialogAnswers> answers_;
};

void DiskPropertiesTest::init() {
  program_ = std::make_unique<TestProgramFolder>();
  window_ = program_->MakeWindow();
  tabs_ = window_->findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  answers_ = std::make_unique<DialogAnswers>();
}

void DiskPropertiesTest::cleanup() {
  answers_.reset();
  window_.reset();
  program_.reset();
}

void DiskPropertiesTest::OpenCustom() {
  ControlAs<QPushButton>(tabs_, QStringLiteral("CustomDisk"))->click();
  QVERIFY(window_->disk_properties_window()->isVisible());
  QVERIFY(QTest::qWaitForWindowActive(window_->disk_properties_window()));
}

void DiskPropertiesTest::ChooseDisk(const QString& name) {
  const int index = DiskList()->findText(name);
  QVERIFY(index >= 0);
  DiskList()->setCurrentIndex(index);
  emit DiskList()->activated(index);
}

// 1000 cylinders, 600 blocks per track, 4 heads, a full seek of 10 ms,
// 5000 RPM and a settle time of 6 ms: BT = 2E-5 s, CST = 1E-5 s, so one TU
// of 1E-5 s, a block time of 2 TU, a cylinder seek time of 1 TU and a
// settle time of 600 TU. Another disk is chosen first, so that every
// figure really comes from the typing.
void DiskPropertiesTest::convertsTheExampleDisk() {
  ChooseDisk(QStringLiteral("Seagate ST-412"));
  QCOMPARE(Main(10)->text(), QStringLiteral("306"));
  OpenCustom();
  QCOMPARE(c().disk_list2->currentText(), QStringLiteral("Seagate ST-412"));
  const std::pair<int, const char*> figures[] = {{0, "1000"}, {1, "600"},  {2, "4"},
                                                 {6, "10"},   {9, "5000"}, {10, "6"}};
  for (const auto& [index, text] : figures) Enter(Figure(index), QString::fromLatin1(text));
  QCOMPARE(c().disk_list2->currentText(), QStringLiteral("Custom ..."));
  QCOMPARE(Figure(6)->text(), QStringLiteral("10 ms"));
  QCOMPARE(Figure(9)->text(), QStringLiteral("5000 RPM"));
  QVERIFY(c().smintu->isChecked());
  QVERIFY(c().cst_calc1->isChecked());
  QCOMPARE(c().bt->text(), QStringLiteral("2E-5 s"));
  QCOMPARE(c().cst->text(), QStringLiteral("1E-5 s"));
  QCOMPARE(c().tu->text(), QStringLiteral("1E-05 s"));
  QVERIFY(c().tu->isReadOnly());
  QCOMPARE(c().pcapa->text(), QStringLiteral("1171.88 MB"));

  c().ok->click();
  QVERIFY(!window_->disk_properties_window()->isVisible());
  const std::pair<int, const char*> expected[] = {
      {8, "2"}, {9, "1"}, {10, "1000"}, {12, "1E-05"}, {13, "600"}, {14, "600"}, {15, "4"}};
  for (const auto& [field, text] : expected) {
    QCOMPARE(Main(field)->text(), QString::fromLatin1(text));
  }
  QCOMPARE(DiskList()->currentText(), QStringLiteral("Custom ..."));
  QVERIFY(answers_->boxes.empty());
}

void DiskPropertiesTest::geometryAndMethodChoicesKeepTheDisk_data() {
  QTest::addColumn<QString>("choice");
  QTest::addColumn<QString>("bt");
  QTest::addColumn<QString>("cst");
  // HP 97560: 1962 cylinders, 72 blocks per track, 4002 RPM, full seek
  // 23.69 ms (held as 23, whole numbers), average seek 13.5 ms (13).
  QTest::newRow("logical geometry") << "OLGeometry"
                                    << "2.08229218724E-4 s"
                                    << "1.172273190622E-5 s";
  QTest::newRow("twice the average seek") << "CSTCalc2"
                                          << "2.08229218724E-4 s"
                                          << "1.325178389399E-5 s";
}

void DiskPropertiesTest::geometryAndMethodChoicesKeepTheDisk() {
  QFETCH(QString, choice);
  QFETCH(QString, bt);
  QFETCH(QString, cst);
  ChooseDisk(QStringLiteral("HP 97560"));
  OpenCustom();
  ControlAs<QRadioButton>(window_->disk_properties_window(), choice)->click();
  QCOMPARE(c().disk_list2->currentText(), QStringLiteral("HP 97560"));
  QCOMPARE(c().bt->text(), bt);
  QCOMPARE(c().cst->text(), cst);
  c().ok->click();
  QCOMPARE(DiskList()->currentText(), QStringLiteral("HP 97560"));
}

void DiskPropertiesTest::typedTimeUnitWhenNotLocked() {
  OpenCustom();
  c().smintu->click();
  QVERIFY(!c().smintu->isChecked());
  QVERIFY(!c().tu->isReadOnly());
  QVERIFY(c().tu_up_down->isEnabled());
  Enter(c().tu, QStringLiteral("0.000002"));
  QCOMPARE(c().tu->text(), QStringLiteral("2E-06 s"));
  c().ok->click();
  // BT 2E-5 s and CST 1E-5 s of "Default" in TU of 2E-6 s; 6 ms of settle.
  QCOMPARE(Main(8)->text(), QStringLiteral("10"));
  QCOMPARE(Main(9)->text(), QStringLiteral("5"));
  QCOMPARE(Main(12)->text(), QStringLiteral("2E-06"));
  QCOMPARE(Main(14)->text(), QStringLiteral("3000"));
}

void DiskPropertiesTest::largestAccurateTuOffersItsInstructions_data() {
  QTest::addColumn<bool>("yes");
  QTest::newRow("Yes") << true;
  QTest::newRow("No") << false;
}

void DiskPropertiesTest::largestAccurateTuOffersItsInstructions() {
  QFETCH(bool, yes);
  OpenCustom();
  answers_->answers.push_back(yes ? QMessageBox::Yes : QMessageBox::No);
  c().slatu->click();
  QCOMPARE(answers_->boxes.size(), 1u);
  QCOMPARE(answers_->boxes[0].title, QStringLiteral("Trakvist"));
  QCOMPARE(answers_->boxes[0].text,
           QStringLiteral("This feature needs an Arbitrary Precision Math Library. Do you want "
                          "to see instructons on how to install it ?"));
  QVERIFY(!c().slatu->isChecked());
  QVERIFY(c().smintu->isChecked());
  const std::vector<std::string> opened =
      yes ? std::vector<std::string>{program_->folder() + "APM_Download_Instructions.txt"}
          : std::vector<std::string>{};
  QCOMPARE(program_->opened_in_editor, opened);
}

void DiskPropertiesTest::cancelKeepsTheParameters() {
  OpenCustom();
  Enter(Figure(0), QStringLiteral("5000"));
  c().cancel->click();
  QVERIFY(!window_->disk_properties_window()->isVisible());
  QCOMPARE(Main(10)->text(), QStringLiteral("1000"));
  QCOMPARE(DiskList()->currentText(), QStringLiteral("Default"));
  // The window shows the current disk again when it is opened next.
  OpenCustom();
  QCOMPARE(Figure(0)->text(), QStringLiteral("1000"));
  QCOMPARE(c().disk_list2->currentText(), QStringLiteral("Default"));
}

void DiskPropertiesTest::okWithoutApplyOnlyNamesTheDisk() {
  OpenCustom();
  c().apply->click();
  QVERIFY(!c().apply->isChecked());
  const int index = c().disk_list2->findText(QStringLiteral("Seagate ST-225"));
  c().disk_list2->setCurrentIndex(index);
  emit c().disk_list2->activated(index);
  QCOMPARE(Figure(0)->text(), QStringLiteral("615"));
  c().ok->click();
  QCOMPARE(DiskList()->currentText(), QStringLiteral("Seagate ST-225"));
  QCOMPARE(Main(10)->text(), QStringLiteral("1000"));  // not applied
}

void DiskPropertiesTest::saveDiskPropertiesAddsTheDisk() {
  OpenCustom();
  Enter(Figure(0), QStringLiteral("2000"));
  answers_->texts.push_back(QStringLiteral("Fast"));
  c().save_disk->click();
  QCOMPARE(DiskList()->count(), 7);
  QCOMPARE(DiskList()->itemText(5), QStringLiteral("Fast"));
  QCOMPARE(DiskList()->currentText(), QStringLiteral("Fast"));
  QCOMPARE(c().disk_list2->currentText(), QStringLiteral("Fast"));
  QCOMPARE(Main(10)->text(), QStringLiteral("2000"));
  const std::string catalogue = ReadAll(program_->path() / "Disks.ini");
  QVERIFY(catalogue.find("[Disk6]\r\nName=Fast\r\nNumber of Cylinders=2000\r\n") !=
          std::string::npos);

  // A cancelled name adds nothing.
  c().save_disk->click();
  QCOMPARE(DiskList()->count(), 7);
  QCOMPARE(ReadAll(program_->path() / "Disks.ini"), catalogue);
  QVERIFY(answers_->boxes.empty());
}

void DiskPropertiesTest::editedCatalogueIsReadWhenAListIsUsed_data() {
  QTest::addColumn<bool>("main_list");
  QTest::addColumn<bool>("key");  // a key press instead of dropping down
  QTest::newRow("DiskList dropped down") << true << false;
  QTest::newRow("DiskList key") << true << true;
  QTest::newRow("DiskList2 dropped down") << false << false;
}

// The catalogue edited in the editor is read again when a list drops down or
// gets a key, so the new disk is there to choose.
void DiskPropertiesTest::editedCatalogueIsReadWhenAListIsUsed() {
  QFETCH(bool, main_list);
  QFETCH(bool, key);
  // "Custom ..." reads the catalogue itself, so the window is open first.
  if (!main_list) OpenCustom();
  const std::filesystem::path file = program_->path() / "Disks.ini";
  std::ofstream(file, std::ios::binary | std::ios::app)
      << "[Disk6]\r\nName=Edited\r\nNumber of Cylinders=42\r\n";
  // A modification time of its own, whatever the file system's resolution.
  std::filesystem::last_write_time(
      file, std::filesystem::last_write_time(file) + std::chrono::seconds(2));
  QComboBox* list = main_list ? DiskList() : static_cast<QComboBox*>(c().disk_list2);
  QCOMPARE(list->findText(QStringLiteral("Edited")), -1);
  if (key) {
    QTest::keyClick(list, Qt::Key_Up);  // "Default" is the first entry: it stays
  } else {
    list->showPopup();
    list->hidePopup();
  }
  QCOMPARE(list->findText(QStringLiteral("Edited")), 5);
  QCOMPARE(list->currentText(), QStringLiteral("Default"));  // still listed, still chosen
  QCOMPARE(DiskList()->count(), 7);
  QCOMPARE(Main(10)->text(), QStringLiteral("1000"));  // a reload applies nothing
}

void DiskPropertiesTest::editDisksFileOpensTheCatalogue() {
  OpenCustom();
  c().edit_file->click();
  QCOMPARE(program_->opened_in_editor, std::vector<std::string>{program_->folder() + "Disks.ini"});
}

}  // namespace trakvist

QTEST_MAIN(trakvist::DiskPropertiesTest)
#include "disk_properties_test.moc"
