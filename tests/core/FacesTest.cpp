// The faces up: an empty member says which it is, and the start-up check
// lists what nobody filled.
#include "core/DeviceEchoes.h"
#include "core/ErrorReports.h"
#include "core/Flows.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Empties one step for the test and puts back what was installed.
class EmptiedStep {
 public:
  explicit EmptiedStep(Face<void()>& step) : step_(step), saved_(step) { step_ = nullptr; }
  ~EmptiedStep() { step_ = saved_; }
  EmptiedStep(const EmptiedStep&) = delete;
  EmptiedStep& operator=(const EmptiedStep&) = delete;

 private:
  Face<void()>& step_;
  Face<void()> saved_;
};

}  // namespace

TEST(FacesTest, AnEmptyStepRaisesAnErrorNamingItAndNeverABadFunctionCall) {
  EmptiedStep emptied(flowSteps().recomputeAndSaveResults);
  EXPECT_FALSE(flowSteps().recomputeAndSaveResults);
  try {
    flowSteps().recomputeAndSaveResults();
    FAIL() << "an empty step ran";
  } catch (const std::bad_function_call&) {
    FAIL() << "std::bad_function_call";
  } catch (const NotInstalledError& e) {
    // The director reads which step was missing, and that nothing was done.
    const QString shown = EscapedErrorMessage(e);
    EXPECT_TRUE(shown.contains("flowSteps().recomputeAndSaveResults")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("pas été faite")) << shown.toStdString();
  }
}

TEST(FacesTest, AFilledFaceCallsThroughAndKeepsItsNameWhenCopiedOrEmptied) {
  Face<int(int, const QString&)> face("test().sum");
  EXPECT_FALSE(face);
  face = [](int n, const QString& text) { return n + static_cast<int>(text.size()); };
  ASSERT_TRUE(face);
  EXPECT_EQ(face(2, QStringLiteral("abc")), 5);
  Face<int(int, const QString&)> copy("other");
  copy = face;
  EXPECT_STREQ(copy.name(), "test().sum");
  EXPECT_EQ(copy(1, QString()), 1);
  face = nullptr;
  EXPECT_THROW(face(1, QString()), NotInstalledError);
  EXPECT_EQ(copy(3, QStringLiteral("x")), 4);
}

TEST(FacesTest, TheCheckListsEveryEmptiedMemberByNameAndTheMissingEchoes) {
  // The flows' steps are filled (by doubles below the flows); the windows'
  // members stay empty without windows.
  const QStringList installed = EmptyFaces();
  EXPECT_FALSE(installed.contains("flowSteps().quitProgram"));
  EXPECT_TRUE(installed.contains("flowWindows().showResults"));
  {
    EmptiedStep emptied(flowSteps().quitProgram);
    EXPECT_TRUE(EmptyFaces().contains("flowSteps().quitProgram"));
  }
  EXPECT_FALSE(EmptyFaces().contains("flowSteps().quitProgram"));

  DeviceEchoes& before = deviceEchoes();
  DeviceEchoes quiet;
  InstallDeviceEchoes(nullptr);
  EXPECT_TRUE(EmptyFaces().contains("deviceEchoes()"));
  InstallDeviceEchoes(&quiet);
  EXPECT_FALSE(EmptyFaces().contains("deviceEchoes()"));
  InstallDeviceEchoes(&before);
}
