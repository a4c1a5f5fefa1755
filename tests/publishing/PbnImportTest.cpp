#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/DealDiagrams.h"
#include "core/ScriptedInteraction.h"
#include "core/Settings.h"
#include "devices/BridgeMatesTables.h"
#include "platform/TextFiles.h"
#include "publishing/PbnImport.h"
#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class PbnImportTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    TabletSharedFolder = tmp_.path() + QStringLiteral("/Quillmarke");
    DiagramFolder = tmp_.path() + QStringLiteral("/Etuis/");
    QDir().mkpath(DiagramFolder);
    TableDevicesMode = TabletsMode = true;
    TournamentCode = QStringLiteral("LUN7");
    BoardCount = DealCount = 26;
  }
  QString diagrams() const { return TabletSharedFolder + QStringLiteral("/Diagrammes/"); }
  QStringList diagramLines(int board) const {
    return platform::readTextLines(diagrams() + QStringLiteral("S%1.TXT").arg(board));
  }
  // A PBN file of boards 1..count, one tag per line, LF only.
  void writePbn(const QString& path, int count) {
    QByteArray text;
    for (int b = 1; b <= count; ++b)
      text += QStringLiteral("[Board \"%1\"]\n[Deal \"N:AKT3.QJ6.K54.A92 QJ9.AK5.QJT.KQJ3 8765.T98.A98.T87 42.7432.7632.654\"]\n\n")
                  .arg(b)
                  .toLatin1();
    writeBytes(path, text);
  }
  ui::ScriptedInteraction talk;
};

TEST_F(PbnImportTest, HoldingsBecomeFrenchRanksAndReadBack) {
  EXPECT_EQ(FrenchCardLetters("KJT2"), "R V X 2");
  EXPECT_FALSE(WritePbnDealDiagram(5, " n:ak103..k54.a92 QJ9.AK5.QJT.KQJ3 8765.T98.A98.T87 AKQJT98765.2.2.2 "));
  const QStringList lines = diagramLines(5);
  ASSERT_EQ(lines.size(), 30);
  EXPECT_EQ(lines[0], "Board 5");
  EXPECT_EQ(lines[1], "--------");
  EXPECT_EQ(lines[3], "Nord");
  EXPECT_EQ(lines[5], "P  A R X 3");
  EXPECT_EQ(lines[6], "C  ");
  EXPECT_EQ(lines[10], "Sud");
  EXPECT_EQ(lines[17], "Est");
  EXPECT_EQ(lines[24], "Ouest");
  EXPECT_EQ(lines[26], "P  A R D V X 9 8 7 6 5");
  // The hand-off copy holds the same bytes and is consumed by the load.
  EXPECT_EQ(readBytes(diagrams() + "5.TXT"), readBytes(diagrams() + "S5.TXT"));
  DealCount = 5;
  LoadDiagramFiles();
  EXPECT_FALSE(QFile::exists(diagrams() + "5.TXT"));
  EXPECT_TRUE(QFile::exists(diagrams() + "S5.TXT"));
  EXPECT_TRUE(DealDiagrams[5].startsWith("Board 5\r\n--------\r\n"));
  EXPECT_EQ(HoldingFromDiagram(5, "Nord", "P"), "AKT3");
  EXPECT_EQ(HoldingFromDiagram(5, "Nord", "C"), "");
  EXPECT_EQ(HoldingFromDiagram(5, "Ouest", "P"), "AKQJT98765");
  EXPECT_EQ(HoldingFromDiagram(5, "Est", "K"), "QJT");
  // Copies of boards out of play, and every copy without table devices, stay.
  EXPECT_FALSE(WritePbnDealDiagram(6, "N:- - - -"));
  LoadDiagramFiles();
  EXPECT_TRUE(QFile::exists(diagrams() + "6.TXT"));
  EXPECT_FALSE(WritePbnDealDiagram(4, "N:- - - -"));
  TableDevicesMode = false;
  LoadDiagramFiles();
  EXPECT_TRUE(QFile::exists(diagrams() + "4.TXT"));
}

TEST_F(PbnImportTest, FirstSeatAndUnreadableDeals) {
  EXPECT_FALSE(WritePbnDealDiagram(1, "E:AK.QJ.T9.8765432 QJT9.AK5.QJ8.KQJ 8765.T9876.A7.T9 432.432.K65432.A"));
  QStringList lines = diagramLines(1);
  EXPECT_EQ(lines.mid(19, 4), QStringList({"P  A R", "C  D V", "K  X 9", "T  8 7 6 5 4 3 2"}));  // East
  EXPECT_EQ(lines[12], "P  D V X 9");                                                     // South
  EXPECT_EQ(lines[26], "P  8 7 6 5");                                                     // West
  EXPECT_EQ(lines[5], "P  4 3 2");                                                        // North
  // An unknown hand is four voids.
  EXPECT_FALSE(WritePbnDealDiagram(2, "S:- AKQJT98765.2.2.2 432.AKQJ.AKQ.AKQ -"));
  lines = diagramLines(2);
  EXPECT_EQ(lines[12], "P  ");
  EXPECT_EQ(lines[26], "P  A R D V X 9 8 7 6 5");
  // Failures write nothing.
  for (const char* bad : {"X:AK.QJ.T9.8765 - - -", "N:AK.QJ.T9 - - -", "N:AK.QJ.T9.8765 - -", "N:AZ.QJ.T9.8765 - - -",
                          "NAK.QJ.T9.8765 - - -"})
    EXPECT_TRUE(WritePbnDealDiagram(3, bad)) << bad;
  EXPECT_FALSE(QFile::exists(diagrams() + "S3.TXT"));
}

TEST_F(PbnImportTest, ExportFormatFileIsImportedWhole) {
  const QByteArray pbn =
      "\xEF\xBB\xBF% PBN 2.1\r\n"
      "% EXPORT\r\n"
      "%Content-type: text/x-pbn; charset=ISO-8859-1\r\n"
      "[Event \"Tournoi du lundi\"]\r\n"
      "[Site \"Lyon\"]\r\n"
      "[Date \"2026.12.07\"]\r\n"
      "[Board \"1\"]\r\n"
      "[West \"\"]\r\n"
      "[North \"\"]\r\n"
      "[East \"\"]\r\n"
      "[South \"\"]\r\n"
      "[Dealer \"N\"]\r\n"
      "[Vulnerable \"None\"]\r\n"
      "[Deal \"N:AKT3.QJ6.K54.A92 QJ9.AK5.QJT.KQJ3 8765.T98.A98.T87 42.7432.7632.654\"]\r\n"
      "[Scoring \"\"]\r\n"
      "[Declarer \"\"]\r\n"
      "[Contract \"\"]\r\n"
      "[Result \"\"]\r\n"
      "\r\n"
      "[Event \"Tournoi du lundi\"]\r\n"
      "[Site \"Lyon\"]\r\n"
      "[Date \"2026.12.07\"]\r\n"
      "  [ Board   \"2\" ]  \r\n"
      "[West \"\"]\r\n"
      "[North \"\"]\r\n"
      "[East \"\"]\r\n"
      "[South \"\"]\r\n"
      "[Dealer \"E\"]\r\n"
      "[Vulnerable \"NS\"]\r\n"
      "[Deal \"E:AK.QJ.T9.8765432 QJT9.AK5.QJ8.KQJ 8765.T9876.A7.T9 432.432.K65432.A\"]\r\n"
      "[Scoring \"\"]\r\n"
      "[Declarer \"\"]\r\n"
      "[Contract \"\"]\r\n"
      "[Result \"\"]\r\n"
      "\r\n";
  writeBytes(DiagramFolder + "LUNDI.pbn", pbn);
  DealCount = 2;
  EXPECT_EQ(ImportPbnDeals(DiagramFolder + "LUNDI.pbn"), 2);
  EXPECT_TRUE(DealsImported);
  EXPECT_EQ(HoldingFromDiagram(1, "Nord", "P"), "AKT3");
  EXPECT_EQ(HoldingFromDiagram(1, "Ouest", "C"), "7432");
  EXPECT_EQ(HoldingFromDiagram(2, "Est", "T"), "8765432");
  EXPECT_EQ(HoldingFromDiagram(2, "Nord", "K"), "K65432");
  EXPECT_TRUE(talk.messages.isEmpty());
  // The diagrams were saved with the tournament.
  EXPECT_TRUE(readBytes(dataDir() + "LUN7.DIA").contains("P  A R X 3"));
}

TEST_F(PbnImportTest, BadBoardsStopTheImportAndMissingDealsAreNotShifted) {
  writeBytes(DiagramFolder + "A.PBN", "[Board \"1\"]\n[Deal \"N:AK.QJ.T9.8765 - - -\"]\n[Board \"3a\"]\n[Deal \"N:- - - -\"]\n");
  EXPECT_EQ(ImportPbnDeals(DiagramFolder + "A.PBN"), -1);
  EXPECT_EQ(talk.events.last(), "system: [Board \"3a\"]: board invalide! On arrête l'importation...");
  EXPECT_TRUE(QFile::exists(diagrams() + "S1.TXT"));  // written before the bad line, kept
  writeBytes(DiagramFolder + "B.PBN", "[Board \"65\"]\n[Deal \"N:- - - -\"]\n");
  EXPECT_EQ(ImportPbnDeals(DiagramFolder + "B.PBN"), -1);
  EXPECT_EQ(talk.messages.last(), "[Board \"65\"]: board invalide! On arrête l'importation...");
  writeBytes(DiagramFolder + "C.PBN", "[Board \"4\"]\n[Deal \"N:AK.QJ.T9\"]\n");
  EXPECT_EQ(ImportPbnDeals(DiagramFolder + "C.PBN"), -1);
  EXPECT_EQ(talk.messages.last(), "[Deal \"N:AK.QJ.T9\"]erreur! On arrête l'importation...");

  writeBytes(DiagramFolder + "D.PBN", "[Board \"2\"]\n[Dealer \"E\"]\n\n[Board \"3\"]\n[Deal \"W:AK.QJ.T9.8765432 - - -\"]\n");
  EXPECT_EQ(ImportPbnDeals(DiagramFolder + "D.PBN"), 3);
  EXPECT_FALSE(QFile::exists(diagrams() + "S2.TXT"));
  EXPECT_EQ(diagramLines(3)[26], "P  A R");
}

TEST_F(PbnImportTest, AFileOfAHundredThousandDealsTakesSecondsAndKeepsEachBoardsLastDeal) {
  QByteArray text;
  text.reserve(100000 * 110);
  for (int i = 0; i < 100000; ++i)
    text += "[Board \"" + QByteArray::number(i % 26 + 1) + "\"]\n[Deal \"N:AKT3.QJ6.K54.A9" +
            QByteArray::number(i % 7 + 2) + " - - -\"]\n\n";
  // The last deal of board 26 is i = 99,995: its last card is the
  // 2 + 99,995 mod 7 = 2 + 0.
  writeBytes(DiagramFolder + "GROS.PBN", text);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(ImportPbnDeals(DiagramFolder + "GROS.PBN"), 26);
#if defined(__SANITIZE_ADDRESS__)
  constexpr qint64 kLimit = 90000;  // the sanitizers' build reads it several times slower
#else
  constexpr qint64 kLimit = 20000;
#endif
  EXPECT_LT(clock.elapsed(), kLimit);  // it took over two minutes when each deal rewrote its board's files
  EXPECT_EQ(HoldingFromDiagram(26, "Nord", "T"), "A92");
  // i = 99,999 is board 100,000 mod 26 = 4: 2 + 99,999 mod 7 = 2 + 4.
  EXPECT_EQ(HoldingFromDiagram(4, "Nord", "T"), "A96");
}

TEST_F(PbnImportTest, ImportReportsTheCountAndFindsTheFileByOption) {
  PbnOption = 2;
  writePbn(dataDir() + "lun7.pbn", 24);
  ImportPbnDiagrams();
  EXPECT_EQ(talk.messages, QStringList{"Attention! Il n'y a que 24 diagrammes d'étuis importés au lieu des 26 donnes en jeu..."});
  EXPECT_TRUE(DealsImported);

  talk.messages.clear();
  PbnOption = 4;
  PbnName = QStringLiteral("SEANCE");
  ImportPbnDiagrams();
  EXPECT_EQ(talk.messages, QStringList{"Pas trouvé le fichier prévu \"SEANCE.PBN\" dans le dossier \"" + DiagramFolder +
                                       "\"! Désolé, on n'importe aucun diagramme..."});
  writePbn(DiagramFolder + "SEANCE.PBN", 26);
  talk.answer(1);
  ImportPbnDiagrams();
  EXPECT_EQ(talk.choices.last().form, "TForm88");
  EXPECT_TRUE(talk.choices.last().text.startsWith("Pour rappel... 26 donnes en jeu, les diagrammes ont bien été importés"));

  // Deals entered at the tables, or a federation tournament: nothing at all.
  EnterDealsAtTable = true;
  ImportPbnDiagrams();
  EXPECT_TRUE(talk.allAnswered());
}

TEST_F(PbnImportTest, UnknownOptionIsResetAndTheChooserOffersTheFolder) {
  writeBytes(programDir() + "OPTIONPBN.TXT", "7\r\n");
  writeBytes(programDir() + "DOSSIERPBN.TXT", (DiagramFolder + "\r\n").toUtf8());
  ReadPbnOptions();
  writePbn(DiagramFolder + "mardi.PBN", 26);
  writePbn(DiagramFolder + "Lundi.pbn", 2);
  writeBytes(DiagramFolder + "notes.txt", "");
  talk.answer(1);  // the first line given: "Lundi"
  ImportPbnDiagrams();
  EXPECT_EQ(talk.messages.first(),
            "La façon de lire les diagrammes est indéterminée. On choisit de le demander à chaque importation. Vous pouvez "
            "modifier ce comportement...");
  EXPECT_EQ(readBytes(programDir() + "OPTIONPBN.TXT"), "1\r\n");
  ASSERT_EQ(talk.lists.size(), 1);
  EXPECT_EQ(talk.lists[0].form, "TForm85");
  EXPECT_EQ(talk.lists[0].lines, QStringList({"Lundi", "mardi"}));
  EXPECT_EQ(ChosenPbnFile, DiagramFolder + "Lundi.pbn");
  EXPECT_EQ(talk.messages.last(), "Attention! Il n'y a que 2 diagrammes d'étuis importés au lieu des 26 donnes en jeu...");

  // "Autre choix...": the file picked on disk; cancelled: no file.
  talk.answer(kOtherPbnFile).answerPath(DiagramFolder + "mardi.PBN");
  EXPECT_EQ(ChoosePbnFile(), DiagramFolder + "mardi.PBN");
  talk.answer(kOtherPbnFile).answerCancel();
  EXPECT_EQ(ChoosePbnFile(), "");
  EXPECT_EQ(talk.messages.last(), "Aucun fichier PBN choisi! Pas d'importation de diagrammes...");
}

TEST_F(PbnImportTest, TooManyPbnFilesEndTheProgram) {
  for (int i = 0; i <= 1000; ++i) writeBytes(DiagramFolder + QStringLiteral("T%1.PBN").arg(i), "");
  PbnOption = 1;
  EXPECT_THROW(ImportPbnDiagrams(), FatalStopError);  // no chooser is shown, and the program ends
  EXPECT_TRUE(talk.lists.isEmpty());
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_TRUE(talk.messages[0].startsWith("Le nombre de tournois est plus grand que 1000! "));
  EXPECT_TRUE(talk.messages[0].endsWith(" Désolé, on arrête!"));
  EXPECT_FALSE(DealsImported);
}

TEST_F(PbnImportTest, NoDealFileIsSaidOnceNamingTheFolderSearched) {
  // A club without a dealing program: one message, no empty chooser.
  PbnOption = 1;
  ImportPbnDiagrams();
  EXPECT_EQ(talk.messages, QStringList{"Pas trouvé de fichiers *.PBN dans le répertoire " + DiagramFolder + "..."});
  EXPECT_TRUE(talk.lists.isEmpty());
  EXPECT_FALSE(DealsImported);

  // The chooser closed without a line: said once too.
  talk.messages.clear();
  writeBytes(DiagramFolder + "lundi.PBN", "");
  talk.answer(0);
  ImportPbnDiagrams();
  EXPECT_EQ(talk.messages, QStringList{"Aucun fichier PBN choisi! Pas d'importation de diagrammes..."});
  EXPECT_FALSE(DealsImported);
}

TEST_F(PbnImportTest, OptionsAreWrittenAsChosen) {
  EXPECT_EQ(SetPbnName("TEST.pbn"), "TEST");
  EXPECT_EQ(talk.messages.last(), "Désolé, le nom ne doit pas contenir l'extension \".PBN\". Je prends juste le nom...");
  EXPECT_EQ(readBytes(programDir() + "NOMPBN.TXT"), "TEST\r\n");
  SetPbnOptionItem(3);
  EXPECT_EQ(PbnOption, 4);
  EXPECT_EQ(readBytes(programDir() + "OPTIONPBN.TXT"), "4\r\n");

  const QString before = DiagramFolder;
  talk.answerPath(tmp_.path() + QStringLiteral("/Donnes séance"));
  EXPECT_FALSE(ChangeDiagramFolder());
  EXPECT_EQ(talk.messages.last(),
            "Sous Windows 10 ou +, désolé, aucun caractère diacritique (\"é\") ne peut être utilisé dans le nom d'un dossier!");
  EXPECT_EQ(DiagramFolder, before);
  talk.answerPath(tmp_.path() + QStringLiteral("/Donnes"));
  EXPECT_TRUE(ChangeDiagramFolder());
  EXPECT_EQ(DiagramFolder, tmp_.path() + "/Donnes/");
  EXPECT_EQ(readBytes(programDir() + "DOSSIERPBN.TXT"), (tmp_.path() + "/Donnes/\r\n").toUtf8());
}

}  // namespace
