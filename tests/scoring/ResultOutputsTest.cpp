#include "core/Flows.h"
#include "core/DeviceFiles.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultStore.h"
#include "scoring/ResultListings.h"
#include "scoring/Ranking.h"

#include "ClubTournament.h"
#include "ScoringFixture.h"
#include "support/TestSlots.h"

using testing_support::readBytes;

namespace {

const QString kDashes77(77, QLatin1Char('-'));
const QString kDashes79(79, QLatin1Char('-'));
const QString kListingHeader =
    "Place Numéro             Joueurs                                  Pourcentage";
const QStringList kNorthSouthRows = {
    "   1     2  LEFÈVRE Anne - ROUX Marc.................................   87.50",
    "   2     4  PETIT Léa - GRAND Tom....................................   75.00",
    "   3     1  DUPONT Jean - MARTIN Paul................................   41.67",
    "   4     3  BLANC Luc - NOIR Eva.....................................    0.00"};
const QStringList kEastWestRows = {
    "   1     1  MOREAU Guy - FAURE Ida...................................   58.33",
    "   2     3  DE LA FONTAINE-BEAUMONT Jean-Baptiste - VAN DER BE.......   50.00",
    "   3     2  GIRARD Zoé - MERCIER Max.................................   41.67"};

// The tablets' "RESULTS.TXT" of the club tournament.
const QStringList kTabletRanking = {"$$Résultats N/S:", "",
                                    "1$2$ LEFÈVRE Anne - ROUX Marc           $   87.50",
                                    "2$4$ PETIT Léa - GRAND Tom              $   75.00",
                                    "3$1$ DUPONT Jean - MARTIN Paul          $   41.67",
                                    "4$3$ BLANC Luc - NOIR Eva               $--------",
                                    "",
                                    "$$Résultats E/W:",
                                    "",
                                    "1$1$ MOREAU Guy - FAURE Ida             $   58.33",
                                    "2$3$ DE LA FONTAINE-BEAUMONT Jean-Baptis$   50.00",
                                    "3$2$ GIRARD Zoé - MERCIER Max           $   41.67"};

// The body of the separate listing, the page break included.
QStringList SeparateListing(const QString& infoLine) {
  return QStringList{infoLine, "", "Résultats N/S", "-------------", "", kListingHeader, kDashes77} + kNorthSouthRows +
         QStringList{"\f", "", "Résultats E/W", "-------------", "", kListingHeader, kDashes77} + kEastWestRows;
}

}  // namespace

TEST_F(ClubTournamentTest, WindowShowsTheMergedRankingWithoutTheByePair) {
  loadAndCompute();
  ui::ScriptedInteraction script;
  script.answer(2);  // "&Fusionnés"
  ResultsView shown;
  flowWindows().showResults = [&](const ResultsView& v) { shown = v; };
  ShowPairResults();
  flowWindows().showResults = nullptr;
  EXPECT_EQ(script.choices.value(0).form, "TForm16");
  EXPECT_TRUE(shown.merged);
  EXPECT_EQ(shown.label1, "Résultats ");
  EXPECT_EQ(shown.label3, "(Calcul comme à la main)");
  EXPECT_EQ(shown.label4, "Tournoi du lundi 20:00:00 (CLUB7)");
  const QStringList expected = {
      "", "", "Place Numéro  Joueurs                                              Pourcentage", kDashes79,
      "1      N2     LEFÈVRE Anne - ROUX Marc                                87.50",
      "2      N4     PETIT Léa - GRAND Tom                                   75.00",
      "3      E1     MOREAU Guy - FAURE Ida                                  58.33",
      "4      E3     DE LA FONTAINE-BEAUMONT Jean-Baptiste - VAN DER B       50.00",
      "5      E2     GIRARD Zoé - MERCIER Max                                41.67",
      "==     N1     DUPONT Jean - MARTIN Paul                               41.67",
      "7      N3     BLANC Luc - NOIR Eva                                     0.00"};
  EXPECT_EQ(Joined(shown.memo1), Joined(expected));

  // Esc in the layout question shows nothing.
  script.answer(0);
  bool showed = false;
  flowWindows().showResults = [&](const ResultsView&) { showed = true; };
  ShowPairResults();
  flowWindows().showResults = nullptr;
  EXPECT_FALSE(showed);
}

TEST_F(ClubTournamentTest, PrintoutAndItsDocumentsCopyHoldTheSeparateListings) {
  loadAndCompute();
  ui::ScriptedInteraction script;
  script.answer(1).answerText("Après 3 tours").answer(1);  // separate, information line, page break
  PrintPairResults(true);
  ASSERT_TRUE(script.allAnswered());
  EXPECT_EQ(script.choices.value(1).form, "TForm113");
  const QString info = "Après 3 tours                                     --> Calculs comme à la main";
  const QStringList banner = {"", clubLine(), "", "", "CLUB7      07/12/2026 20:00:00                    Tournoi du lundi",
                              QString(75, '_'), ""};
  EXPECT_EQ(decoded(PrintFile), (text(banner + SeparateListing(info))).toStdString());
  const QStringList head = {"", clubLine(), "", "", "--> Calculs comme à la main", "", "", QString(75, '_'), ""};
  EXPECT_EQ(decoded(ResultsTextFile), (text(head + SeparateListing(info))).toStdString());
}

// With table devices the computation wrote the tablets' ranking file; a
// printout (here the merged layout the results window chose) leaves it in
// the layout the tablets' server reads.
TEST_F(ClubTournamentTest, APrintoutLeavesTheTabletsTheirOwnRanking) {
  loadAndCompute();
  ASSERT_TRUE(TableDevicesMode);
  WriteResultFiles();
  OneWinnerMitchell = true;
  ui::ScriptedInteraction script;
  script.answerText("Fin du tournoi");
  PrintPairResults(false);
  EXPECT_TRUE(decoded(ResultsTextFile).find("Résultats \r\n---------") != std::string::npos);
  EXPECT_EQ(readBytes(TabletSharedFolder + "/RESULTS.TXT"), bytes(text(kTabletRanking)));
}

TEST_F(ClubTournamentTest, PageBreakChoiceIsKeptInItsFile) {
  loadAndCompute();
  const QString choiceFile = programDir() + "SautAutomatique.TXT";
  auto printSeparate = [] {
    ui::ScriptedInteraction script;
    script.answer(1).answerText("Fin du tournoi");
    PrintPairResults(true);
    return script.messages;
  };
  testing_support::writeBytes(choiceFile, "2\r\n");
  EXPECT_TRUE(printSeparate().isEmpty());
  EXPECT_FALSE(readBytes(PrintFile).contains('\f'));

  testing_support::writeBytes(choiceFile, "1\r\n");
  printSeparate();
  EXPECT_TRUE(readBytes(PrintFile).contains("\f\r\n"));

  testing_support::writeBytes(choiceFile, "x\r\n");
  const QStringList messages = printSeparate();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Contenu de SautAutomatique.TXT corrompu!"));
  EXPECT_TRUE(readBytes(PrintFile).contains("\f\r\n"));

  ChoiceResult = 2;
  SaveAutoPageBreakChoice(true);
  EXPECT_EQ(readBytes(choiceFile), "2\r\n");
  SaveAutoPageBreakChoice(false);
  EXPECT_FALSE(QFile::exists(choiceFile));
}

TEST_F(ClubTournamentTest, MailingFilesOfTheDocumentsFolder) {
  loadAndCompute();
  WriteResultsFile(true);
  const QStringList expected = {
      "", clubLine(), "", "", QString(75, '_'), "",
      "Fin du tournoi                                    ( Fréquences non ventilées )", "", "Résultats ", "---------", "",
      kListingHeader, kDashes77,
      "   1    N2  LEFÈVRE Anne - ROUX Marc.................................   87.50",
      "   2    N4  PETIT Léa - GRAND Tom....................................   75.00",
      "   3    E1  MOREAU Guy - FAURE Ida...................................   58.33",
      "   4    E3  DE LA FONTAINE-BEAUMONT Jean-Baptiste - VAN DER BE.......   50.00",
      "   5    E2  GIRARD Zoé - MERCIER Max.................................   41.67",
      "  ==    N1  DUPONT Jean - MARTIN Paul................................   41.67",
      "   7    N3  BLANC Luc - NOIR Eva.....................................    0.00"};
  EXPECT_EQ(readBytes(ResultsFTextFile), bytes(text(expected)));
}

TEST_F(ClubTournamentTest, RankingBoardAndSessionFilesForTheTablets) {
  loadAndCompute();
  WriteResultFiles();
  WriteBoardFiles(true);
  WriteSessionFile();
  const QString folder = TabletSharedFolder + "/";
  EXPECT_EQ(readBytes(folder + "RESULTS.TXT"), bytes(text(kTabletRanking)));
  EXPECT_EQ(readBytes(folder + "RESULTSF.TXT"), bytes(text({"$$Résultats fusionnés:", "",
                                                            "1$N2$ LEFÈVRE Anne - ROUX Marc           $   87.50",
                                                            "2$N4$ PETIT Léa - GRAND Tom              $   75.00",
                                                            "3$E1$ MOREAU Guy - FAURE Ida             $   58.33",
                                                            "4$E3$ DE LA FONTAINE-BEAUMONT Jean-Baptis$   50.00",
                                                            "5$E2$ GIRARD Zoé - MERCIER Max           $   41.67",
                                                            "==$N1$ DUPONT Jean - MARTIN Paul          $   41.67",
                                                            "7$N3$ BLANC Luc - NOIR Eva               $--------"})));
  EXPECT_EQ(readBytes(folder + "DONNE1.TXT"),
            bytes(text({"Donne 1", "", "4PS=/S 420 1 75 5 25 AC", "4PN=/N 420 2 75 6 25 ?", "3PS+2/S 200 3 0 7 100 RK"})));
  EXPECT_EQ(readBytes(folder + "DONNE3.TXT"),
            bytes(text({"Donne 3", "", "PASSE 0 1 50 7 50", "4CE=/E -620 3 0 5 100 DP", "3SO-1/O 100 4 100 6 0 2C"})));
  const QByteArray session = bytes(text({"0  87.5000 0 0 LEFÈVRE Anne/ROUX Marc", "0  75.0000 0 0 PETIT Léa/GRAND Tom",
                                         "0  58.3333 0 0 MOREAU Guy/FAURE Ida",
                                         "0  50.0000 0 0 DE LA FONTAINE-BEAUMONT Jean-Baptiste/VAN DER BERGHE Marie-Christine",
                                         "0  41.6667 0 0 GIRARD Zoé/MERCIER Max", "0  41.6667 0 0 DUPONT Jean/MARTIN Paul",
                                         "0   0.0000 0 0 BLANC Luc/NOIR Eva"}));
  EXPECT_EQ(readBytes(dataDir() + "CLUB7.SEA"), session);
  EXPECT_EQ(readBytes(folder + "SEANCE.TXT"), session);

  // Without devices the ranking files go to the home folder, unseparated.
  TableDevicesMode = false;
  WriteResultFiles();
  const QByteArray plain = readBytes(platform::driveRootFolder() + "RESULTS.TXT");
  EXPECT_TRUE(plain.startsWith(bytes("Résultats N/S:\r\n\r\n12 LEFÈVRE Anne - ROUX Marc           ")));
}

TEST_F(ClubTournamentTest, ASeparatorInANameDoesNotAddAColumn) {
  loadAndCompute();
  PairLabels[2] = "LEFÈVRE$Anne - ROUX $Marc";
  EXPECT_TRUE(RankingFileText(false, "$").contains("1$2$ LEFÈVRE Anne - ROUX  Marc          $   87.50\r\n"));
  EXPECT_TRUE(RankingFileText(false, "").contains("12 LEFÈVRE$Anne - ROUX $Marc          "));
}

TEST_F(ClubTournamentTest, SessionFileIsDroppedWithoutARanking) {
  loadAndCompute();
  testing_support::writeBytes(dataDir() + "CLUB7.SEA", "old");
  RankingOrder[3] = 0;
  ui::ScriptedInteraction script;
  WriteSessionFile();
  EXPECT_FALSE(QFile::exists(dataDir() + "CLUB7.SEA"));
  EXPECT_EQ(script.messages, QStringList{"Pour info: résultats non calculés ou tous à zéro! Fichier \"CLUB7.SEA\" non "
                                         "sauvé! Les autres fichiers (PAI, VAR, DIA, ...) sont bien sauvés."});
}

class ResultOutputsTest : public ScoringTest {};

TEST_F(ResultOutputsTest, BoardLinesForAveragesEmptyBoardsAndHalfPercents) {
  layOut(3, 2, 1);
  DealCount = 2;
  TableDevicesMode = true;
  TestSlots().score[slot(1, 2)] = kScoreAverage;
  EXPECT_EQ(BoardFileText(1, true), "Donne 1\r\n\r\nMOY -- 2 -- 5 -- --\r\n");
  EXPECT_EQ(BoardFileText(2, true), "Donne 2\r\n\r\nAucun résultat introduit\r\n");
  EXPECT_EQ(BoardFileText(2, false), "Donne 2\r\n\r\n");
  scores(2, {420});
  TestSlots().contract[slot(2, 1)] = "4PS=", TestSlots().declarer[slot(2, 1)] = "S", TestSlots().lead[slot(2, 1)] = "AC";
  TestSlots().nsPercent[slot(2, 1)] = 62.5, TestSlots().ewPercent[slot(2, 1)] = 37.5;
  EXPECT_EQ(BoardFileText(2, true), "Donne 2\r\n\r\n4PS=/S 420 1 62 5 38 AC\r\n");
}

TEST_F(ResultOutputsTest, TiesFirstPlaceAndButlerScores) {
  layOut(2, 1, 1);
  IsHowell = true;
  ImpScoring = true;
  // Butler totals: -1 first (never "=="), ties judged on rounded scores.
  const double finals[] = {-1, -1.004, -3, -7};
  for (int i = 1; i <= 4; ++i) RankingOrder[i] = i, PairFinalScore[i] = finals[i - 1];
  QStringList places;
  for (const RankedRow& row : RankedRows(RankingList::Merged)) places << row.place;
  EXPECT_EQ(places, (QStringList{"1", "==", "3", "4"}));
  const ResultsView view = PairResultsView();
  EXPECT_TRUE(view.memo1[2].endsWith("      VPs"));
  EXPECT_TRUE(view.memo1[4].endsWith("      -1"));
  // The session file marks a Butler ranking on its first line only.
  TournamentCode = "BUT";
  Player1Names[1] = "A", Player2Names[1] = "B";
  WriteSessionFile();
  EXPECT_TRUE(readBytes(dataDir() + "BUT.SEA").startsWith("0  -1.0000 0 0 A/B\\BUTLER\r\n0  -1.0040 0 0 /\r\n"));
}

TEST_F(ResultOutputsTest, PattonTeamsKeepTheirOrderOnEqualTotals) {
  layOut(3, 1, 1);
  IsPatton = ImpScoring = true;
  TableDevicesMode = true;
  TabletSharedFolder = documentsDir();
  // Team t is N/S pair t with E/W pair t + 3: totals 10, 10 and 0.
  const double finals[] = {5, 14, 2, 5, -4, -2};
  for (int p = 1; p <= 6; ++p) PairFinalScore[p] = finals[p - 1];
  testing_support::writeBytes(documentsDir() + "/RESULTSF.TXT", "old");
  WriteResultFiles();
  EXPECT_FALSE(QFile::exists(documentsDir() + "/RESULTSF.TXT"));
  EXPECT_EQ(readBytes(documentsDir() + "/RESULTS.TXT"),
            "1$1$ Nord1 - Sud1$   10.00\r\n$$ Est1 - Ouest1\r\n==$2$ Nord2 - Sud2$   10.00\r\n$$ Est2 - Ouest2\r\n"
            "3$3$ Nord3 - Sud3$--------\r\n$$ Est3 - Ouest3\r\n");
}

TEST_F(ResultOutputsTest, PattonTeamsOrderedAsPairsAre) {
  // Totals 50, 50, 60 for teams 1, 2, 3. The exchange sort puts team 3 first
  // by exchanging it with team 1 (3, 2, 1), then finds 2 and 1 equal: 3, 2, 1,
  // as pairs scoring 50, 50, 60 are ranked.
  layOut(3, 1, 1);
  IsPatton = ImpScoring = true;
  const double finals[] = {20, 30, 40, 30, 20, 20};
  for (int p = 1; p <= 6; ++p) PairFinalScore[p] = finals[p - 1];
  const std::vector<TeamRow> teams = RankedTeams();
  ASSERT_EQ(teams.size(), 3u);
  EXPECT_EQ(teams[0].team, 3);
  EXPECT_EQ(teams[1].team, 2);
  EXPECT_EQ(teams[2].team, 1);
  EXPECT_EQ(teams[0].place, "1");
  EXPECT_EQ(teams[1].place, "2");
  EXPECT_EQ(teams[2].place, "==");
  const std::vector<int> pairs = RankByScore(3, [](int p) { return p == 3 ? 60.0 : 50.0; });
  EXPECT_EQ(pairs, (std::vector<int>{0, 3, 2, 1}));
}

TEST_F(ResultOutputsTest, RefereeLinesAndTheCounterRecountedFromTheSlots) {
  layOut(2, 2, 1);
  TableDevicesMode = true;
  TabletSharedFolder = documentsDir();
  QStringList shown;
  const auto installedCounters = flowSteps().showCounters;
  flowSteps().showCounters = [&](const QString&, const QString& results) { shown << results; };
  scores(1, {420});
  WriteRefereeDealsFile(1, 1, 3);
  // A correction of the same result is a second line but no second result.
  WriteRefereeDealsFile(1, 1, 3);
  scores(2, {100, 200});
  WriteRefereeDealsFile(2, 2, 3);
  flowSteps().showCounters = installedCounters;
  EXPECT_EQ(shown, (QStringList{"1/4", "1/4", "3/4"}));
  EXPECT_EQ(readBytes(documentsDir() + "/DonnesArbitre.TXT"), "1 1 3 \r\n1 1 3 \r\n2 2 3 \r\n");
}

TEST_F(ResultOutputsTest, PattonPrintoutListsBothPairsOfEachTeam) {
  layOut(2, 1, 1);
  IsPatton = ImpScoring = true;
  SetDateGlobals();
  const double finals[] = {12.4, -3, 0, 3};  // team 1: 12, team 2: 0
  for (int p = 1; p <= 4; ++p) PairFinalScore[p] = finals[p - 1];
  TableDevicesMode = TabletsMode = true;
  TabletSharedFolder = documentsDir() + "/Quillmarke";
  QDir().mkpath(TabletSharedFolder);
  WriteResultFiles();
  PrintPattonResults();
  const QStringList body = {"", "", "Résultats du tournoi PATTON", "",
                            "Place Equipe             Joueurs                                 IMPs totauxs",
                            QString(77, '-'),
                            "   1     1  Nord1 - Sud1.............................................      12",
                            "            Est1 - Ouest1............................................",
                            "   2     2  Nord2 - Sud2.............................................       0",
                            "            Est2 - Ouest2............................................"};
  QStringList printed = platform::decodeText(readBytes(PrintFile)).split("\r\n");
  EXPECT_EQ(Joined(printed.mid(7, body.size())), Joined(body));
  const QString copy = platform::decodeText(readBytes(ResultsTextFile));
  EXPECT_TRUE(copy.contains("Place Equipe             Joueurs                                  IMPs totaux\r\n"));
  EXPECT_TRUE(copy.contains("   1     1  Nord1 - Sud1.............................................   12.00\r\n"));
  // The tablets' file holds the teams in its own layout, never the printout.
  EXPECT_EQ(readBytes(TabletSharedFolder + "/RESULTS.TXT"),
            "1$1$ Nord1 - Sud1$   12.00\r\n$$ Est1 - Ouest1\r\n2$2$ Nord2 - Sud2$--------\r\n$$ Est2 - Ouest2\r\n");
}

TEST_F(ResultOutputsTest, AFailedCopyLeavesThePreviousPrintoutWhole) {
  layOut(2, 1, 1);
  IsPatton = true;
  testing_support::writeBytes(PrintFile, "old");
  ResultsTextFile = documentsDir() + "/absent/RESULTS.TXT";
  EXPECT_THROW(PrintPattonResults(), platform::IoError);
  EXPECT_EQ(readBytes(PrintFile), "old");
  EXPECT_FALSE(PrintFileWriter.isOpen());
}
