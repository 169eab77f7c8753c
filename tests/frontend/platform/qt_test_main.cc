// The Qt platform tests run inside one QGuiApplication: the runner needs an
// event loop, the per-user folder an application name, the clipboard a
// GUI application. Without a display they use Qt's offscreen platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleMock(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QGuiApplication::setApplicationName("TrakvistPlatformTests");
  return RUN_ALL_TESTS();
}
