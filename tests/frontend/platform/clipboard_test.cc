#include "frontend/platform/clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace trakvist {
namespace {

// One entry carries both, so a paste finds whichever it can take.
TEST(ClipboardTest, HoldsPictureAndTextTogether) {
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Qt::red);
  image.setPixel(3, 4, qRgb(0, 0, 255));
  CopyImageAndText(image, "Algorithm\tTotal Seek Time\r\nFCFS\t1234\r\n");

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasImage());
  ASSERT_TRUE(data->hasText());
  EXPECT_EQ(data->text(), "Algorithm\tTotal Seek Time\r\nFCFS\t1234\r\n");
  const QImage pasted = qvariant_cast<QImage>(data->imageData());
  EXPECT_EQ(pasted.size(), image.size());
  EXPECT_EQ(pasted.pixel(3, 4), qRgb(0, 0, 255));

  CopyImageAndText(QImage(), "second");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "second");
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasImage()) << "no picture: text only";
}

}  // namespace
}  // namespace trakvist
