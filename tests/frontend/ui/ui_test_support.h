#ifndef TRAKVIST_TESTS_FRONTEND_UI_UI_TEST_SUPPORT_H_
#define TRAKVIST_TESTS_FRONTEND_UI_UI_TEST_SUPPORT_H_

#include <QAbstractButton>
#include <QColor>
#include <QMessageBox>
#include <QObject>
#include <QPalette>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frontend/ui/main_window/main_window_services.h"

class QComboBox;
class QLineEdit;

namespace trakvist {

// The control named `name` under `root`; fails the test when there is none.
QWidget* Control(const QWidget* root, const QString& name);

template <typename Widget>
Widget* ControlAs(const QWidget* root, const QString& name) {
  return qobject_cast<Widget*>(Control(root, name));
}

// The caption a control shows: a button's, label's, group box's or line
// edit's text.
QString Caption(const QWidget* control);

// A caption without its Alt key marks ("&Start" reads "Start").
QString WithoutMnemonic(QString text);

// The window title as shown: "[*]" becomes "*" while the window is marked
// modified and disappears otherwise.
QString ShownTitle(const QWidget* window);

// Types `text` over the whole content of the field, as a user would after
// selecting it.
void TypeOver(QLineEdit* edit, const QString& text);

// Picks the next entry of a closed drop-down list with the Down key.
void PickNext(QComboBox* list);

// The colour the control's input area is painted with in its current state.
QColor InputBackground(const QWidget* control);
QColor SystemColour(QPalette::ColorRole role);

// Generous bounds for what a loaded machine (or a sanitizer build) should
// do soon; reaching one means a hang, and the test fails on what it waited
// for.
inline constexpr int kSoonMs = 120000;

class MainWindow;
class PlatformServices;

// A program folder of one test, removed afterwards: the engine built with
// the project (linked as "schedule") unless left out, and the files shipped
// beside the programs (Disks.ini, ReadMe.txt, ...), copied so that a test
// may change them. Its services are the real ones, except that the text
// editor is only noted down.
class TestProgramFolder {
 public:
  enum class Engine { kLinked, kNone };
  explicit TestProgramFolder(Engine engine = Engine::kLinked);
  ~TestProgramFolder();
  TestProgramFolder(const TestProgramFolder&) = delete;
  TestProgramFolder& operator=(const TestProgramFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string folder() const { return path_.string() + "/"; }

  MainWindowServices services();
  // A main window over these services, shown.
  std::unique_ptr<MainWindow> MakeWindow();

  // The files the window asked the editor to open.
  std::vector<std::string> opened_in_editor;

 private:
  std::filesystem::path path_;
  std::filesystem::path settings_path_;  // the window's remembered geometry and files
  std::unique_ptr<PlatformServices> platform_;
};

// Answers the modal dialogs that the code under test opens, as a user
// would, while the test waits: message boxes (noted down; a question gets
// the next queued answer, No when none is queued; the question whether to
// save unsaved results is noted apart and answered Discard unless told), file dialogs (the next
// queued path is chosen; cancelled when none is queued) and input boxes
// (the next queued text; cancelled when none). Other modal windows, such
// as the disk properties window, are left alone.
class DialogAnswers : public QObject {
  Q_OBJECT

 public:
  struct Box {
    QString title;
    QString text;
  };

  DialogAnswers();

  std::deque<QMessageBox::StandardButton> answers;
  std::deque<QString> paths;
  std::deque<QString> texts;
  std::vector<Box> boxes;  // every message box seen, in order
  // The questions with Save, Discard and Cancel, and their answers.
  std::vector<Box> save_questions;
  std::deque<QMessageBox::StandardButton> save_answers;

  // The texts of the boxes seen.
  QStringList Texts() const;

 private:
  void AnswerOne();
  QTimer timer_;
};

}  // namespace trakvist

#endif  // TRAKVIST_TESTS_FRONTEND_UI_UI_TEST_SUPPORT_H_
