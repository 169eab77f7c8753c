#ifndef TRAKVIST_FRONTEND_PLATFORM_CLIPBOARD_H_
#define TRAKVIST_FRONTEND_PLATFORM_CLIPBOARD_H_

#include <QImage>
#include <QString>

namespace trakvist {

// Puts a picture and a text on the clipboard as one entry, replacing what it
// held: a paste into an image editor takes the picture, one into a text
// editor or spreadsheet the text. A null image leaves only the text. Needs
// a QGuiApplication.
void CopyImageAndText(const QImage& image, const QString& text);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_CLIPBOARD_H_
