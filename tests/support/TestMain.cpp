// Test entry: routine tests run under a QCoreApplication, window tests under
// an offscreen QApplication. The faces up (core/Flows.h, core/DeviceEchoes.h,
// the listeners of core/ResultNews.h) are filled as the program fills them
// where the executable links the floor that fills them
// (TALVARON_TESTS_REACH_<FLOOR>, set by tests/CMakeLists.txt), by the flows'
// doubles below the flows, and not at all below the devices.
#include <gtest/gtest.h>

#ifdef TALVARON_TESTS_REACH_DEVICES
#include "devices/TableDeviceEchoes.h"
#include "devices/TablesServer.h"
#endif
#ifdef TALVARON_TESTS_REACH_FLOWS
#include "flows/InstallFlows.h"
#else
#include "support/FlowDoubles.h"
#endif

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

#ifdef TALVARON_TESTS_REACH_DEVICES
// The tables' server a test started never outlives that test.
class StopTablesServerAfterEachTest : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { StopTablesServer(); }
};
#endif

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
#ifdef TALVARON_WINDOW_TESTS
  QApplication app(argc, argv);
#else
  QCoreApplication app(argc, argv);
#endif
#ifdef TALVARON_TESTS_REACH_FLOWS
  InstallFlows();
#else
  testing_support::InstallFlowDoubles();
#endif
#ifdef TALVARON_TESTS_REACH_DEVICES
  InstallTableDeviceEchoes();
  ::testing::UnitTest::GetInstance()->listeners().Append(new StopTablesServerAfterEachTest);
#endif
  return RUN_ALL_TESTS();
}
