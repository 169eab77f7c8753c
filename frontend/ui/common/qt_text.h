#ifndef TRAKVIST_FRONTEND_UI_COMMON_QT_TEXT_H_
#define TRAKVIST_FRONTEND_UI_COMMON_QT_TEXT_H_

#include <QString>
#include <string>
#include <string_view>

namespace trakvist {

// The model keeps its texts as UTF-8 standard strings; the views show them
// as QString.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toStdString(); }

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_QT_TEXT_H_
