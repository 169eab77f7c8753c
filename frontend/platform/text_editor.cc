#include "frontend/platform/text_editor.h"

#include <QProcess>

namespace trakvist {
namespace {

constexpr char kDesktopOpener[] = "xdg-open";

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

std::vector<QStringList> EditorCommands(const QProcessEnvironment& environment) {
  std::vector<QStringList> commands;
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    QStringList command = SplitCommandWords(environment.value(variable));
    if (!command.isEmpty() && !command.front().isEmpty()) commands.push_back(command);
  }
  commands.push_back({kDesktopOpener});
  return commands;
}

std::string OpenInTextEditor(const std::string& path, const QProcessEnvironment& environment) {
  const QString file = QString::fromStdString(path);
  QStringList tried;
  for (const QStringList& command : EditorCommands(environment)) {
    if (StartDetached(command, file)) return "";
    tried << command.join(' ');
  }
  return "No text editor could be started to open " + path +
         " (tried: " + tried.join(", ").toStdString() +
         "). Set the VISUAL or EDITOR environment variable to your editor.";
}

}  // namespace trakvist
