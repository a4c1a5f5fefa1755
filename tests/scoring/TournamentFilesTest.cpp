#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/PairsFile.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "core/TournamentFiles.h"
#include "platform/FolderIndex.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

const QByteArray kDevicesText =
    " TypeTournoi (1=BridgeMates,2=Tablettes, 3=BM+Tab) / PairesIntroduites (1=oui,2=non) / Diagrammes (1=oui,2=non)";

// A deal diagram as the diagram files give it: 30 lines, each followed by CR LF.
QString Diagram(int board) {
  QStringList lines = {QStringLiteral("Board %1").arg(board), "--------", "", "Nord", ""};
  for (const char* seat : {"Sud", "Est", "Ouest"}) {
    lines << QStringLiteral("P  A R X 3") << QStringLiteral("C  D V 9") << QStringLiteral("K  ") << QStringLiteral("T  8 7 6 5 4 2");
    lines << "" << seat << "";
  }
  lines << QStringLiteral("P  9") << QStringLiteral("C  A R") << QStringLiteral("K  A R D V X 9 8 7") << QStringLiteral("T  3");
  return lines.join("\r\n") + "\r\n";
}

}  // namespace

class TournamentFilesTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    SetDateGlobals();
    TournamentCode = "ABC";
  }
  QString file(const QString& ext) const { return dataDir() + "ABC" + ext; }
  QStringList dataFiles() const {
    QStringList names = QDir(dataDir()).entryList(QDir::Files);
    names.sort();
    return names;
  }

  // Three slots of a movement: a made contract, a table that does not play
  // there, and a board not yet played.
  void smallMovement() {
    ResultsPerBoard = 3;
    BoardCount = 1;
    ResultSlotCount = 3;
    TestSlots().nsPair[1] = 1, TestSlots().ewPair[1] = 5, TestSlots().score[1] = -420, TestSlots().round[1] = 2, TestSlots().table[1] = 1;
    TestSlots().board[1] = 1, TestSlots().swapped[1] = 1, TestSlots().contract[1] = "4PE=", TestSlots().lead[1] = "AP", TestSlots().declarer[1] = "E";
    TestSlots().nsPair[3] = 3, TestSlots().ewPair[3] = 6, TestSlots().score[3] = kScoreNone, TestSlots().round[3] = 1, TestSlots().table[3] = 3;
    TestSlots().board[3] = 1;
  }
};

TEST_F(TournamentFilesTest, DatHasTwoLinesWithoutDevicesAndTheDevicesLineWheneverTheyAreUsed) {
  DateDay = "05", DateMonth = "12", DateYear = "2026", TournamentTitle = "Samedi";
  SaveDatFile();
  EXPECT_EQ(readBytes(file(".DAT")), "05/12/2026\r\nSamedi");

  TableDevicesMode = BridgeMatesMode = PairsEntered = true;
  ResumingTournament = true;  // a save during a resumed device tournament keeps the line
  SaveDatFile();
  EXPECT_EQ(readBytes(file(".DAT")), "05/12/2026\r\nSamedi\r\n1 1 2" + kDevicesText);
  TabletsInUse = true;
  SaveDatFile();
  EXPECT_EQ(readBytes(file(".DAT")), "05/12/2026\r\nSamedi\r\n3 1 2" + kDevicesText);
  BridgeMatesMode = TabletsInUse = PairsEntered = false;
  TabletsMode = EnterDealsAtTable = true;
  SaveDatFile();
  EXPECT_EQ(readBytes(file(".DAT")), "05/12/2026\r\nSamedi\r\n2 2 1" + kDevicesText);

  int kind = 0;
  bool pairs = true, deals = false;
  ASSERT_TRUE(ReadDatDevicesLine(kind, pairs, deals));
  EXPECT_EQ(kind, 2);
  EXPECT_FALSE(pairs);
  EXPECT_TRUE(deals);
}

TEST_F(TournamentFilesTest, DatReaderTakesTheFilesDateAndTitleOnlyWhenNotDatedToday) {
  writeBytes(file(".dat"), " 07 / 12 / 2026 \r\nJeudi");  // found whatever its case
  ReadDatFile();
  EXPECT_TRUE(TournamentDatedToday);
  EXPECT_EQ(TournamentTitle, "Lundi");

  writeBytes(file(".dat"), "05/12/2026\nSamedi\n");
  ReadDatFile();
  EXPECT_FALSE(TournamentDatedToday);
  EXPECT_EQ(DateDay + DateMonth + DateYear + TournamentTitle, "05122026Samedi");
  int kind = 0;
  bool pairs = false, deals = false;
  EXPECT_FALSE(ReadDatDevicesLine(kind, pairs, deals));

  QFile::remove(file(".dat"));
  ReadDatFile();
  EXPECT_FALSE(TournamentDatedToday);
  EXPECT_EQ(TournamentTitle, "Samedi");
}

TEST_F(TournamentFilesTest, ResultFilesAreWrittenByteForByte) {
  smallMovement();
  AskOpeningLead = true;
  BoardCount = 32, DealCount = 2, DateText = "Aujourd'hui", TournamentName = QStringLiteral("Tournoi du Lundi 07/12/2026");
  IsHowell = true, BoardsPerTable = 2, RoundCount = 16, RoundsScheduled = 15, RoundsPlayed = 3, MitchellType = 2;
  DealDiagrams[1] = "Board 1\r\n--\r\n";
  ArrowSwitch = true, ArrowSwitchText = QStringLiteral("Tours 3 à 5");
  SaveResults();
  EXPECT_EQ(readBytes(file(".VAR")), "1 5 -420 2 1 1 1 4PE=\r\n0\r\n3 6 10000 1 3 1 0 \r\n");
  EXPECT_EQ(readBytes(file(".SPECS")), "1 AP/E\r\n3 ?/?\r\n");
  EXPECT_EQ(readBytes(file(".MUL")), "32 2 Aujourd'hui:Tournoi du Lundi 07/12/2026\r\nhowell\r\nO\r\n2 16 15 3\r\n"
                                     "2 type mitchell\r\nN Appendix");
  EXPECT_EQ(readBytes(file(".DIA")), "1\r\nBoard 1\r\n--\r\n\r\n2\r\n\r\n");
  EXPECT_EQ(readBytes(file(".AS")), "Tours 3 \xE0 5\r\n");

  AskOpeningLead = ArrowSwitch = false;
  IsAppendix = true, IsHowell = false;
  QFile::remove(file(".SPECS"));
  SaveResults();
  EXPECT_FALSE(QFile::exists(file(".SPECS")));
  EXPECT_TRUE(readBytes(file(".MUL")).endsWith("\r\nmitchell\r\nO\r\n2 16 15 3\r\n2 type mitchell\r\nO Appendix"));
}

TEST_F(TournamentFilesTest, ResultsSurviveASaveAndAReload) {
  TableDevicesMode = true;
  ResultsPerBoard = 21, BoardCount = 4, ResultSlotCount = 84;  // 84 lines, most of them "0"
  smallMovement();
  ResultSlotCount = 84;
  TestSlots().nsPair[84] = 21, TestSlots().ewPair[84] = 42, TestSlots().score[84] = kScoreAverage, TestSlots().contract[84] = "MOY.";
  TestSlots().lead[84] = "x", TestSlots().declarer[84] = "N";
  SaveResults();
  EXPECT_EQ(platform::readTextLines(file(".VAR")).size(), 84);

  ClearAllResults();
  LoadResults();
  EXPECT_EQ(ResultScore[1], -420);
  EXPECT_EQ(ResultSwapped[1], 1);
  EXPECT_EQ(ResultContract[1], "4PE=");
  EXPECT_EQ(ResultLead[1] + ResultDeclarer[1], "APE");
  EXPECT_EQ(ResultNsPair[2], 0);
  EXPECT_EQ(ResultLead[2], "?");
  EXPECT_EQ(ResultTable[3], 3);
  EXPECT_EQ(ResultContract[3], "");
  EXPECT_EQ(ResultEwPair[84], 42);
  EXPECT_EQ(ResultContract[84], "MOY.");
  EXPECT_EQ(ResultLead[84] + ResultDeclarer[84], "xN");
}

TEST_F(TournamentFilesTest, SpecsLinesSetLeadsAndSkipSlotsOutsideTheMovement) {
  TableDevicesMode = true, ImpScoring = true;
  ResultSlotCount = 12;
  writeBytes(file(".VAR"), QByteArray("0\r\n").repeated(11) + "2 9 110 1 2 1 0 2TS=\r\n");
  writeBytes(file(".SPECS"), "0 AP/N\r\n12 SA/N\r\n13 RC/S\r\n999999 AP/N\r\n\r\n5 9K/OUEST-NORD-SUD\r\n");
  LoadResults();
  EXPECT_EQ(ResultLead[12], "SA");
  EXPECT_EQ(ResultDeclarer[12], "N");
  EXPECT_EQ(ResultLead[13], "?");
  EXPECT_EQ(ResultDeclarer[5], "OUEST-NORD");  // at most 10 characters
  EXPECT_FALSE(ImpScoring);                    // not a resumed tournament
}

TEST_F(TournamentFilesTest, ALeadHoldingASlashComesBackWhole) {
  TableDevicesMode = true;
  ResultSlotCount = 4;
  for (int s = 1; s <= 4; ++s) TestSlots().nsPair[s] = 1, TestSlots().ewPair[s] = 2, TestSlots().board[s] = s, TestSlots().round[s] = 1;
  TestSlots().lead[1] = "A/", TestSlots().declarer[1] = "N";
  TestSlots().lead[2] = "/", TestSlots().declarer[2] = "";
  TestSlots().lead[3] = "R/C/", TestSlots().declarer[3] = "E";
  TestSlots().lead[4] = "", TestSlots().declarer[4] = "?";
  SaveResults();
  EXPECT_EQ(readBytes(file(".SPECS")), "1 A//N\r\n2 //\r\n3 R/C//E\r\n4 /?\r\n");
  ClearAllResults();
  LoadResults();
  EXPECT_EQ(ResultLead[1], "A/");
  EXPECT_EQ(ResultDeclarer[1], "N");
  EXPECT_EQ(ResultLead[2], "/");
  EXPECT_EQ(ResultDeclarer[2], "");
  EXPECT_EQ(ResultLead[3], "R/C/");
  EXPECT_EQ(ResultDeclarer[3], "E");
  EXPECT_EQ(ResultLead[4], "");
  EXPECT_EQ(ResultDeclarer[4], "?");
}

TEST_F(TournamentFilesTest, LeadsAreReadWheneverSavedAndRequiredOnlyWithDevices) {
  ui::ScriptedInteraction ui;
  ResultSlotCount = 1;
  ResumeChosen = 1, ImpScoring = true;
  writeBytes(file(".VAR"), "1 2 50 1 1 1 0 1SE-1");
  writeBytes(file(".SPECS"), "1 AP/N\r\n");
  LoadResults();
  EXPECT_EQ(ResultLead[1], "AP");
  EXPECT_EQ(ResultDeclarer[1], "N");
  EXPECT_TRUE(ImpScoring);
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Avertissement... Ce tournoi a été joué avec tablettes et vous le "
                                                    "récupérez sans avoir coché la case \"Utilisation des tablettes\"!")});

  QFile::remove(file(".SPECS"));
  AskOpeningLead = true;
  LoadResults();
  EXPECT_EQ(ResultLead[1], "?");
  TableDevicesMode = true;
  EXPECT_THROW(LoadResults(), FatalStopError);
  EXPECT_TRUE(ui.messages.last().startsWith(QStringLiteral("Pas trouvé le fichier ABC.SPECS. Le tournoi a probablement")));
}

TEST_F(TournamentFilesTest, MissingShortOrBadResultsFilesStopWithTheSlotsUntouched) {
  ui::ScriptedInteraction ui;
  ResultSlotCount = 4;
  TestSlots().nsPair[1] = 7;
  EXPECT_THROW(LoadResults(), FatalStopError);
  EXPECT_EQ(ui.messages.last(), QStringLiteral("Pas trouvé le fichier ABC.VAR"));

  writeBytes(file(".VAR"), "0\r\n0\r\n0\r\n");
  EXPECT_THROW(LoadResults(), FatalStopError);
  EXPECT_EQ(ui.messages.last(), QStringLiteral("Trop peu de résultats dans ABC.VAR!"));
  EXPECT_EQ(ui.beepsBefore(QStringLiteral("Trop peu")), 1);

  const QString bad = QStringLiteral("Ligne n°%1 incorrecte dans \"ABC.VAR. Désolé, corrigez ce fichier avant de réessayer!");
  for (const QByteArray& line : {QByteArray("1 5 abc 1 1 1 0 4PN="), QByteArray(""), QByteArray("1 5 420 1 1"),
                                 QByteArray("43 5 420 1 1 1 0 4PN="), QByteArray("1 5 420 1 1 65 0 4PN="),
                                 QByteArray("1 5 2147483647 1 1 1 0 4PN="), QByteArray("1 5 -2147483648 1 1 1 0 4PN=")}) {
    writeBytes(file(".VAR"), "0\r\n0\r\n" + line + "\r\n0\r\n");
    EXPECT_THROW(LoadResults(), FatalStopError) << line.constData();
    EXPECT_EQ(ui.messages.last(), bad.arg(3)) << line.constData();
  }
  TableDevicesMode = true;
  writeBytes(file(".VAR"), "0\r\n0\r\n0\r\n0\r\n");
  writeBytes(file(".SPECS"), "2 AP/N\r\nN AP/N\r\n");
  EXPECT_THROW(LoadResults(), FatalStopError);
  EXPECT_TRUE(ui.messages.last().startsWith(QStringLiteral("Ligne n°2 incorrecte dans \"ABC.SPECS.")));
  EXPECT_EQ(ResultNsPair[1], 7);
}

TEST_F(TournamentFilesTest, NoResultsOrMovementFileBeforeTheMovementAndNothingWithoutACode) {
  DealCount = 0;
  SaveResults();
  EXPECT_FALSE(QFile::exists(file(".VAR")));
  EXPECT_FALSE(QFile::exists(file(".MUL")));
  TournamentCode.clear();
  ResultSlotCount = 1;
  SaveResults();
  SaveDatFile();
  EXPECT_EQ(dataFiles(), QStringList{"ABC.DIA"});
}

TEST_F(TournamentFilesTest, SaveAllWritesEveryFileAndTheSessionFile) {
  ui::ScriptedInteraction ui;
  smallMovement();
  PairNumbers[1] = 1, PairLabels[1] = "A - B", Player1Names[1] = "A", Player2Names[1] = "B";
  PairCount = 1, RankingOrder[1] = 1, PairFinalScore[1] = 55.5;
  SaveTournamentAll();
  EXPECT_EQ(dataFiles(), (QStringList{"ABC.DAT", "ABC.DIA", "ABC.MUL", "ABC.PAI", "ABC.SEA", "ABC.VAR"}));
  EXPECT_EQ(readBytes(file(".SEA")), "0  55.5000 0 0 A/B\r\n");
  EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(TournamentFilesTest, MovementParametersReadBackAndFillTheirDefaults) {
  BoardCount = 27, DealCount = 28, DateText = "12/12/2026", TournamentName = "Coupe de Noël";
  IsHowell = true, BoardsPerTable = 3, RoundCount = 9, RoundsScheduled = 8, RoundsPlayed = 7, MitchellType = 1;
  IsAppendix = true;
  ResultSlotCount = 1;
  SaveResults();
  BoardCount = DealCount = BoardsPerTable = RoundCount = RoundsScheduled = RoundsPlayed = MitchellType = 0;
  IsHowell = IsAppendix = false;
  MitchellNumbering = true;
  DateText.clear(), TournamentName.clear();
  ReadMulFile();
  EXPECT_EQ(QList<int>({BoardCount, DealCount, BoardsPerTable, RoundCount, RoundsScheduled, RoundsPlayed, MitchellType}),
            QList<int>({27, 28, 3, 9, 8, 7, 1}));
  EXPECT_TRUE(IsHowell && IsAppendix && !MitchellNumbering);
  EXPECT_EQ(DateText + "|" + TournamentName, QStringLiteral("12/12/2026|Coupe de Noël"));

  writeBytes(file(".MUL"), "4 4 ?? : \r\nMitchell\r\nO\r\n1 4 4 0\r\n0 type mitchell\r\nn Appendix");
  ReadMulFile();
  EXPECT_EQ(DateText, "07/12/2026");
  EXPECT_EQ(TournamentName, QStringLiteral("Tournoi \"ABC\" rechargé"));
  EXPECT_TRUE(MitchellNumbering && !IsHowell && !IsAppendix);
  DateText = "kept";
  writeBytes(file(".MUL"), "4 4 sans deux-points\r\nhowell\r\nO\r\n1 4 4 0\r\n0 type mitchell\r\nN Appendix");
  ReadMulFile();
  EXPECT_EQ(DateText, "kept");
  EXPECT_EQ(TournamentName, QStringLiteral("Tournoi \"ABC\" rechargé"));
}

TEST_F(TournamentFilesTest, BadMovementParametersNameTheLineAndChangeNothing) {
  ui::ScriptedInteraction ui;
  BoardCount = 5;
  const QString bad = QStringLiteral("Ligne n°%1 incorrecte dans \"ABC.MUL. Désolé, corrigez ce fichier avant de réessayer!");
  const QList<std::pair<QByteArray, int>> cases = {
      {"65 65 d:n\r\nhowell\r\nO\r\n1 4 4 0\r\n0 type mitchell\r\nN Appendix", 1},  // more boards than the arrays hold
      {"x 4 d:n\r\nhowell\r\nO\r\n1 4 4 0\r\n0 type mitchell\r\nN Appendix", 1},
      {"4 4 d:n\r\nhowell\r\nO\r\n1 4 , 0\r\n0 type mitchell\r\nN Appendix", 4},
      {"4 4 d:n\r\nhowell\r\nO\r\n1 4 4 0", 5},
      // rounds and boards per table beyond the boards: the loops over rounds would never end
      {"4 4 d:n\r\nhowell\r\nO\r\n1 2147483647 4 0\r\n0 type mitchell\r\nN Appendix", 4},
      {"4 4 d:n\r\nhowell\r\nO\r\n-1 4 4 0\r\n0 type mitchell\r\nN Appendix", 4},
  };
  for (const auto& [bytes, line] : cases) {
    writeBytes(file(".MUL"), bytes);
    EXPECT_THROW(ReadMulFile(), FatalStopError);
    EXPECT_EQ(ui.messages.last(), bad.arg(line));
  }
  EXPECT_EQ(BoardCount, 5);
}

TEST_F(TournamentFilesTest, DiagramsReadBackAsWrittenForEveryDeal) {
  ResultSlotCount = 1;
  BoardCount = 2, DealCount = 3;  // deals beyond the boards in play are kept too
  DealDiagrams[1] = Diagram(1);
  DealDiagrams[3] = Diagram(3);
  DealDiagrams[4] = "not saved";
  SaveResults();
  EXPECT_TRUE(readBytes(file(".DIA")).startsWith("1\r\nBoard 1\r\n--------\r\n\r\nNord\r\n\r\nP  A R X 3\r\n"));
  for (int d = 1; d <= 3; ++d) DealDiagrams[d] = "old";
  ASSERT_TRUE(ReadDiaFile());
  EXPECT_EQ(DealDiagrams[1], Diagram(1));
  EXPECT_EQ(DealDiagrams[2], "");
  EXPECT_EQ(DealDiagrams[3], Diagram(3));
  EXPECT_EQ(DealDiagrams[4], "not saved");

  DealDiagrams[1] = "Board 1\r\n\r\n\r\n";  // trailing empty lines are not kept
  SaveResults();
  ReadDiaFile();
  EXPECT_EQ(DealDiagrams[1], "Board 1\r\n");
  QFile::remove(file(".DIA"));
  EXPECT_FALSE(ReadDiaFile());
}

TEST_F(TournamentFilesTest, DeletionsRemoveTheirListWhateverTheCase) {
  const QStringList all = {".DAT", ".PAI", ".VAR", ".MUL", ".ADJ", ".PEN", ".SEA", ".DIA", ".SPECS", ".PAT", ".AS", ".CUM"};
  const auto create = [&] {
    for (const QString& e : all) writeBytes(dataDir() + "abc" + e.toLower(), "x");
    writeBytes(file(".BWS"), "x");
    writeBytes(dataDir() + "ABCD.PAI", "x");
  };
  create();
  DeleteCurrentResultFiles();
  EXPECT_EQ(dataFiles(), (QStringList{"ABC.BWS", "ABCD.PAI", "abc.dat", "abc.pai"}));
  DeleteTournamentFiles("ABC");
  EXPECT_EQ(dataFiles(), (QStringList{"ABC.BWS", "ABCD.PAI"}));
  create();
  BridgeMatesMode = true;
  DeleteCurrentTournamentFiles();
  EXPECT_EQ(dataFiles(), QStringList{"ABCD.PAI"});
}

TEST_F(TournamentFilesTest, ASaveRewritesOnlyWhatChangedAndClearsItsLeftovers) {
  smallMovement();
  SaveResults();
  const auto inode = [this](const char* ext) {
    struct stat st {};
    ::stat(QFile::encodeName(file(ext)).constData(), &st);
    return st.st_ino;
  };
  // Saves cut short: leftovers of this tournament (this process, a process
  // gone), another tournament's, and one of a writer still running.
  const QString suffix = platform::kTemporarySuffix;
  const QString mine = ".ABC.VAR." + QString::number(QCoreApplication::applicationPid()) + ".a1b2c3" + suffix;
  const QString gone = ".abc.MUL.999999999.x9y8z7" + suffix;
  const QString other = ".ABCD.VAR.999999999.q1w2e3" + suffix;
  const QString running = ".ABC.DIA.1.r4t5y6" + suffix;  // process 1 runs
  for (const QString& name : {mine, gone, other, running}) writeBytes(dataDir() + name, "0\r\n");
  const auto mul = inode(".MUL");
  const auto var = inode(".VAR");
  TestSlots().score[1] = -450;
  SaveResults();
  EXPECT_EQ(readBytes(file(".VAR")), "1 5 -450 2 1 1 1 4PE=\r\n0\r\n3 6 10000 1 3 1 0 \r\n");
  EXPECT_EQ(inode(".MUL"), mul);  // same content: not rewritten
  EXPECT_NE(inode(".VAR"), var);
  QStringList left = QDir(dataDir()).entryList(QDir::Files | QDir::Hidden);
  left.sort();
  EXPECT_EQ(left, (QStringList{running, other, "ABC.DIA", "ABC.MUL", "ABC.VAR"}));
}
