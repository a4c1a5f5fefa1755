// Every contract against the scoring table of the Laws of Duplicate Bridge:
// 7 levels x 5 strains x undoubled, doubled, redoubled x both vulnerabilities,
// for every number of tricks from 0 to 13, typed as the director types them
// and read back as the N/S score.
#include "core/Globals.h"
#include "scoring/Contract.h"
#include "support/TestState.h"

namespace {

// The Laws' table, written out.
enum Strain { Clubs, Diamonds, Hearts, Spades, NoTrump };
constexpr char kStrainLetter[] = {'T', 'K', 'C', 'P', 'S'};

// Trick points per odd trick bid and made, undoubled: first trick, each later one.
constexpr int kFirstTrick[] = {20, 20, 30, 30, 40};
constexpr int kLaterTrick[] = {20, 20, 30, 30, 30};

// Undertricks, penalty of the 1st, 2nd, ... 13th trick down.
constexpr int kDownUndoubled[2][13] = {
    {50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50},
    {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}};
constexpr int kDownDoubled[2][13] = {
    {100, 200, 200, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300},
    {200, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300}};

// Expected score for the declaring side (negative when down). doubling: 0, 1, 2.
int LawsScore(int level, Strain strain, int doubling, bool vul, int tricks) {
  const int needed = level + 6;
  const int multiplier = doubling == 0 ? 1 : (doubling == 1 ? 2 : 4);
  if (tricks < needed) {
    int penalty = 0;
    for (int k = 0; k < needed - tricks; ++k)
      penalty += doubling == 0 ? kDownUndoubled[vul][k] : kDownDoubled[vul][k] * (doubling == 2 ? 2 : 1);
    return -penalty;
  }
  int contractPoints = 0;
  for (int k = 1; k <= level; ++k) contractPoints += (k == 1 ? kFirstTrick[strain] : kLaterTrick[strain]);
  contractPoints *= multiplier;
  int score = contractPoints;
  // Over-tricks.
  const int over = tricks - needed;
  if (doubling == 0) score += over * kLaterTrick[strain];
  if (doubling == 1) score += over * (vul ? 200 : 100);
  if (doubling == 2) score += over * (vul ? 400 : 200);
  // Game or part-score bonus.
  if (contractPoints >= 100)
    score += vul ? 500 : 300;
  else
    score += 50;
  // Slam bonuses.
  if (level == 6) score += vul ? 750 : 500;
  if (level == 7) score += vul ? 1500 : 1000;
  // Making a doubled or redoubled contract ("insult").
  if (doubling == 1) score += 50;
  if (doubling == 2) score += 100;
  return score;
}

QString Typed(int level, Strain strain, int doubling, QChar declarer, int tricks) {
  QString t = QString::number(level) + QLatin1Char(kStrainLetter[strain]);
  if (doubling == 1) t += QLatin1Char('X');
  if (doubling == 2) t += QLatin1String("XX");
  t += declarer;
  const int diff = tricks - (level + 6);
  if (diff == 0) t += QLatin1Char('=');
  if (diff > 0) t += QLatin1Char('+') + QString::number(diff);
  if (diff < 0) t += QLatin1Char('-') + QString::number(-diff);
  return t;
}

}  // namespace

class ContractScoreTest : public testing_support::TalvaronTest {};

TEST_F(ContractScoreTest, EveryContractAndTrickCountMatchesTheLaws) {
  // Board 1: nobody vulnerable; 2: N/S; 3: E/W; 4: both.
  struct Seat {
    QChar declarer;
    int board;
    bool vul;
    int nsSign;
  };
  const Seat seats[] = {
      {QLatin1Char('N'), 1, false, 1}, {QLatin1Char('S'), 2, true, 1},  {QLatin1Char('N'), 3, false, 1},
      {QLatin1Char('E'), 1, false, -1}, {QLatin1Char('O'), 3, true, -1}, {QLatin1Char('E'), 4, true, -1},
      {QLatin1Char('O'), 2, false, -1}, {QLatin1Char('S'), 4, true, 1},
  };
  int checked = 0;
  for (const Seat& seat : seats)
    for (int level = 1; level <= 7; ++level)
      for (int strain = Clubs; strain <= NoTrump; ++strain)
        for (int doubling = 0; doubling <= 2; ++doubling)
          for (int tricks = 0; tricks <= 13; ++tricks) {
            const QString text = Typed(level, Strain(strain), doubling, seat.declarer, tricks);
            const int expected = seat.nsSign * LawsScore(level, Strain(strain), doubling, seat.vul, tricks);
            CurrentBoard = seat.board;
            ASSERT_EQ(ContractParser(text, false), expected) << text.toStdString() << " board " << seat.board;
            ASSERT_EQ(ParseContract(text, seat.board).score, expected) << text.toStdString();
            ++checked;
          }
  EXPECT_EQ(checked, 8 * 7 * 5 * 3 * 14);
}

TEST_F(ContractScoreTest, WorkedExamples) {
  CurrentBoard = 1;  // nobody vulnerable
  EXPECT_EQ(ContractParser(QStringLiteral("3SN"), false), 400);
  EXPECT_EQ(ContractParser(QStringLiteral("3SE="), false), -400);
  EXPECT_EQ(ContractParser(QStringLiteral("1PXN="), false), 160);
  EXPECT_EQ(ContractParser(QStringLiteral("1PXXN="), false), 520);
  EXPECT_EQ(ContractParser(QStringLiteral("6KN+1"), false), 940);
  EXPECT_EQ(ContractParser(QStringLiteral("4PXN-4"), false), -800);
  CurrentBoard = 4;  // both vulnerable
  EXPECT_EQ(ContractParser(QStringLiteral("3SN"), false), 600);
  EXPECT_EQ(ContractParser(QStringLiteral("7SN="), false), 2220);
  EXPECT_EQ(ContractParser(QStringLiteral("4PXN-4"), false), -1100);
  EXPECT_EQ(ContractParser(QStringLiteral("4PXXN-1"), false), -400);
  EXPECT_EQ(ContractParser(QStringLiteral("7SN-13"), false), -1300);
}
