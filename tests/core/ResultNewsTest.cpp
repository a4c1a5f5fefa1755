// The news about the results reaches every listener added, in the order they
// were added, and none removed, even while it is being told.
#include "core/Flows.h"
#include "core/ResultNews.h"
#include "support/TestState.h"

#include <QStringList>

#include <functional>

namespace {

// Notes each news it hears in a log shared with the other listeners; may do
// something more when told that a result was stored.
class NotingListener : public ResultListener {
 public:
  NotingListener(const char* name, QStringList& log) : ResultListener(name), log_(log) {}
  void resultStored(int slot, ResultSheet sheet, ResultOrigin origin) override {
    log_ << QStringLiteral("%1 stored %2 %3 %4")
                .arg(name())
                .arg(slot)
                .arg(sheet == ResultSheet::Table ? "table" : "board")
                .arg(origin == ResultOrigin::Typed ? "typed" : origin == ResultOrigin::Key ? "key" : "adjusted");
    if (onStored) onStored();
  }
  void resultErased(int slot, ResultSheet) override { log_ << QStringLiteral("%1 erased %2").arg(name()).arg(slot); }
  void resultAdjusted(int slot, const QString& remark) override {
    log_ << QStringLiteral("%1 adjusted %2 %3").arg(name()).arg(slot).arg(remark);
  }
  void resultsCounted() override { log_ << QStringLiteral("%1 counted").arg(name()); }
  std::function<void()> onStored;

 private:
  QStringList& log_;
};

// The listeners of a test removed at its end, whatever it left added.
class ResultNewsTest : public testing_support::TalvaronTest {
 protected:
  void TearDown() override {
    for (NotingListener* l : {&a, &b, &c}) RemoveResultListener(*l);
    TalvaronTest::TearDown();
  }
  QStringList log;
  NotingListener a{"a", log};
  NotingListener b{"b", log};
  NotingListener c{"c", log};
};

TEST_F(ResultNewsTest, EveryListenerIsToldEachNewsOnceInTheOrderAddedAndARemovedOneNoMore) {
  AddResultListener(a);
  AddResultListener(b);
  AddResultListener(a);  // added again: still told once, still first
  EXPECT_TRUE(ResultListenerAdded("b"));
  TellResultStored(5, ResultSheet::Table, ResultOrigin::Typed);
  TellResultAdjusted(7, "Arbitral score (60%-40%)");
  EXPECT_EQ(log, QStringList({"a stored 5 table typed", "b stored 5 table typed",
                              "a adjusted 7 Arbitral score (60%-40%)", "b adjusted 7 Arbitral score (60%-40%)"}));
  log.clear();
  RemoveResultListener(a);
  EXPECT_FALSE(ResultListenerAdded("a"));
  TellResultErased(6, ResultSheet::Board);
  TellResultsCounted();
  EXPECT_EQ(log, QStringList({"b erased 6", "b counted"}));
}

TEST_F(ResultNewsTest, AListenerMayRemoveItselfOrTheNextOrAddOneWhileItIsTold) {
  AddResultListener(a);
  AddResultListener(b);
  AddResultListener(c);
  // a goes as it is told; b puts c away before c's turn, and adds a back,
  // which hears the next news only (last, as added last).
  a.onStored = [this] { RemoveResultListener(a); };
  b.onStored = [this] {
    RemoveResultListener(c);
    AddResultListener(a);
  };
  TellResultStored(1, ResultSheet::Board, ResultOrigin::Key);
  EXPECT_EQ(log, QStringList({"a stored 1 board key", "b stored 1 board key"}));
  log.clear();
  a.onStored = b.onStored = nullptr;
  TellResultStored(2, ResultSheet::Table, ResultOrigin::Adjusted);
  EXPECT_EQ(log, QStringList({"b stored 2 table adjusted", "a stored 2 table adjusted"}));
}

TEST_F(ResultNewsTest, TheStartUpCheckNamesTheProgramsListenersMissing) {
  // Below the flows their doubles listen for the counters; below the
  // devices nobody listens for them.
  EXPECT_FALSE(EmptyFaces().contains(kMenuCountersListener));
  EXPECT_TRUE(EmptyFaces().contains(kTableDevicesListener));
  NotingListener devices(kTableDevicesListener, log);
  AddResultListener(devices);
  EXPECT_FALSE(EmptyFaces().contains(kTableDevicesListener));
  RemoveResultListener(devices);
  EXPECT_TRUE(EmptyFaces().contains(kTableDevicesListener));
}

}  // namespace
