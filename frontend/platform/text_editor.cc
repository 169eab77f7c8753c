#include "frontend/platform/text_editor.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace trakvist {
namespace {

constexpr char kDesktopOpener[] = "xdg-open";

// Editors that need a terminal, by program name.
constexpr const char* kTerminalEditors[] = {
    "vi",  "vim", "nvim", "view",  "ex",    "ed",   "nano", "pico", "rnano", "joe",  "jed",
    "jmacs", "mcedit", "micro", "ne", "mg", "jove", "zile", "nvi",  "elvis", "vis",  "kak",
    "hx",  "helix", "le",  "tilde", "dte",  "amp"};

// Terminal emulators that run a command given after -e, in order of choice.
constexpr const char* kTerminals[] = {"x-terminal-emulator", "xterm"};

QStringList SearchPath(const QString& search_path) {
  return search_path.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

// "vim.basic" and "vim.tiny" are vim.
bool IsTerminalEditorName(const QString& name) {
  const QString base = name.section(QLatin1Char('.'), 0, 0);
  for (const char* editor : kTerminalEditors) {
    if (base == QLatin1String(editor)) return true;
  }
  return false;
}

bool StartDetached(const QStringList& command, const QString& path) {
  QProcess process;
  process.setProgram(command.front());
  process.setArguments(command.mid(1) << path);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  return process.startDetached();
}

bool EscapableInDoubleQuotes(QChar c) { return QStringView(u"$`\"\\").contains(c); }

// Takes the character at `*i`, inside the quotes `*quote`, into `word`; a
// closing quote ends the quotes instead.
void TakeQuoted(const QString& text, qsizetype* i, QChar* quote, QString* word) {
  if (text[*i] == *quote) {
    *quote = QChar();
    return;
  }
  if (*quote == '"' && text[*i] == '\\' && *i + 1 < text.size() &&
      EscapableInDoubleQuotes(text[*i + 1])) {
    ++*i;
  }
  *word += text[*i];
}

// The word of `text` that starts at `*at`, moving `*at` past it.
QString NextWord(const QString& text, qsizetype* at) {
  QString word;
  QChar quote;
  for (qsizetype& i = *at; i < text.size(); ++i) {
    if (!quote.isNull()) {
      TakeQuoted(text, &i, &quote, &word);
      continue;
    }
    if (text[i].isSpace()) break;
    if (text[i] == '\'' || text[i] == '"') {
      quote = text[i];
      continue;
    }
    if (text[i] == '\\' && i + 1 < text.size()) ++i;
    word += text[i];
  }
  return word;
}

}  // namespace

QStringList SplitCommandWords(const QString& text) {
  QStringList words;
  for (qsizetype at = 0; at < text.size();) {
    if (text[at].isSpace()) {
      ++at;
      continue;
    }
    words << NextWord(text, &at);
  }
  return words;
}

bool IsTerminalEditor(const QString& program, const QString& search_path) {
  if (IsTerminalEditorName(QFileInfo(program).fileName())) return true;
  const QString found = program.contains(QLatin1Char('/'))
                            ? program
                            : QStandardPaths::findExecutable(program, SearchPath(search_path));
  const QString target = found.isEmpty() ? QString() : QFileInfo(found).canonicalFilePath();
  return !target.isEmpty() && IsTerminalEditorName(QFileInfo(target).fileName());
}

QStringList TerminalCommand(const QString& search_path) {
  for (const char* terminal : kTerminals) {
    const QString found =
        QStandardPaths::findExecutable(QLatin1String(terminal), SearchPath(search_path));
    if (!found.isEmpty()) return {found, QStringLiteral("-e")};
  }
  return {};
}

std::vector<QStringList> EditorCommands(const QProcessEnvironment& environment) {
  std::vector<QStringList> commands;
  const QString search_path = environment.value(QStringLiteral("PATH"));
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    QStringList command = SplitCommandWords(environment.value(variable));
    if (command.isEmpty() || command.front().isEmpty()) continue;
    if (IsTerminalEditor(command.front(), search_path)) {
      const QStringList terminal = TerminalCommand(search_path);
      if (terminal.isEmpty()) continue;
      command = terminal + command;
    }
    commands.push_back(command);
  }
  commands.push_back({kDesktopOpener});
  return commands;
}

namespace {

// The terminal editors of VISUAL and EDITOR that EditorCommands passes over
// because no terminal emulator is found.
QStringList EditorsWithoutTerminal(const QProcessEnvironment& environment) {
  const QString search_path = environment.value(QStringLiteral("PATH"));
  QStringList passed;
  if (!TerminalCommand(search_path).isEmpty()) return passed;
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    const QStringList command = SplitCommandWords(environment.value(variable));
    if (!command.isEmpty() && IsTerminalEditor(command.front(), search_path)) {
      passed << command.join(' ');
    }
  }
  return passed;
}

}  // namespace

std::string OpenInTextEditor(const std::string& path, const QProcessEnvironment& environment) {
  const QString file = QString::fromStdString(path);
  QStringList tried;
  for (const QStringList& command : EditorCommands(environment)) {
    if (StartDetached(command, file)) return "";
    tried << command.join(' ');
  }
  const QStringList passed = EditorsWithoutTerminal(environment);
  if (!passed.isEmpty()) {
    return "No text editor could be started to open " + path + " (tried: " +
           tried.join(", ").toStdString() + "). " + passed.join(", ").toStdString() +
           " runs in a terminal, and no terminal emulator (x-terminal-emulator or xterm) was "
           "found: install one, or set the VISUAL environment variable to a graphical editor.";
  }
  return "No text editor could be started to open " + path +
         " (tried: " + tried.join(", ").toStdString() +
         "). Set the VISUAL or EDITOR environment variable to your editor.";
}

}  // namespace trakvist
