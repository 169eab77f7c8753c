#include "frontend/ui/clipboard_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace trakvist {

void CopyImageAndText(const QImage& image, const QString& text) {
  auto* data = new QMimeData;
  data->setImageData(image);
  data->setText(text);
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace trakvist
