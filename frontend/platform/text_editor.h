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

// The editor commands to try for a text file, in order: $VISUAL, then
// $EDITOR, each split into program and arguments by SplitCommandWords (so
// "'/opt/my editor/ed' -w" is a program with a space in its path and one
// argument), then the desktop's opener xdg-open. Variables
// that are unset or hold only blanks are passed over.
std::vector<QStringList> EditorCommands(const QProcessEnvironment& environment);

// Opens `path` in the user's text editor, started on its own (it outlives
// the front end and is never waited for), trying the commands above until
// one starts. The editor gets no console input: one that needs a terminal
// ends at once rather than fighting the terminal the front end was started
// from, so such users set VISUAL to a graphical editor. Returns an empty
// text when an editor was started, else a message for the user.
std::string OpenInTextEditor(const std::string& path, const QProcessEnvironment& environment =
                                                          QProcessEnvironment::systemEnvironment());

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_TEXT_EDITOR_H_
