// Test entry: routine tests run under a QCoreApplication, window tests under
// an offscreen QApplication.
#include <gtest/gtest.h>

#include "devices/TableDeviceEchoes.h"
#include "flows/InstallFlows.h"

#include <QByteArray>
#ifdef TALVARON_WINDOW_TESTS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

// Qt's accessibility layer keeps, per widget shown, a guard it never frees
// (seen from its allocation only, Qt's frames being unwound no further); the
// leak checker of the sanitized build is told to pass over it.
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:QAccessibleObject::QAccessibleObject\nleak:QtSharedPointer::ExternalRefCountData::getAndRef\n";
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
#ifdef TALVARON_WINDOW_TESTS
  QApplication app(argc, argv);
#else
  QCoreApplication app(argc, argv);
#endif
  InstallFlows();
  InstallTableDeviceEchoes();
  return RUN_ALL_TESTS();
}
