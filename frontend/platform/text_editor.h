#ifndef TRAKVIST_FRONTEND_PLATFORM_TEXT_EDITOR_H_
#define TRAKVIST_FRONTEND_PLATFORM_TEXT_EDITOR_H_

#include <QProcessEnvironment>
#include <QStringList>
#include <string>
#include <vector>

namespace trakvist {

// The words of a command as a POSIX shell splits them, without expanding
// anything: blanks separate words, single quotes keep all up to the next
// one, double quotes keep all but an escaped $, `, " or \, and a backslash
// outside quotes keeps the next character. An unclosed quote runs to the end.
QStringList SplitCommandWords(const QString& text);

// Whether `program` is an editor that runs in a terminal (vi, vim, nano,
// ...), judged by its name and, for a link such as Debian's "editor", by
// the name of the program it leads to. `search_path` is the PATH to find a
// bare name on.
bool IsTerminalEditor(const QString& program, const QString& search_path);

// The terminal emulator that runs a terminal editor: x-terminal-emulator
// (the desktop's choice on Debian), else xterm, each with -e; empty when
// neither is on `search_path`.
QStringList TerminalCommand(const QString& search_path);

// The editor commands to try for a text file, in order: $VISUAL, then
// $EDITOR, each split into program and arguments by SplitCommandWords (so
// "'/opt/my editor/ed' -w" is a program with a space in its path and one
// argument), then the desktop's opener xdg-open. Variables that are unset
// or hold only blanks are passed over. A terminal editor is started inside
// a terminal emulator, and passed over when there is none (started
// without one it would end at once, showing nothing).
std::vector<QStringList> EditorCommands(const QProcessEnvironment& environment);

// Opens `path` in the user's text editor, started on its own (it outlives
// the front end and is never waited for), trying the commands above until
// one starts. The editor gets no console input of the front end's. Returns
// an empty text when an editor was started, else a message for the user
// naming the file.
std::string OpenInTextEditor(const std::string& path, const QProcessEnvironment& environment =
                                                          QProcessEnvironment::systemEnvironment());

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_TEXT_EDITOR_H_
