#include "frontend/platform/text_editor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "qt_test_support.h"

namespace trakvist {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

QProcessEnvironment Environment(const QString& visual, const QString& editor) {
  QProcessEnvironment environment;
  if (!visual.isNull()) environment.insert("VISUAL", visual);
  if (!editor.isNull()) environment.insert("EDITOR", editor);
  return environment;
}

TEST(TextEditorTest, SplitsCommandsAsAShellWould) {
  const struct {
    QString text;
    QStringList words;
  } cases[] = {
      {"", {}},
      {"  gedit   --new-window  ", {"gedit", "--new-window"}},
      {"'/opt/my editor/ed' -w", {"/opt/my editor/ed", "-w"}},
      {"\"/opt/my editor/ed\" \"a \\\"b\\\" \\x\"", {"/opt/my editor/ed", "a \"b\" \\x"}},
      {"my\\ editor it's", {"my editor", "its"}},
      {"emacsclient -c -a ''", {"emacsclient", "-c", "-a", ""}},
      {"code --wait 'unclosed", {"code", "--wait", "unclosed"}},
      {"ed $HOME", {"ed", "$HOME"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandWords(c.text), c.words) << c.text.toStdString();
}

TEST(TextEditorTest, VisualThenEditorThenTheDesktopOpener) {
  EXPECT_THAT(EditorCommands(Environment("'/opt/my editor/edit' -w", "gedit")),
              ElementsAre(QStringList{"/opt/my editor/edit", "-w"}, QStringList{"gedit"},
                          QStringList{"xdg-open"}));
  EXPECT_THAT(EditorCommands(Environment("  ", "\"gedit\"  --new-window ")),
              ElementsAre(QStringList{"gedit", "--new-window"}, QStringList{"xdg-open"}));
  EXPECT_THAT(EditorCommands(Environment(QString(), QString())),
              ElementsAre(QStringList{"xdg-open"}));
}

// A terminal editor runs inside a terminal emulator, also behind a link
// such as Debian's "editor"; without a terminal it is passed over.
TEST(TextEditorTest, TerminalEditorsGetATerminal) {
  ScratchFolder bin;
  WriteFile(bin.path() / "vim.basic", "#!/bin/sh\n", 0755);
  std::filesystem::create_symlink(bin.path() / "vim.basic", bin.path() / "editor");
  QProcessEnvironment environment = Environment("editor -p", "nano");
  environment.insert("PATH", QString::fromStdString(bin.path().string()));
  EXPECT_THAT(EditorCommands(environment), ElementsAre(QStringList{"xdg-open"}));

  WriteFile(bin.path() / "x-terminal-emulator", "#!/bin/sh\n", 0755);
  const QString terminal = QString::fromStdString((bin.path() / "x-terminal-emulator").string());
  EXPECT_THAT(EditorCommands(environment),
              ElementsAre(QStringList{terminal, "-e", "editor", "-p"},
                          QStringList{terminal, "-e", "nano"}, QStringList{"xdg-open"}));
}

// The first command that starts gets the file as its last argument, as one
// argument even with spaces in it.
TEST(TextEditorTest, StartsTheFirstEditorThatCanStart) {
  ScratchFolder folder;
  const std::filesystem::path editor = folder.path() / "editor";
  const std::filesystem::path seen = folder.path() / "seen";
  WriteFile(editor,
            "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + seen.string() + ".part' && mv '" +
                seen.string() + ".part' '" + seen.string() + "'\n",
            0755);
  const std::string file = folder.folder() + "Disks file.ini";
  const QString missing = QString::fromStdString(folder.folder() + "no_such_editor");
  EXPECT_EQ(OpenInTextEditor(file, Environment(missing, QString::fromStdString(editor) + " -w")),
            "");
  ASSERT_TRUE(RunEventsUntil([&] { return std::filesystem::exists(seen); }));
  EXPECT_EQ(ReadFile(seen), "-w\n" + file + "\n");
}

TEST(TextEditorTest, SaysSoWhenNothingCanBeStarted) {
  ScratchFolder empty;  // the search path, so that xdg-open is not found either
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(empty.path().string()));
  const std::string error =
      OpenInTextEditor("/tmp/ReadMe.txt", Environment("/no/such/visual", "/no/such/editor -x"));
  // A terminal editor without a terminal is named, with what it lacks.
  QProcessEnvironment vim = Environment("vim", QString());
  vim.insert("PATH", QString::fromStdString(empty.path().string()));
  const std::string vim_error = OpenInTextEditor("/tmp/ReadMe.txt", vim);
  qputenv("PATH", path);
  EXPECT_THAT(error, HasSubstr("/tmp/ReadMe.txt"));
  EXPECT_THAT(error, HasSubstr("/no/such/visual, /no/such/editor -x, xdg-open"));
  EXPECT_THAT(error, HasSubstr("VISUAL or EDITOR"));
  EXPECT_THAT(vim_error,
              HasSubstr("(tried: xdg-open). vim runs in a terminal, and no terminal emulator"));
}

}  // namespace
}  // namespace trakvist
