// One tick of the BridgeMates collection on the largest Mitchell (21 tables,
// 63 boards, half of the results in): with one new result, read, store,
// save, recompute and rewrite; with nothing new, the whole poll.
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesImport.h"
#include "devices/DevicePolling.h"
#include "devices/SessionDatabase.h"
#include "devices/TabletFiles.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/BridgeMatesTournament.h"
#include "support/TestState.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kTables = kMaxTables;

struct LargestBridgeMatesTournament {
  QTemporaryDir dir;
  ui::ScriptedInteraction talk;
  std::unique_ptr<testing_support::BridgeMatesScorers> scorers;

  LargestBridgeMatesTournament() {
    testing_support::resetGlobals();
    const QString program = dir.path() + "/program/";
    QDir().mkpath(program + "Resultats");
    qputenv("TALVARON_DOCUMENTS_FOLDER", (dir.path() + "/Documents").toUtf8());
    ProgramFolder = program;
    DataFolder = program + "Resultats/";
    DocumentsFolder = dir.path() + "/Documents";
    QDir().mkpath(DocumentsFolder);
    PrintFile = DocumentsFolder + "/TEMP.TXT";
    for (int i = 1; i <= 4; ++i) SuitLetters[i] = QLatin1Char("PCKT"[i - 1]);
    testing_support::SetUpBridgeMatesMitchell(kTables, 3);
    testing_support::CreateMitchellDatabase(program);
    for (int t = 1; t <= kTables; ++t) QDir().mkpath(TableFolder(t));
    DealsImported = true;
    scorers = std::make_unique<testing_support::BridgeMatesScorers>(BwsFileName);
    for (int s = 1; s <= ResultSlotCount; s += 2) key(s);
    // A poll takes a bounded share of the rows: as many polls as it takes.
    for (int taken = 0; taken < ResultSlotCount / 2 + 200; taken += 200) ImportBridgeMatesResults();
  }
  ~LargestBridgeMatesTournament() {
    scorers.reset();
    CloseSessionDatabase();
    testing_support::resetGlobals();
  }
  void key(int s) {
    scorers->enterResult(ResultTable[s], ResultRound[s], ResultBoard[s], ResultNsPair[s], ResultEwPair[s] - kTables,
                         "N", "4 S", s % 3 == 0 ? "=" : "+1", "HK");
  }
};

void BM_BridgeMatesTickWithOneResult(benchmark::State& state) {
  LargestBridgeMatesTournament t;
  int s = 2;
  for (auto _ : state) {
    state.PauseTiming();
    t.key(s);
    s = s + 2 > ResultSlotCount ? 2 : s + 2;
    state.ResumeTiming();
    ImportBridgeMatesResults();
  }
  if (!t.talk.messages.isEmpty()) state.SkipWithError(t.talk.messages.first().toStdString().c_str());
}
BENCHMARK(BM_BridgeMatesTickWithOneResult)->Unit(benchmark::kMillisecond);

void BM_BridgeMatesTickWithNothingNew(benchmark::State& state) {
  LargestBridgeMatesTournament t;
  for (auto _ : state) PollTableDevices();
  if (!t.talk.messages.isEmpty()) state.SkipWithError(t.talk.messages.first().toStdString().c_str());
}
BENCHMARK(BM_BridgeMatesTickWithNothingNew)->Unit(benchmark::kMillisecond);

}  // namespace
