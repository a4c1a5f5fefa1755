// One tick of the collection timer on the largest tournament the program
// holds (21 tables, 64 boards, every result entered, played with tablets):
// with one new result file (read, store, save, recompute, result files and
// echo; under 20 ms), and with nothing new (well under 1 ms).
#include "core/Globals.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "flows/TournamentMenu.h"
#include "platform/TextFiles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int kTables = 21;
constexpr int kBoards = 64;
constexpr int kBoardsPerRound = 8;

void LayOut(const QString& folder) {
  testing_support::resetGlobals();
  qputenv("TALVARON_DOCUMENTS_FOLDER", (folder + QStringLiteral("/Documents")).toUtf8());
  ProgramFolder = folder + QStringLiteral("/program/");
  DataFolder = ProgramFolder + QStringLiteral("Resultats/");
  QDir().mkpath(DataFolder);
  TournamentCode = QStringLiteral("BENCH");
  TableDevicesMode = TabletsMode = true;
  TableCount = ResultsPerBoard = kTables;
  PairCount = PairSlotCount = 2 * kTables;
  MitchellNumbering = true;
  for (int s = 1; s <= PairCount; ++s) {
    PairNumbers[s] = s <= kTables ? s : -(s - kTables);
    Player1Names[s] = QStringLiteral("Joueur%1").arg(s);
    Player2Names[s] = QStringLiteral("Partenaire%1").arg(s);
    PairLabels[s] = Player1Names[s] + QStringLiteral(" - ") + Player2Names[s];
  }
  BoardCount = DealCount = kBoards;
  BoardsPerTable = kBoardsPerRound;
  ResultSlotCount = kBoards * kTables;
  RoundCount = RoundsScheduled = RoundsPlayed = kBoards / kBoardsPerRound;
  const char* contracts[] = {"4PS=", "3SN+1", "2CE-1", "4CO=", "1SN+2", "3KS-2"};
  for (int b = 1; b <= kBoards; ++b) {
    const int round = (b - 1) / kBoardsPerRound + 1;
    for (int t = 1; t <= kTables; ++t) {
      const int s = (b - 1) * kTables + t;
      TestSlots().nsPair[s] = t;
      TestSlots().ewPair[s] = kTables + (t - 1 + round - 1) % kTables + 1;
      TestSlots().round[s] = round;
      TestSlots().table[s] = t;
      TestSlots().board[s] = b;
      TestSlots().contract[s] = QLatin1String(contracts[(b + t) % 6]);
      TestSlots().score[s] = 100 * ((b * 7 + t * 3) % 9) - 300;
      TestSlots().declarer[s] = QStringLiteral("S");
      TestSlots().lead[s] = QStringLiteral("AC");
    }
  }
  ResultsEntered = ResultSlotCount;
  WriteTabletSessionFiles();
  menuView().timerEnabled = true;
  // The session files were written at the start of play, long before.
  const timespec old[2] = {{1, 0}, {1, 0}};
  for (int t = 1; t <= kTables; ++t) ::utimensat(AT_FDCWD, QFile::encodeName(TableFolder(t)).constData(), old, 0);
}

void BM_TickWithOneNewResult(benchmark::State& state) {
  QTemporaryDir folder;
  LayOut(folder.path());
  const int slot = 5 * kTables + 3;
  const QString file = TableFolder(ResultTable[slot]) + QStringLiteral("/REST1.TXT");
  const QString line = QStringLiteral("%1 1 0 %2 %3 %4 %5 ")
                           .arg(ResultTable[slot])
                           .arg(ResultBoard[slot])
                           .arg(ResultRound[slot])
                           .arg(ResultNsPair[slot])
                           .arg(ResultEwPair[slot] - kTables);
  const QString texts[2] = {QStringLiteral("N 3SN= RC\r\n"), QStringLiteral("N 4SN= RC\r\n")};
  int pass = 0;
  for (auto _ : state) {
    state.PauseTiming();
    platform::writeTextLines(file, {line + texts[++pass % 2].trimmed()});
    state.ResumeTiming();
    ImportTabletResults();
  }
  if (QFile::exists(file) || ResultContract[slot] != texts[pass % 2].left(6).mid(2).trimmed())
    state.SkipWithError("the result was not collected");
  menuView() = TournamentMenuView{};
  testing_support::resetGlobals();
}

void BM_TickWithNothingNew(benchmark::State& state) {
  QTemporaryDir folder;
  LayOut(folder.path());
  for (auto _ : state) ImportTabletResults();
  menuView() = TournamentMenuView{};
  testing_support::resetGlobals();
}

}  // namespace

BENCHMARK(BM_TickWithOneNewResult)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickWithNothingNew)->Unit(benchmark::kMicrosecond);
