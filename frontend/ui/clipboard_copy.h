#ifndef TRAKVIST_FRONTEND_UI_CLIPBOARD_COPY_H_
#define TRAKVIST_FRONTEND_UI_CLIPBOARD_COPY_H_

#include <QImage>
#include <QString>

namespace trakvist {

// Puts a picture and a text on the clipboard together, so that a document
// takes the picture and a spreadsheet or editor the text.
void CopyImageAndText(const QImage& image, const QString& text);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CLIPBOARD_COPY_H_
