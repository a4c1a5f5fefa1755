#pragma once
// A small Mitchell laid out in the result slots, for the scoring tests: N/S
// pair t and E/W pair T + k meet at table t, with the E/W pairs moving one
// table per round; every slot starts without a result.
#include "core/Globals.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <initializer_list>
#include <string>

// Lines compared as one text, so that a failure shows them readably.
inline std::string Joined(const QStringList& lines) { return lines.join(QLatin1Char('\n')).toStdString(); }

class ScoringTest : public testing_support::TalvaronTest {
 protected:
  void layOut(int tables, int boards, int boardsPerRound) {
    TableCount = ResultsPerBoard = tables;
    PairCount = PairSlotCount = 2 * tables;
    MitchellNumbering = true;
    for (int k = 1; k <= tables; ++k) {
      PairNumbers[k] = k;
      PairNumbers[tables + k] = -k;
      PairLabels[k] = QStringLiteral("Nord%1 - Sud%1").arg(k);
      PairLabels[tables + k] = QStringLiteral("Est%1 - Ouest%1").arg(k);
    }
    BoardCount = boards;
    BoardsPerTable = boardsPerRound;
    ResultSlotCount = boards * tables;
    RoundCount = RoundsScheduled = RoundsPlayed = (boards + boardsPerRound - 1) / boardsPerRound;
    for (int b = 1; b <= boards; ++b) {
      const int round = (b - 1) / boardsPerRound + 1;
      for (int t = 1; t <= tables; ++t) {
        const int s = slot(b, t);
        TestSlots().nsPair[s] = t;
        TestSlots().ewPair[s] = tables + (t - 1 + round - 1) % tables + 1;
        TestSlots().round[s] = round;
        TestSlots().table[s] = t;
        TestSlots().board[s] = b;
        TestSlots().score[s] = kScoreNone;
      }
    }
  }
  static int slot(int board, int table) { return (board - 1) * ResultsPerBoard + table; }
  // Scores of the first tables of a board, in table order.
  void scores(int board, std::initializer_list<int> values) {
    int t = 1;
    for (int v : values) {
      TestSlots().score[slot(board, t)] = v;
      TestSlots().contract[slot(board, t)] = v == kScoreAverage ? QStringLiteral("MOY.") : QString::number(v);
      ++t;
    }
  }
  // Every slot of every board gets the same score (boards complete).
  void fillAll(int score) {
    for (int s = 1; s <= ResultSlotCount; ++s) TestSlots().score[s] = score;
  }
  // A board played by fewer tables: the other slots have no table.
  void onlyTables(int board, int tables) {
    for (int t = tables + 1; t <= ResultsPerBoard; ++t) TestSlots().nsPair[slot(board, t)] = 0;
  }
  void writeFile(const QString& extension, const QByteArray& bytes) {
    testing_support::writeBytes(DataFolder + TournamentCode + extension, bytes);
  }
  void SetUp() override {
    TalvaronTest::SetUp();
    TournamentCode = QStringLiteral("TEST1");
  }
};
