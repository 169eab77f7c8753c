#include "frontend/platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace trakvist {

void CopyImageAndText(const QImage& image, const QString& text) {
  auto* data = new QMimeData;  // the clipboard takes it over
  if (!image.isNull()) data->setImageData(image);
  data->setText(text);
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace trakvist
