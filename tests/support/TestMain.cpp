// Test entry: routine tests run under a QCoreApplication, window tests under
// an offscreen QApplication.
#include <gtest/gtest.h>

#include <QByteArray>
#ifdef TALVARON_WINDOW_TESTS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
#ifdef TALVARON_WINDOW_TESTS
  QApplication app(argc, argv);
#else
  QCoreApplication app(argc, argv);
#endif
  return RUN_ALL_TESTS();
}
