// The exchange folder's files as the tables' server reads and writes them,
// against hand-made files in the layouts the program uses.
#include "TablesFiles.h"

#include "support/TestState.h"

#include <QDir>

#include <thread>

#include <gtest/gtest.h>

using namespace tables;
using testing_support::readBytes;

TEST(TablesFiles, PreferencesLineGivesTheEveningAndThePassword) {
  const auto p = ParsePrefsLine("3 21 7 3 M 0 Y 0 14 N N 1 2 N N 0 N FarnelTosk");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->roundsPlayed, 3);
  EXPECT_EQ(p->dealCount, 21);
  EXPECT_EQ(p->tableCount, 7);
  EXPECT_EQ(p->boardsPerTable, 3);
  EXPECT_TRUE(p->mitchellNumbering());
  EXPECT_FALSE(p->pairsEntered);  // field 11
  EXPECT_EQ(p->password, "FarnelTosk");

  // The password is the rest of the line, blanks and all; it may be empty.
  EXPECT_EQ(ParsePrefsLine("3 21 7 3 H 0 N 0 0 N Y 1 2 N N 0 S mot de passe")->password, "mot de passe");
  const auto empty = ParsePrefsLine("3 21 7 3 P 0 N 0 0 N Y 1 2 N N 0 N ");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->password.isEmpty());
  EXPECT_TRUE(empty->pairsEntered);
  EXPECT_FALSE(empty->mitchellNumbering());

  EXPECT_FALSE(ParsePrefsLine("3 21 x 3 M 0 N 0 0 N Y 1 2 N N 0 N pw"));  // a bad number
  EXPECT_FALSE(ParsePrefsLine("3 21 7 3 M 0 N 0 0 N Y"));                // short
  EXPECT_FALSE(ParsePrefsLine("3 21 0 3 M 0 N 0 0 N Y 1 2 N N 0 N pw")); // no table
}

TEST(TablesFiles, MovementAndSitOutLines) {
  // Round 3 against the BYE on the E/W side, boards 4 to 6 (set 2), and a
  // round where only one pair sits at the table.
  const auto m = ParseMovement({"1 2 2 9 1", "3 2 2 0 2", "4 0  0  0  0", "", "garbage"});
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].ns, 2);
  EXPECT_EQ(m[0].ew, 9);
  EXPECT_EQ(m[1].round, 3);
  EXPECT_EQ(m[1].ew, 0);
  EXPECT_EQ(m[1].boardSet, 2);
  EXPECT_EQ(m[2].round, 4);
  EXPECT_EQ(m[2].table, 0);
  EXPECT_EQ(m[2].boardSet, 0);

  const auto byes = ParseByeList({"3 2 4 2 0", "3 2 5 2 0", "3 2 6 2 0"});
  ASSERT_EQ(byes.size(), 3u);
  EXPECT_EQ(byes[2].board, 6);
  EXPECT_EQ(byes[2].ns, 2);
  EXPECT_EQ(byes[2].ew, 0);
}

TEST(TablesFiles, EchoLinesOfEveryKind) {
  const auto e = ParseEchoLine("2 1 999 7 3 2 14 N 3SN= Entame=?");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->table, 2);
  EXPECT_EQ(e->board, 7);
  EXPECT_EQ(e->round, 3);
  EXPECT_EQ(e->ns, 2);
  EXPECT_EQ(e->ew, 14);
  EXPECT_EQ(ValueOfEcho(*e), "N 3SN=");

  // A deletion by the director and by a table: no result.
  EXPECT_EQ(ValueOfEcho(*ParseEchoLine("2 1 999 7 3 2 14 declarant DELETE Entame=?")), "");
  EXPECT_EQ(ValueOfEcho(*ParseEchoLine("2 1 999 7 3 2 14 N DELETE Entame=?")), "");
  // Words come with an empty declarer (two blanks) or "?".
  const auto word = ParseEchoLine("2 1 999 7 3 2 14  NOT PLAYED Entame=?");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->declarer, "");
  EXPECT_EQ(ValueOfEcho(*word), "NOT PLAYED");
  EXPECT_EQ(ValueOfEcho(*ParseEchoLine("2 1 999 7 3 2 14 ? PASSE Entame=?")), "PASSE");
  EXPECT_EQ(ValueOfEcho(*ParseEchoLine("2 1 999 7 3 2 14  60 - 40 Entame=?")), "60 - 40");
  // A BridgeMates echo ends with the lead instead.
  const auto bm = ParseEchoLine("2 1 3 7 3 2 14 S 4CS+1 RC");
  ASSERT_TRUE(bm);
  EXPECT_EQ(bm->board, 7);
  EXPECT_EQ(ValueOfEcho(*bm), "S 4CS+1");

  EXPECT_FALSE(ParseEchoLine("2 1 999 x 3 2 14 N 3SN= Entame=?"));
  EXPECT_FALSE(ParseEchoLine("2 1 999 7"));
}

namespace {

TableResult only(ResultKind kind) {
  TableResult r;
  r.kind = kind;
  return r;
}

}  // namespace

TEST(TablesFiles, ResultTextsAndTheirValues) {
  TableResult r;
  r.result.declarer = "N";
  r.result.contract = "4PN=";
  r.result.lead = "RC";
  EXPECT_EQ(ResultText(r), "N 4PN= RC");
  EXPECT_EQ(ResultValue(r), "N 4PN=");
  r.result.lead = "?";
  EXPECT_EQ(ResultText(r), "N 4PN=");
  EXPECT_EQ(ResultText(only(ResultKind::Pass)), "PASSE");
  EXPECT_EQ(ResultText(only(ResultKind::NotPlayed)), "NOT PLAYED");
  EXPECT_EQ(ResultText(only(ResultKind::Arbitral)), "AJU");
  TableResult split = only(ResultKind::Split);
  split.result.percentages = std::pair(60.0, 40.0);
  EXPECT_EQ(ResultText(split), "60 - 40");
  EXPECT_EQ(ResultText(only(ResultKind::Delete)), "N DELETE");
  EXPECT_EQ(ResultValue(only(ResultKind::Delete)), "");

  EXPECT_EQ(ValueOfResultText("n 4pn= rc"), "N 4PN=");
  EXPECT_EQ(ValueOfResultText("E 3SXE-2"), "E 3SXE-2");
  EXPECT_EQ(ValueOfResultText("N DELETE"), "");
  EXPECT_EQ(ValueOfResultText("60 - 40"), "60 - 40");
  EXPECT_EQ(ValueOfResultText(" PASSE "), "PASSE");
}

TEST(TablesFiles, LeadsAreOneRankAndOneSuit) {
  EXPECT_EQ(NormalisedLead("rc"), "RC");
  EXPECT_EQ(NormalisedLead("10t"), "10T");
  EXPECT_EQ(NormalisedLead(" AP "), "AP");
  EXPECT_EQ(NormalisedLead("xk"), "xK");
  EXPECT_EQ(NormalisedLead("2K"), "2K");
  EXPECT_FALSE(NormalisedLead("1C"));
  EXPECT_FALSE(NormalisedLead("11C"));
  EXPECT_FALSE(NormalisedLead("AZ"));
  EXPECT_FALSE(NormalisedLead("ACC"));
  EXPECT_FALSE(NormalisedLead(""));
}

TEST(TablesFiles, FrequenciesRankingAndDiagram) {
  const auto rows = ParseBoardFile({"Donne 7", "", "4PN=/N 420 1 60 8 40 RC", "PASSE 0 2 50 9 50",
                                    "MOY -- 3 -- 10 -- --", "AJU -- 4 -- 11 -- --"});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].contract, "4PN=");
  EXPECT_EQ(rows[0].declarer, "N");
  EXPECT_EQ(rows[0].score, 420);
  EXPECT_EQ(rows[0].nsPercent, 60);
  EXPECT_EQ(rows[0].ew, 8);
  EXPECT_EQ(rows[0].lead, "RC");
  EXPECT_EQ(rows[1].contract, "PASSE");
  EXPECT_EQ(rows[1].score, 0);
  EXPECT_EQ(rows[1].ewPercent, 50);
  EXPECT_EQ(rows[1].lead, "");
  EXPECT_FALSE(rows[2].score);
  EXPECT_FALSE(rows[2].nsPercent);
  EXPECT_EQ(rows[2].ns, 3);
  EXPECT_EQ(rows[3].contract, "AJU");

  const auto lists = ParseRankingFile({"$$Résultats N/S:", "", "1$1$ DUPONT - DURAND                   $   62.50",
                                       "==$3$ MARTIN - PETIT                     $   62.50", "", "$$Résultats E/W:", "",
                                       "1$E2$ LEROY - MOREAU                     $   55.00"});
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[0].title, "Résultats N/S:");
  ASSERT_EQ(lists[0].rows.size(), 2u);
  EXPECT_EQ(lists[0].rows[1].place, "==");
  EXPECT_EQ(lists[0].rows[1].pair, "3");
  EXPECT_EQ(lists[0].rows[1].name, "MARTIN - PETIT");
  EXPECT_EQ(lists[0].rows[1].score, "62.50");
  EXPECT_EQ(lists[1].rows[0].pair, "E2");
  // A Howell has no titles; a Patton team has a second line.
  const auto howell = ParseRankingFile({"1$N1$ A - B                                $--------"});
  ASSERT_EQ(howell.size(), 1u);
  EXPECT_EQ(howell[0].title, "");
  EXPECT_EQ(howell[0].rows[0].score, "--------");
  const auto patton = ParseRankingFile({"1$2$ A - B$   12.00", "$$ C - D"});
  EXPECT_EQ(patton[0].rows[0].name, "A - B / C - D");
  EXPECT_TRUE(ParseRankingFile({"Il n'y a pas encore d'affichage des resultats disponible."}).empty());

  QStringList diagram = {"Board 7", "--------", "", "Nord", "", "P  A R X 3", "C  D 2", "K  ", "T  V 9 8 7 6 5 4 2"};
  for (const char* seat : {"Sud", "Est", "Ouest"}) diagram << "" << seat << "" << "P  2" << "C  3" << "K  4" << "T  5";
  const auto hands = ParseDiagram(diagram);
  ASSERT_TRUE(hands);
  EXPECT_EQ((*hands)[0][0], "A R X 3");
  EXPECT_EQ((*hands)[0][2], "");
  EXPECT_EQ((*hands)[0][3], "V 9 8 7 6 5 4 2");
  EXPECT_EQ((*hands)[3][3], "5");
  diagram[0] = "Donne 7";
  EXPECT_FALSE(ParseDiagram(diagram));
}

TEST(TablesFiles, APlayerTypedAtTheTableIsFoundInTheList) {
  const std::vector<ListedPlayer> list{{"012345", "DURAND Paul"}, {"777", "MOREAU Anne"},
                                       {"555", "LEFÈVRE Hélène"}, {"81", "MARTIN Luc"},
                                       {"82", "MARTIN Luc"}, {"90", "DUPONT Jean"},
                                       {"90", "DUPONT Jean"}, {"", "SANS Licence"}};
  const PlayersIndex index(list);
  const auto found = [&](const QString& licence, const QString& name) {
    const auto p = index.find(licence, name);
    return p ? (p->licence + '&' + p->name).toStdString() : std::string("none");
  };
  // The licence, with or without its leading zero.
  EXPECT_EQ(found("12345", ""), "012345&DURAND Paul");
  EXPECT_EQ(found("0012345", ""), "012345&DURAND Paul");
  EXPECT_EQ(found(" 012345 ", "n'importe"), "012345&DURAND Paul");  // the licence decides
  EXPECT_EQ(found("1234", ""), "none");
  EXPECT_EQ(found("0", ""), "none");
  // The name in any case, with or without its accents, blanks as typed.
  EXPECT_EQ(found("", "moreau anne"), "777&MOREAU Anne");
  EXPECT_EQ(found("", "  Moreau   ANNE "), "777&MOREAU Anne");
  EXPECT_EQ(found("", "lefevre helene"), "555&LEFÈVRE Hélène");
  EXPECT_EQ(found("", "LEFÈVRE HÉLÈNE"), "555&LEFÈVRE Hélène");
  EXPECT_EQ(found("", "Anne Moreau"), "none");  // the order is the list's
  EXPECT_EQ(found("", "moreau"), "none");
  // Two players of that name: the table must give the licence. The same
  // line twice in the list is one player.
  EXPECT_EQ(found("", "martin luc"), "none");
  EXPECT_EQ(found("82", ""), "82&MARTIN Luc");
  EXPECT_EQ(found("", "dupont jean"), "90&DUPONT Jean");
  EXPECT_EQ(found("", "sans licence"), "&SANS Licence");
  EXPECT_EQ(found("", ""), "none");
  EXPECT_EQ(PlayersIndex({}).find("12345", "DURAND Paul"), std::nullopt);
}

class TablesFileBytes : public testing_support::TalvaronTest {};

TEST_F(TablesFileBytes, ResultAndPlayersFilesAreOneWindowsLine) {
  const QString result = documentsDir() + "/REST7.TXT";
  WriteExchangeLine(result, ResultFileLine(2, 7, 3, 2, 14, "N 4PN= RC"));
  EXPECT_EQ(readBytes(result), "2 1 0 7 3 2 14 N 4PN= RC\r\n");

  std::array<SeatEntry, 4> seats{SeatEntry{"12345", "Nom Un"}, SeatEntry{}, SeatEntry{"", "Éloïse Bâton"},
                                 SeatEntry{"67890", "Nom Deux"}};
  const QString players = documentsDir() + "/PLAYERS.TXT";
  WriteExchangeLine(players, PlayersFileLine(seats));
  EXPECT_EQ(readBytes(players), "12345&Nom Un@*** Pas rempli ***@\xC9lo\xEFse B\xE2ton@67890&Nom Deux\r\n");
  // Rewritten whole, never appended to.
  WriteExchangeLine(players, PlayersFileLine({}));
  EXPECT_EQ(readBytes(players), "*** Pas rempli ***@*** Pas rempli ***@*** Pas rempli ***@*** Pas rempli ***\r\n");
}

TEST_F(TablesFileBytes, TablesWriteFromManyThreadsAtOnce) {
  // The server's worker threads write the files of different tables at the
  // same moment; each file ends whole and no temporary file is left.
  for (int t = 1; t <= 8; ++t) QDir().mkpath(documentsDir() + QStringLiteral("/T%1").arg(t));
  std::vector<std::thread> threads;
  for (int t = 1; t <= 8; ++t)
    threads.emplace_back([this, t] {
      for (int board = 1; board <= 100; ++board)
        WriteExchangeLine(documentsDir() + QStringLiteral("/T%1/REST%2.TXT").arg(t).arg(board % 4),
                          ResultFileLine(t, board, 1, t, t + 8, "N 1SN="));
    });
  for (std::thread& t : threads) t.join();
  for (int t = 1; t <= 8; ++t) {
    const QString folder = documentsDir() + QStringLiteral("/T%1").arg(t);
    EXPECT_EQ(readBytes(folder + "/REST0.TXT"), QStringLiteral("%1 1 0 100 1 %1 %2 N 1SN=\r\n").arg(t).arg(t + 8).toLatin1());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 4);
  }
}

TEST(TablesFiles, AFieldAddedToABoardsRowsIsNotTakenForAnother) {
  const auto rows = ParseBoardFile({"Donne 7", "", "4PN=/N 420 1 60 8 40 RC 12", "PASSE 0 2 50 9 50 12"});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].lead, "RC");
  EXPECT_EQ(rows[1].contract, "PASSE");
  EXPECT_EQ(rows[1].lead, "");
}
