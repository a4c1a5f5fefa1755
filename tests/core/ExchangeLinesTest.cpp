// The exchange folder's lines against hand-made lines in the layouts the
// program and the tables' server share: what is written reads back equal, a
// damaged line is refused, a field added at a line's end is left alone.
#include "core/DealDiagrams.h"
#include "core/ExchangeFiles.h"
#include "core/ExchangeLines.h"

#include <gtest/gtest.h>

using namespace exchange;

namespace {

TableResult contract(char declarer, const QString& text, const QString& lead = "?") {
  return {ResultKind::Contract, MakeResult(text, kScoreNone, lead, QString(QChar(declarer)))};
}
TableResult only(ResultKind kind, char declarer = 0) {
  return {kind, MakeResult({}, kScoreNone, "?", declarer ? QString(QChar(declarer)) : QString())};
}
TableResult split(int ns, int ew) {
  TableResult r{ResultKind::Split, {}};
  r.result.percentages = std::pair<double, double>(ns, ew);
  return r;
}

}  // namespace

TEST(ExchangeLines, ATablesResultFileReadsBackAsWritten) {
  const std::pair<TableResult, const char*> cases[] = {
      {contract('N', "4PN=", "RC"), "2 1 0 7 3 2 14 N 4PN= RC"},
      {contract('E', "3SXE-2"), "2 1 0 7 3 2 14 E 3SXE-2"},
      {only(ResultKind::Pass), "2 1 0 7 3 2 14 PASSE"},
      {only(ResultKind::NotPlayed), "2 1 0 7 3 2 14 NOT PLAYED"},
      {only(ResultKind::Average), "2 1 0 7 3 2 14 MOY"},
      {only(ResultKind::Arbitral), "2 1 0 7 3 2 14 AJU"},
      {split(60, 40), "2 1 0 7 3 2 14 60 - 40"},
      {only(ResultKind::Delete, 'N'), "2 1 0 7 3 2 14 N DELETE"},
  };
  for (const auto& [result, line] : cases) {
    SCOPED_TRACE(line);
    EXPECT_EQ(ResultFileLine(2, 7, 3, 2, 14, ResultText(result)), line);
    const auto read = ParseResultFileLine(line);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::tie(read->table, read->board, read->round, read->ns, read->ew), std::tuple(2, 7, 3, 2, 14));
    EXPECT_EQ(read->result, result);
  }
  // As tables type them: any case, extra blanks, a word after a letter, a
  // split's percentage that is no whole number 0..100 read as 50.
  EXPECT_EQ(ReadResultText(" n  4pn=  rc "), contract('N', "4PN=", "RC"));
  EXPECT_EQ(ReadResultText("S PASSE"), only(ResultKind::Pass, 'S'));
  EXPECT_EQ(ResultValue(ReadResultText("60 - x")), "60 - 50");
  EXPECT_EQ(ReadResultText("N").kind, ResultKind::None);
  EXPECT_EQ(ReadResultText("").kind, ResultKind::None);
}

TEST(ExchangeLines, ALeadIsOneWordAndWhatFollowsItIsLeftAlone) {
  const auto read = ParseResultFileLine("2 1 0 7 3 2 14 N 4PN= RC 20:41 tablette");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->result, contract('N', "4PN=", "RC"));
  const auto echo = ParseEchoLine("2 1 999 7 3 2 14  60 - 40 Entame=? 20:41");
  ASSERT_TRUE(echo);
  EXPECT_EQ(echo->contract, "60 - 40");
  EXPECT_FALSE(echo->lead);
  const auto lists = ParseRankingFile({"$$Résultats N/S:", "1$1$ DUPONT - DURAND   $   62.50$   12$ x"});
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(lists[0].rows[0], (RankingRow{"1", "1", "DUPONT - DURAND", "62.50"}));
}

TEST(ExchangeLines, DamagedLinesAreRefused) {
  for (const char* line : {"", "2 1 0 7", "2 1 0 x 3 2 14 N 4PN=", "2 1 0 7 3 2 1.5 N 4PN="})
    EXPECT_FALSE(ParseResultFileLine(line)) << line;
  for (const char* line : {"", "2 1 999 7", "2 1 999 x 3 2 14 N 3SN= Entame=?", "2 1 999 7 3 2 14 N 3SN="})
    EXPECT_FALSE(ParseEchoLine(line)) << line;
  // Fewer than four fields is no row: the placeholder before the first computation.
  EXPECT_TRUE(ParseRankingFile({"Il n'y a pas encore d'affichage des resultats disponible.", "1$2$ A"}).empty());
  // A settled board's file without the director's result settles nothing,
  // for the program as for the tables' server.
  for (const QStringList& file : {QStringList{}, QStringList{""}, QStringList{"  ", "N 4PN="},
                                  QStringList{"Score arbitral 40 %"}, QStringList{"Score arbitral 40 % – x %"}})
    EXPECT_FALSE(ParseSettledBoardFile(file)) << file.join('|').toStdString();
  // A players' list line without a name, or with nothing after its
  // separator, is no player.
  for (const char* line : {"", "12345", "  \\ DUPONT Jean 12", "MARTIN: 4567", "MARTIN# \\ Anne"})
    EXPECT_FALSE(ParsePlayersListLine(line)) << line;
}

TEST(ExchangeLines, EveryEchoTheProgramWritesReadsBackAsWritten) {
  const std::pair<EchoLine, const char*> cases[] = {
      {{2, 999, 7, 3, 2, 14, "N", "3SN=", std::nullopt}, "2 1 999 7 3 2 14 N 3SN= Entame=?"},
      {{2, 999, 7, 3, 2, 14, "declarant", "DELETE", std::nullopt}, "2 1 999 7 3 2 14 declarant DELETE Entame=?"},
      {{2, 999, 7, 3, 2, 14, "", "NOT PLAYED", std::nullopt}, "2 1 999 7 3 2 14  NOT PLAYED Entame=?"},
      {{2, 999, 7, 3, 2, 14, "", "60 - 40", std::nullopt}, "2 1 999 7 3 2 14  60 - 40 Entame=?"},
      // A BridgeMates echo with its lead, and its erasure.
      {{2, 4, 7, 3, 2, 14, "S", "4CS+1", "RC"}, "2 1 4 7 3 2 14 S 4CS+1 RC"},
      {{2, 4, 7, 3, 2, 14, "S", "DELETE", "?"}, "2 1 4 7 3 2 14 S DELETE ?"},
      {{2, 5, 7, 3, 2, 14, "S", "", "?"}, "2 1 5 7 3 2 14 S  ?"},
      // The export's rewrite: no lead at all, a split with decimals.
      {{2, 0, 7, 3, 2, 14, "", "60.5 - 39.5", ""}, "2 1 0 7 3 2 14  60.5 - 39.5 "},
      {{2, 0, 7, 3, 2, 14, "", "*420*", ""}, "2 1 0 7 3 2 14  *420* "},
  };
  for (const auto& [echo, line] : cases) {
    SCOPED_TRACE(line);
    EXPECT_EQ(EchoLineText(echo), line);
    EXPECT_EQ(ParseEchoLine(line), echo);
  }
  EXPECT_TRUE(IsDeleteEcho(*ParseEchoLine("2 1 999 7 3 2 14 N DELETE Entame=?")));
  EXPECT_FALSE(IsDeleteEcho(*ParseEchoLine("2 1 4 7 3 2 14 S DELETE ?")));
}

TEST(ExchangeLines, TheRankingReadsBackAsWritten) {
  // The program's layout: the name in 35 columns, the score in 8; a "$" in
  // a name is a blank.
  const QStringList lines{RankingTitleLine("Résultats N/S:", "$"),
                          RankingRowLine({"1", "3", "DUPONT$DURAND                      ", "   62.50"}, "$"),
                          RankingRowLine({"2", "12", "A - B", "--------"}, "$"), RankingSecondLine("C - D", "$")};
  EXPECT_EQ(lines, QStringList({"$$Résultats N/S:", "1$3$ DUPONT DURAND                      $   62.50",
                                "2$12$ A - B$--------", "$$ C - D"}));
  const auto lists = ParseRankingFile(lines);
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(lists[0], (RankingList{"Résultats N/S:",
                                   {{"1", "3", "DUPONT DURAND", "62.50"}, {"2", "12", "A - B / C - D", "--------"}}}));
  // Without a separator (the home folder's copy) the fields stand side by side.
  EXPECT_EQ(RankingRowLine({"1", "3", "A$B", "   62.50"}, ""), "13 A$B   62.50");
}

TEST(ExchangeLines, ABoardsFrequencyReadsBackAsWritten) {
  const std::vector<FrequencyRow> rows{{"4PN=", "N", 420, 1, 60, 8, 40, "RC"},
                                       {"3SAE-1", "E", 50, 2, 75, 9, 25, "?"},
                                       {"PASSE", "", 0, 3, 50, 10, 50, ""},
                                       {"MOY", "", {}, 4, {}, 11, {}, ""}};
  const QString text = BoardFileContent(7, rows, false);
  EXPECT_EQ(text,
            "Donne 7\r\n\r\n4PN=/N 420 1 60 8 40 RC\r\n3SAE-1/E 50 2 75 9 25 ?\r\nPASSE 0 3 50 10 50\r\n"
            "MOY -- 4 -- 11 -- --\r\n");
  EXPECT_EQ(ParseBoardFile(text.split("\r\n")), rows);
  EXPECT_EQ(BoardFileContent(8, {}, true), "Donne 8\r\n\r\nAucun résultat introduit\r\n");
  EXPECT_TRUE(ParseBoardFile(BoardFileContent(8, {}, true).split("\r\n")).empty());
  // Pairs that are no numbers, or too few fields: no row.
  EXPECT_TRUE(ParseBoardFile({"Donne 7", "", "4PN=/N 420 x 60 8 40 RC", "4PN=/N 420 1 60 8"}).empty());
}

TEST(ExchangeLines, ATablesPlayersReadBackAsWritten) {
  const QString line = PlayersFileLine({SeatEntry{"12345", "DUPONT Jean"}, SeatEntry{}, SeatEntry{"", "Éloïse Bâton"},
                                        SeatEntry{"67890", "MARTIN Luc"}});
  EXPECT_EQ(line, "12345&DUPONT Jean@*** Pas rempli ***@Éloïse Bâton@67890&MARTIN Luc");
  EXPECT_EQ(ParsePlayersFileLine(line), (std::array<QString, 4>{"12345&DUPONT Jean", "*** Pas rempli ***",
                                                                 "Éloïse Bâton", "67890&MARTIN Luc"}));
  // A short line leaves the last seats empty; a seat after the first keeps 100 characters.
  EXPECT_EQ(ParsePlayersFileLine("A@B"), (std::array<QString, 4>{"A", "B", "", ""}));
  EXPECT_EQ(ParsePlayersFileLine("A@" + QString(120, 'x'))[1], QString(100, 'x'));
}

TEST(ExchangeLines, AMovementAndItsSitOutsReadBackAsWritten) {
  const std::vector<MovementLine> movement{{1, 2, 2, 9, 1}, {3, 2, 2, 0, 2}, {4, 0, 0, 0, 0}};
  QStringList lines;
  for (const MovementLine& m : movement) lines << MovementLineText(m);
  EXPECT_EQ(lines, QStringList({"1 2 2 9 1", "3 2 2 0 2", "4 0  0  0  0"}));
  EXPECT_EQ(ParseMovement(lines + QStringList{"", "5 x 1 2 3", "99 1 1 1 1"}), movement);
  const ByeLine bye{3, 2, 5, 2, 0};
  EXPECT_EQ(ByeLineText(bye), "3 2 5 2 0");
  EXPECT_EQ(ParseByeList({"3 2 5 2 0", "3 2 x 2 0", "3 2"}), std::vector<ByeLine>{bye});
}

TEST(ExchangeLines, ThePreferencesReadBackAsWritten) {
  Prefs p{3, 21, 7, 3, u'M', 2, true, 0, 14, false, false, 1, 2, true, false, 4, u'S', "mot de passe"};
  EXPECT_EQ(PrefsLine(p), "3 21 7 3 M 2 Y 0 14 N N 1 2 Y N 4 S mot de passe");
  EXPECT_EQ(ParsePrefsLine(PrefsLine(p)), p);
  p.password.clear();
  EXPECT_EQ(PrefsLine(p), "3 21 7 3 M 2 Y 0 14 N N 1 2 Y N 4 S ");
  EXPECT_EQ(ParsePrefsLine(PrefsLine(p)), p);
  EXPECT_FALSE(ParsePrefsLine("3 21 7 3 M 2 Y 0 14 N N 1 2 Y N 4 S"));  // no password field
  EXPECT_FALSE(ParsePrefsLine("3 21 22 3 M 2 Y 0 14 N N 1 2 Y N 4 S pw"));  // 22 tables
}

TEST(ExchangeLines, WhoHoldsATableReadsBackAsWritten) {
  const TableHolder h{3, "Android Chrome 192.168.1.23", "20:15:02"};
  EXPECT_EQ(TableHolderLine(h), "3\tAndroid Chrome 192.168.1.23\t20:15:02");
  EXPECT_EQ(ParseTableHolderLine(TableHolderLine(h)), h);
  EXPECT_EQ(ParseTableHolderLine(TableHolderLine(h) + "\tune colonne de plus"), h);
  for (const char* line : {"3\tFirefox", "0\tFirefox\t20:15:02", "22\tFirefox\t20:15:02", "3\t \t20:15:02",
                           "3\tFirefox\t8:15:02"})
    EXPECT_FALSE(ParseTableHolderLine(line)) << line;
}

TEST(ExchangeLines, ADiagramReadsBackAsWritten) {
  const DealHoldings hands{{{"AKT3", "Q2", "", "J98765432"},
                            {"2", "3", "4", "5"},
                            {"QJ", "AKJT", "Q", "AK"},
                            {"9", "9", "9", "T"}}};
  const auto read = ParseDiagram(DiagramLines(7, hands));
  ASSERT_TRUE(read);
  EXPECT_EQ((*read)[SeatNorth], (std::array<QString, 4>{"A R X 3", "D 2", "", "V 9 8 7 6 5 4 3 2"}));
  EXPECT_EQ((*read)[SeatEast], (std::array<QString, 4>{"D V", "A R V X", "D", "A R"}));
  EXPECT_EQ((*read)[SeatWest][3], "X");
  EXPECT_FALSE(ParseDiagram(DiagramLines(7, hands).mid(0, 29)));
}

TEST(ExchangeLines, ASettledBoardReadsBackAsWritten) {
  // As the file gives them back: a contract's score is not in it.
  const auto contract = [](const QString& declarer, const QString& text) { return MakeResult(text, 0, "?", declarer); };
  const auto of = [](int score, double ns = 0, double ew = 0) {
    const char* words[] = {"MOY.", "AJU."};
    SlotResult r = MakeResult(score == kScoreAverage || score == kScoreAdjusted ? words[score - kScoreAverage] : "",
                              score, "?", "");
    if (score == kScoreAdjusted) r.percentages = std::pair(ns, ew);
    return r;
  };
  const std::pair<SlotResult, QString> cases[] = {
      {of(kScoreAdjusted, 37.5, 0), "Score arbitral 37,5 % – 0 %"},
      {of(kScoreAdjusted, 100, 33.33), "Score arbitral 100 % – 33,33 %"},
      {contract("N", "4PN="), "N 4PN="},
      {contract("O", "3SO-1"), "O 3SO-1"},
      {contract("", "PASSE"), "PASSE"},
      {contract("", "2CE+1"), "2CE+1"},  // no declarer known
      {of(kScoreAverage), "Moyenne"},
      {of(-620), "-620"},
      {of(kScoreNone), "Résultat effacé par l'arbitre"},
  };
  for (const auto& [result, line] : cases) {
    SCOPED_TRACE(line.toStdString());
    EXPECT_EQ(SettledResultLine(result), line);
    EXPECT_EQ(ParseSettledBoardFile({line}), result);
  }
  // What the players cannot be shown is not written: an unknown declarer,
  // the typed 0 % kept as 0.0001, a percentage's third decimal.
  EXPECT_EQ(SettledResultLine(contract("?", "2CE+1")), "2CE+1");
  EXPECT_EQ(SettledResultLine(contract("S", "PASSE")), "PASSE");
  EXPECT_EQ(SettledResultLine(of(kScoreAdjusted, 66.666, 0.0001)), "Score arbitral 66,67 % – 0 %");
  // A line added after the first is left alone.
  EXPECT_EQ(ParseSettledBoardFile({" Moyenne ", "N 4PN="}), of(kScoreAverage));
}

TEST(ExchangeLines, APlayersListLineReadsAsTheProgramKeepsIt) {
  const std::pair<const char*, ListedPlayer> cases[] = {
      {"DUPONT Jean 12345", {"12345", "DUPONT Jean", "Jean", ""}},
      {"MARTIN:Anne Marie 4567", {"4567", "MARTIN Anne Marie", "Anne Marie", "MARTIN Anne Marie"}},
      // The blanks around the separator stay in the line the program keeps.
      {"MARTIN : Anne 4567", {"4567", "MARTIN Anne", "Anne", "MARTIN   Anne"}},
      // "#" separates only without a ":"; the digits anywhere are the licence.
      {"LE GALL#Yves 00789", {"00789", "LE GALL Yves", "Yves", "LE GALL Yves"}},
      {"DUPONT:Jean#Luc 12", {"12", "DUPONT Jean#Luc", "Jean#Luc", "DUPONT Jean#Luc"}},
      {"DU4RAND Paul5 6", {"4 5 6", "DU RAND Paul", "Paul", ""}},
      {"LEGRAND\xa3" "Eric 33", {"33", "LEGRAND Eric", "Eric", ""}},
      {"SOLO", {"", "SOLO", "", ""}},
      // A note after "\\" is no field of the player: its digits are no licence.
      {"ROBERT Luc 789 \\ 2019 club 75", {"789", "ROBERT Luc", "Luc", ""}},
  };
  for (const auto& [line, player] : cases) {
    SCOPED_TRACE(line);
    EXPECT_EQ(ParsePlayersListLine(QString::fromLatin1(line)), player);
  }
  // The copy for the tables' server leaves the sit-out's place out, and its
  // reader the lines that are no player.
  const QStringList list{"DUPONT Jean 12345", "BYE", "", "MARTIN:Luc 67890", "Bye Paul 3"};
  EXPECT_EQ(PlayersListCopy(list), "DUPONT Jean 12345\r\n\r\nMARTIN:Luc 67890\r\nBye Paul 3");
  const std::vector<ListedPlayer> players = ParsePlayersList(list);
  ASSERT_EQ(players.size(), 3u);
  EXPECT_EQ(players[1].name, "MARTIN Luc");
  EXPECT_EQ(players[2].name, "Bye Paul");
}

TEST(ExchangeLines, APairsNameFileIsNumberedInItsDirection) {
  // Mitchell of 8 tables: E/W pair 4 is 12 in the movement, 4 for the devices.
  EXPECT_EQ(PairNameFileName(3, false, true, 8), "N3.TXT");
  EXPECT_EQ(PairNameFileName(12, true, true, 8), "E4.TXT");
  EXPECT_EQ(PairNameFileName(4, true, true, 8), "E4.TXT");
  // Otherwise every pair has its one number.
  EXPECT_EQ(PairNameFileName(12, true, false, 8), "P12.TXT");
}
