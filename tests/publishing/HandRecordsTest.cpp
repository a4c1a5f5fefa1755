// What could be made on a deal: tables and pars worked out by hand, the
// ".DDM" file, a deal without its 52 cards, and a PBN file's own figures.
#include "core/DealAnalyses.h"
#include "core/DealDiagrams.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesTables.h"
#include "platform/TextFiles.h"
#include "publishing/DiagramDisplay.h"
#include "publishing/DoubleDummy.h"
#include "publishing/HandRecords.h"
#include "publishing/PbnImport.h"
#include "support/TestState.h"

#include <QDir>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

using Table = std::array<std::array<int, 5>, 4>;  // [N E S W][clubs diamonds hearts spades no trump]

// Each seat holds a whole suit: North spades, East hearts, South diamonds,
// West clubs. Whoever is on lead against no trump runs his suit: no declarer
// takes a trick there. In a suit, the side holding it takes all thirteen
// (its holder ruffs the first trick when he is not on lead); the other
// side none. N/S's 7♠ outranks E/W's 7♥, and E/W's cheapest way out, 7SA
// doubled down thirteen, costs more than the grand slam.
const QString kWholeSuits = QStringLiteral("N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432");
const Table kWholeSuitsTable = {{{0, 13, 0, 13, 0}, {13, 0, 13, 0, 0}, {0, 13, 0, 13, 0}, {13, 0, 13, 0, 0}}};

// North holds the top cards of every suit (AKQJ of spades, AKQ of the
// others); every other hand has at least three cards in each suit. Whoever
// leads, North wins the first trick, draws trumps in three rounds when
// spades are trumps, and every card he has left is the best of its suit:
// N/S take all thirteen at no trump and in spades, E/W none.
const QString kTopCards = QStringLiteral("N:AKQJ.AKQ.AKQ.AKQ T98.JT98.JT9.JT9 765.765.8765.876 432.432.432.5432");

class HandRecordsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    TournamentCode = QStringLiteral("MAR8");
    DataFolder = dataDir();
    TabletSharedFolder = tmp_.path() + QStringLiteral("/Quillmarke");
    TableDevicesMode = TabletsMode = true;
    PairCount = 6;
    RoundCount = 3;
    BoardsPerTable = 2;
  }
  void TearDown() override {
    WaitForDealAnalyses();
    flowWindows().printHandRecords = nullptr;
    TalvaronTest::TearDown();
  }
  // The deal of board n put in its diagram as the PBN import does.
  void placeDeal(int board, const QString& deal) {
    ASSERT_FALSE(WritePbnDealDiagram(board, deal));
    DealCount = std::max(DealCount, board);
    LoadDiagramFiles();
  }
  ui::ScriptedInteraction talk;
};

TEST_F(HandRecordsTest, TablesAndParsWorkedOutByHand) {
  const QList<DealAnalysis> a = SolveDeals({{kWholeSuits, AnalysisNorth, 0},
                                            {kWholeSuits, AnalysisEast, 1},
                                            {kTopCards, AnalysisWest, 3},
                                            {kTopCards, AnalysisNorth, 2}});
  ASSERT_EQ(a.size(), 4);
  for (const DealAnalysis& d : a) ASSERT_TRUE(d.solved()) << d.refusal.toStdString();
  EXPECT_EQ(a[0].tricks, kWholeSuitsTable);
  EXPECT_EQ(a[0].parScore, 1510);  // 7♠ not vulnerable: 210 + 300 + 1000
  EXPECT_EQ(a[0].parContracts, QList<ParContract>({{7, StrainSpades, "NS", 0, 0}}));
  EXPECT_EQ(a[1].parScore, 2210);  // vulnerable N/S: 210 + 500 + 1500, whoever deals
  for (int seat : {AnalysisNorth, AnalysisSouth}) {
    EXPECT_EQ(a[2].tricks[seat][StrainNoTrump], 13);
    EXPECT_EQ(a[2].tricks[seat][StrainSpades], 13);
  }
  for (int seat : {AnalysisEast, AnalysisWest}) {
    EXPECT_EQ(a[2].tricks[seat][StrainNoTrump], 0);
    EXPECT_EQ(a[2].tricks[seat][StrainSpades], 0);
  }
  EXPECT_EQ(a[2].parScore, 2220);  // 7SA vulnerable: 220 + 500 + 1500
  EXPECT_EQ(a[2].parContracts, QList<ParContract>({{7, StrainNoTrump, "NS", 0, 0}}));
  EXPECT_EQ(a[3].parScore, 1520);  // vulnerable E/W only
  EXPECT_EQ(ParText(a[3]), "Par N/S +1520 : 7SA N/S");
}

TEST_F(HandRecordsTest, ADealWithoutItsFiftyTwoCardsHasNoTableAndSaysWhy) {
  // South's 2♣ is missing; then two hands hold the ace of spades.
  const QString shortHand = QStringLiteral("N:AKQJ.AKQ.AKQ.AKQ T98.JT98.JT9.JT9 765.765.8765.87 432.432.432.5432");
  const QString twice = QStringLiteral("N:AKQJ.AKQ.AKQ.AKQ A98.JT98.JT9.JT9 765.765.8765.876 432.432.432.5432");
  EXPECT_EQ(DealRefusal(shortHand), "La main de Sud a 12 cartes au lieu de 13.");
  EXPECT_EQ(DealRefusal(twice), "La carte A♠ est dans deux mains.");
  const QList<DealAnalysis> a = SolveDeals({{shortHand, 0, 0}, {kTopCards, 0, 0}});
  EXPECT_FALSE(a[0].solved());
  EXPECT_EQ(a[0].refusal, "La main de Sud a 12 cartes au lieu de 13.");
  EXPECT_TRUE(a[1].solved());  // the other deals of the batch are made

  // At the desk: the director is told, the file keeps the reason, the
  // printout says it instead of the table.
  placeDeal(1, shortHand);
  placeDeal(2, kTopCards);
  StartDealAnalyses();
  WaitForDealAnalyses();
  EXPECT_EQ(talk.messages, QStringList({"Donne 1 : pas de tableau du double mort. La main de Sud a 12 cartes au lieu de 13."}));
  EXPECT_TRUE(readBytes(DataFolder + "MAR8.DDM").contains("\r\n1;N:AKQJ.AKQ.AKQ.AKQ T98.JT98.JT9.JT9 765.765.8765.87 432.432.432.5432;;;;La main de Sud a 12 cartes au lieu de 13.\r\n"));
  const HandRecordSheet sheet = BuildHandRecordSheet();
  ASSERT_EQ(sheet.deals.size(), 2);
  EXPECT_FALSE(sheet.deals[0].analysis);
  EXPECT_EQ(sheet.deals[0].missing, "Pas de tableau du double mort : La main de Sud a 12 cartes au lieu de 13.");
  ASSERT_TRUE(sheet.deals[1].analysis);
  EXPECT_EQ(sheet.deals[1].dealer, "Est");
  EXPECT_EQ(sheet.deals[1].vulnerability, "N/S");
  EXPECT_EQ(sheet.deals[1].hands[AnalysisEast][1], "V X 9 8");
}

TEST_F(HandRecordsTest, TheFileReadsBackAndIsKeyedByTheCards) {
  BoardAnalyses()[3] = {kWholeSuits, {}, kWholeSuitsTable, -1510, {{7, StrainSpades, "NS", 0, 0}, {5, StrainHearts, "EW", 0, 2}}};
  BoardAnalyses()[5] = {kTopCards, QStringLiteral("Le calcul au double mort a échoué."), {}, 0, {}};
  SaveDealAnalyses();
  EXPECT_EQ(readBytes(DataFolder + "MAR8.DDM"),
            "Talvaron double mort 1\r\n"
            "3;N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432;"
            "0 13 0 13 0/13 0 13 0 0/0 13 0 13 0/13 0 13 0 0;-1510;7S-NS 5H*-EW-2;\r\n"
            "5;N:AKQJ.AKQ.AKQ.AKQ T98.JT98.JT9.JT9 765.765.8765.876 432.432.432.5432;;;;Le calcul au double mort a \xE9" "chou\xE9.\r\n");
  const DealAnalysis three = BoardAnalyses()[3];
  const DealAnalysis five = BoardAnalyses()[5];
  ClearBoardAnalyses();
  ASSERT_TRUE(LoadDealAnalyses());
  EXPECT_EQ(BoardAnalyses()[3], three);
  EXPECT_EQ(BoardAnalyses()[5], five);
  EXPECT_EQ(ParText(three), "Par E/O +1510 : 7♠ N/S, 5♥X E/O -2");
  // A line spoilt by hand is computed again, not read half.
  writeBytes(DataFolder + "MAR8.DDM", "Talvaron double mort 1\n3;N:A... ;0 13/1;9;7S-NS;\n");
  ASSERT_TRUE(LoadDealAnalyses());
  EXPECT_TRUE(BoardAnalyses()[3].deal.isEmpty());

  // The analysis belongs to the cards: a changed deal has none until computed.
  placeDeal(3, kWholeSuits);
  BoardAnalyses()[3] = three;
  EXPECT_TRUE(CurrentAnalysis(3));
  placeDeal(3, kTopCards);
  EXPECT_FALSE(CurrentAnalysis(3));
}

TEST_F(HandRecordsTest, AResumeReadsTheFileWithoutComputingAgain) {
  placeDeal(1, kWholeSuits);
  // Figures no solver would give, under the deal's own cards: kept as read.
  writeBytes(DataFolder + "MAR8.DDM", "Talvaron double mort 1\r\n1;" + kWholeSuits.toLatin1() +
                                          ";1 1 1 1 1/2 2 2 2 2/3 3 3 3 3/4 4 4 4 4;50;1N-S;\r\n");
  StartDealAnalyses();
  EXPECT_FALSE(DealAnalysesRunning());
  ASSERT_TRUE(CurrentAnalysis(1));
  EXPECT_EQ(CurrentAnalysis(1)->parScore, 50);
  // The PBN file changed under the same board: computed again and saved.
  placeDeal(1, kTopCards);
  StartDealAnalyses();
  WaitForDealAnalyses();
  ASSERT_TRUE(CurrentAnalysis(1));
  EXPECT_EQ(CurrentAnalysis(1)->parScore, 1520);
  EXPECT_TRUE(readBytes(DataFolder + "MAR8.DDM").contains(";1520;7N-NS;"));
}

TEST_F(HandRecordsTest, APbnFileWhoseFiguresDifferIsToldAndKeptAsItIs) {
  // North as declarer in no trump, spades, hearts, diamonds, clubs; then
  // East, South, West. Board 1 agrees with the solver; board 2 gives North 12
  // tricks in spades and a par of 1500 for N/S (the table below).
  const QByteArray pbn =
      "[Board \"1\"]\n[Deal \"" + kWholeSuits.toLatin1() +
      "\"]\n[DoubleDummyTricks \"0d0d000d0d0d0d000d0d\"]\n[OptimumScore \"NS 1510\"]\n\n"
      "[Board \"2\"]\n[Deal \"" + kWholeSuits.toLatin1() +
      "\"]\n[OptimumScore \"NS 1500\"]\n[OptimumResultTable \"Declarer;Denomination\\2R;Result\\2R\"]\n"
      "N NT 0\nN S 12\nN H 0\nN D 13\nN C 0\nE NT 0\nE S 0\nE H 13\nE D 0\nE C 13\n"
      "S NT 0\nS S 13\nS H 0\nS D 13\nS C 0\nW NT 0\nW S 0\nW H 13\nW D 0\nW C 13\n";
  const QString file = dataDir() + "MAR8.PBN";
  writeBytes(file, pbn);
  const QByteArray before = readBytes(file);
  DealCount = 2;
  ASSERT_EQ(ImportPbnDeals(file), 2);
  StartDealAnalyses();
  WaitForDealAnalyses();
  EXPECT_EQ(talk.messages,
            QStringList({"Le fichier PBN ne donne pas les mêmes chiffres que le calcul au double mort. On garde le calcul; "
                         "le fichier PBN n'est pas modifié.\r\n"
                         "Donne 2 : Nord à ♠ : 12 levées dans le fichier, 13 au calcul, par 1500 dans le fichier, 2210 au calcul."}));
  ASSERT_TRUE(CurrentAnalysis(2));
  EXPECT_EQ(CurrentAnalysis(2)->tricks[AnalysisNorth][StrainSpades], 13);
  EXPECT_EQ(readBytes(file), before);
}

TEST_F(HandRecordsTest, WithoutTheDiagramProgramTheFormattedRecordsArePrinted) {
  QList<HandRecordSheet> printed;
  flowWindows().printHandRecords = [&printed](const HandRecordSheet& sheet) {
    printed << sheet;
    return PrintOutcome{true, QStringLiteral("Laser"), false};
  };
  placeDeal(1, kWholeSuits);
  StartDealAnalyses();  // still running when the director asks: the printout waits
  talk.answer(2);
  ShowDiagrams();
  ASSERT_EQ(printed.size(), 1);
  EXPECT_EQ(printed[0].title, "Mitchell 6 paires 3 tours 2 Etuis/Table");
  ASSERT_EQ(printed[0].deals.size(), 1);
  ASSERT_TRUE(printed[0].deals[0].analysis);
  EXPECT_EQ(printed[0].deals[0].analysis->parScore, 1510);
  EXPECT_EQ(printed[0].deals[0].hands[AnalysisNorth][0], "A R D V X 9 8 7 6 5 4 3 2");
  EXPECT_TRUE(talk.messages.isEmpty());
}

}  // namespace
