#include "tests/frontend/ui/ui_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <cstdlib>

#include "frontend/ui/main_window/main_window.h"
#include "frontend/ui/main_window/platform_services.h"

namespace trakvist {

QWidget* Control(const QWidget* root, const QString& name) {
  auto* control = root->findChild<QWidget*>(name);
  if (control == nullptr) QTest::qFail(qPrintable(QStringLiteral("no control ") + name), "", 0);
  return control;
}

QString Caption(const QWidget* control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
    return WithoutMnemonic(button->text());
  }
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* list = qobject_cast<const QComboBox*>(control)) return list->currentText();
  return {};
}

QString WithoutMnemonic(QString text) {
  static const QRegularExpression mark(QStringLiteral("&(.)"));
  return text.replace(mark, QStringLiteral("\\1"));
}

QString ShownTitle(const QWidget* window) {
  QString title = window->windowTitle();
  return title.replace(QStringLiteral("[*]"),
                       window->isWindowModified() ? QStringLiteral("*") : QString());
}

void TypeOver(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void PickNext(QComboBox* list) { QTest::keyClick(list, Qt::Key_Down); }

QColor InputBackground(const QWidget* control) {
  // What is painted: a disabled control uses the palette's disabled group.
  const QPalette::ColorGroup group = control->isEnabled() ? QPalette::Active : QPalette::Disabled;
  return control->palette().color(group, QPalette::Base);
}

QColor SystemColour(QPalette::ColorRole role) {
  return QApplication::palette().color(QPalette::Active, role);
}

namespace {

namespace fs = std::filesystem;

fs::path MakeScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "trakvist_ui_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) QTest::qFail("no scratch folder", __FILE__, __LINE__);
  return pattern;
}

}  // namespace

TestProgramFolder::TestProgramFolder(Engine engine)
    : path_(MakeScratchFolder()), settings_path_(MakeScratchFolder()) {
  if (engine == Engine::kLinked) fs::create_symlink(SCHEDULE_PROGRAM, path_ / "schedule");
  for (const char* name : {"Disks.ini", "ReadMe.txt", "APM_Download_Instructions.txt"}) {
    fs::copy_file(fs::path(TRAKVIST_DATA_DIR) / name, path_ / name);
  }
  platform_ = std::make_unique<PlatformServices>(folder());
}

TestProgramFolder::~TestProgramFolder() {
  platform_.reset();
  std::error_code ignored;
  fs::remove_all(path_, ignored);
  fs::remove_all(settings_path_, ignored);
}

MainWindowServices TestProgramFolder::services() {
  MainWindowServices services = platform_->services();
  services.open_in_editor = [this](const std::string& path) {
    opened_in_editor.push_back(path);
    return std::string();
  };
  // Never the user's own settings, and apart from the program folder,
  // whose listing the tests compare.
  services.settings_file = (settings_path_ / "Trakvist.ini").string();
  return services;
}

std::unique_ptr<MainWindow> TestProgramFolder::MakeWindow() {
  const MainWindowServices window_services = services();
  auto window = std::make_unique<MainWindow>(StartStateFor(window_services), window_services);
  window->show();
  return window;
}

DialogAnswers::DialogAnswers() {
  connect(&timer_, &QTimer::timeout, this, &DialogAnswers::AnswerOne);
  timer_.start(10);
}

QStringList DialogAnswers::Texts() const {
  QStringList texts;
  for (const Box& box : boxes) texts << box.text;
  return texts;
}

void DialogAnswers::AnswerOne() {
  QWidget* modal = QApplication::activeModalWidget();
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    if (box->button(QMessageBox::Save) != nullptr) {
      save_questions.push_back({box->windowTitle(), box->text()});
      const QMessageBox::StandardButton answer =
          save_answers.empty() ? QMessageBox::Discard : save_answers.front();
      if (!save_answers.empty()) save_answers.pop_front();
      return box->button(answer)->click();
    }
    boxes.push_back({box->windowTitle(), box->text()});
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    if (box->button(QMessageBox::Yes) != nullptr) {
      answer = answers.empty() ? QMessageBox::No : answers.front();
      if (!answers.empty()) answers.pop_front();
    }
    box->button(answer)->click();
  } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
    if (paths.empty()) return dialog->reject();
    dialog->selectFile(paths.front());
    // selectFile leaves the name box alone while it has the focus (the user
    // may be typing), which the dialog may have by now: the name is typed.
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
      name->setText(paths.front());
    }
    paths.pop_front();
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own, which checks the choice
  } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
    if (texts.empty()) return input->reject();
    input->setTextValue(texts.front());
    texts.pop_front();
    input->accept();
  }
}

}  // namespace trakvist
