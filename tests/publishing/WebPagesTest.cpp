#include "publishing/WebPages.h"

#include "core/DealAnalyses.h"
#include "core/ScriptedInteraction.h"
#include "publishing/TabletResultFiles.h"
#include "publishing/UsebioExport.h"
#include "publishing/WebText.h"
#include "scoring/ClubTournament.h"
#include "scoring/ResultListings.h"
#include "support/TestSlots.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// A diagram of the program's 30-line layout; North holds no diamond.
QString Diagram(int board, const QString& firstLine = {}) {
  QStringList lines{firstLine.isEmpty() ? QStringLiteral("Board %1").arg(board) : firstLine, "--------", "", "Nord", ""};
  lines << "P  A R X 3" << "C  D V 2" << "K  " << "T  9 8 7 6 5 4";
  for (const char* seat : {"Sud", "Est", "Ouest"})
    lines << "" << seat << "" << "P  2" << "C  A R 3" << "K  A R D V X 9 8" << "T  A";
  return lines.join("\r\n") + "\r\n";
}

QString Utf8File(const QString& path) { return QString::fromUtf8(testing_support::readBytes(path)); }

}  // namespace

class WebPagesTest : public ClubTournamentTest {
 protected:
  // The club tournament with texts that need escaping, started 2024-03-15
  // at 14:05, and the shipped support files in the program folder.
  void prepare() {
    loadAndCompute();
    DateYear = "2024";
    DateMonth = "03";
    DateDay = "15";
    TimeText = "140500";
    ClubName = QStringLiteral("Arts & Loisirs");
    TournamentName = QStringLiteral("Tournoi de l'été");
    Player1Names[1] = QStringLiteral("D'HONDT Zoé");
    DealCount = 3;
    DealDiagrams[1] = Diagram(1);
    DealDiagrams[3] = Diagram(3);
    for (const char* name : {"BELib.txt", "BEStyle.css", "liste.css", "dealer.gif"})
      QFile::copy(QCoreApplication::applicationDirPath() + "/" + name, programDir() + name);
  }
  QString web() const { return dataDir() + "DossierWEB/"; }
};

TEST_F(WebPagesTest, ContractTextsOfThePage) {
  ResultsPerBoard = 4;
  TestSlots().contract[1] = "4PXE-2";
  TestSlots().lead[1] = "10C";
  TestSlots().declarer[1] = "?";
  TestSlots().contract[2] = "6CXXO+1";
  TestSlots().lead[2] = "AP";
  TestSlots().contract[3] = "PASSE";
  TestSlots().score[4] = 420;
  TestSlots().contract[5] = "3SSN=";  // "S" then a declarer letter: redoubled
  TestSlots().contract[6] = "2TS-1";  // "S" then the sign: declarer South
  TestSlots().lead[6] = "xK";
  EXPECT_EQ(WebContractText(1), "4Sx-2EHX");
  EXPECT_EQ(WebContractText(2), "6Hxx+1WSA");
  EXPECT_EQ(WebContractText(3), "PASS");
  EXPECT_EQ(WebContractText(4), "?");  // typed by number: no contract
  EXPECT_EQ(WebContractText(5), "3NTxx=N");
  EXPECT_EQ(WebContractText(6), "2C-1SD2");
}

TEST_F(WebPagesTest, TextsAreEscapedForTheirContext) {
  EXPECT_EQ(publishing::JsEscape("a\\b'c\r\nd</script>"), "a\\\\b\\'c\\r\\nd<\\/script>");
  EXPECT_EQ(publishing::HtmlEscape("Arts & <Loisirs> \"D'Hondt\""), "Arts &amp; &lt;Loisirs&gt; &quot;D&#39;Hondt&quot;");
  EXPECT_EQ(publishing::XmlEscape("Arts & Loisirs <D'Hondt>"), "Arts &amp; Loisirs &lt;D&apos;Hondt&gt;");
  EXPECT_EQ(publishing::XmlEscape(QStringLiteral("a\uFFFEb\uFFFFc\x01")), "abc");  // never allowed in XML
  EXPECT_EQ(publishing::FileNamePart("../20'2</4"), "2024");
  EXPECT_EQ(HtmlAccents("Léa Çà"), "L&eacute;a Ç&agrave;");
  EXPECT_EQ(StripAccents("  Tournoi de l'été . Club des Œillets  "), "Tournoi de l'ete Club des Œillets");
}

TEST_F(WebPagesTest, PageDataAndHandsAreWrittenInUtf8) {
  prepare();
  ui::ScriptedInteraction script;
  script.answer(2);  // "Arbitre": separate N/S and E/W rankings
  WriteWebPages();
  ASSERT_TRUE(script.allAnswered());
  EXPECT_FALSE(OneWinnerMitchell);

  const QString page = Utf8File(web() + "R2024031514.html");
  EXPECT_TRUE(page.startsWith("<!DOCTYPE HTML> <!-- HTML5 -->\r\n<html>\r\n<head>\r\n<title>Results - 2024031514</title>\r\n"
                              "<meta charset='UTF-8'/>    <!-- required by HTML5 -->\r\n"));
  EXPECT_TRUE(page.contains("<script type='text/javascript' src='D2024031514.txt'></script>\r\n"));
  EXPECT_TRUE(page.endsWith("<p><a href=\"liste.html\">Retour &agrave; la liste des tournois</a>\r\n</body>\r\n</html>\r\n"));
  for (const char* name : {"BElib.txt", "BEstyle.css", "liste.css", "dealer.gif"})
    EXPECT_TRUE(QFile::exists(web() + name)) << name;

  const QString data = Utf8File(web() + "D2024031514.txt");
  EXPECT_TRUE(data.contains("BE.club = 'Arts &amp; Loisirs';\r\n"));
  EXPECT_TRUE(data.contains("BE.title = 'Tournoi de l&#39;été';\r\n"));
  EXPECT_TRUE(data.contains("BE.winners = 2;\r\nBE.tables = 4;\r\nBE.director = '?';\r\nBE.scorer = '?';\r\n"));
  EXPECT_TRUE(data.contains("['D&#39;HONDT Zo&eacute;', 'MARTIN Paul', '3', 5, 12,    41.67],   // Paire 1\r\n"))
      << data.toStdString();
  EXPECT_TRUE(data.contains("[,,,,,0,]   // Paire 8\r\n"));
  // Board 1: three results on a top of 4; the BYE pair's table has none.
  EXPECT_TRUE(data.contains("[  // Board 1\r\n[1, 5, '4S=SHA', 420, 3, 1],\r\n[2, 6, '4S=N', 420, 3, 1],\r\n"
                            "[3, 7, '3S+2SDK', 200, 0, 4]\r\n],\r\n"))
      << data.toStdString();

  const QString hands = Utf8File(web() + "H2024031514.txt");
  EXPECT_EQ(hands,
            "BE.hands[1]='ARX3 DV2  987654,2 AR3 ARDVX98 A,2 AR3 ARDVX98 A,2 AR3 ARDVX98 A';"
            "BE.hands[3]='ARX3 DV2  987654,2 AR3 ARDVX98 A,2 AR3 ARDVX98 A,2 AR3 ARDVX98 A';"
            "//              S   H   D   C\r\n"
            "//                 North             East             South             West\r\n");
  // The tables and pars are added after what the hands file held: the
  // bytes above stay as they were.
  BoardAnalyses()[3] = {DealKey(3), {}, {{{8, 7, 9, 10, 9}, {5, 5, 4, 3, 4}, {8, 7, 9, 10, 9}, {5, 5, 4, 3, 4}}}, 420,
                        {{4, 3, "NS", 0, 0}}};
  script.answer(1).answer(2);  // replace the files; separate rankings
  WriteWebPages();
  EXPECT_EQ(Utf8File(web() + "H2024031514.txt"),
            hands + "// BE.tricks: N, S, E, O as declarer in C D H S NT; BE.par: the par\r\n"
                    "BE.tricks[3]=[[8,7,9,10,9],[8,7,9,10,9],[5,5,4,3,4],[5,5,4,3,4]];\r\n"
                    "BE.par[3]='Par N/S +420 : 4♠ N/S';\r\n");
  // The closing message names the files as they stand on disk.
  ASSERT_GE(script.messages.size(), 2);
  EXPECT_EQ(script.messages[script.messages.size() - 2],
            "Les fichiers D2024031514.txt, H2024031514.txt et R2024031514.html ont été créés dans " + web() + ".");
  const QStringList onDisk = QDir(web()).entryList(QDir::Files);
  for (const char* name : {"D2024031514.txt", "H2024031514.txt", "R2024031514.html"})
    EXPECT_TRUE(onDisk.contains(QString::fromLatin1(name))) << name;
  EXPECT_EQ(script.messages.last(), "Vous pouvez maintenant lancer le programme \"Sitorelle.EXE...\"");
}

// The page's script lists a tie in the order of the results window: N/S 1
// and E/W 2 share 41.67, and the ranking put E/W 2 first (pair numbers
// alone would put N/S 1 first).
TEST_F(WebPagesTest, PageListsTiedPairsInTheOrderOfTheScreen) {
  const QString node = QStandardPaths::findExecutable("node");
  if (node.isEmpty()) GTEST_SKIP() << "node is not installed: the page's script is not run";
  prepare();
  ui::ScriptedInteraction script;
  script.answer(1);  // "Arbitre": one merged ranking
  WriteWebPages();
  ASSERT_TRUE(OneWinnerMitchell);

  const QString program = tmp_.path() + "/ranking.js";
  testing_support::writeBytes(program, testing_support::readBytes(web() + "BElib.txt") + "\n" +
                                           testing_support::readBytes(web() + "D2024031514.txt") +
                                           "\nconsole.log(BE.rankings());\n");
  QProcess run;
  run.start(node, {program});
  ASSERT_TRUE(run.waitForFinished(30000));
  const QString html = QString::fromUtf8(run.readAllStandardOutput());
  QStringList rows;
  static const QRegularExpression row(QStringLiteral("id=\"pair(\\d+)\"><td>([^<]*)</td>"));
  for (auto m = row.globalMatch(html); m.hasNext();) {
    const auto match = m.next();
    rows << match.captured(1) + " " + match.captured(2);
  }
  // Pairs as numbered in the slots (E/W k is 4 + k) with their places.
  EXPECT_EQ(rows, (QStringList{"2 1", "4 2", "5 3", "7 4", "6 5=", "1 5=", "3 7"})) << html.toStdString();
  QStringList screen;
  for (const RankedRow& r : RankedRows(RankingList::Merged)) screen << QString::number(r.pair);
  QStringList page;
  for (const QString& r : rows) page << r.section(' ', 0, 0);
  EXPECT_EQ(page, screen);
}

TEST_F(WebPagesTest, HowellWithDirectorAndScorerKnownAsksNothing) {
  IsHowell = true;
  testing_support::writeBytes(programDir() + "Arbitre.TXT", "Anne\r\n");
  testing_support::writeBytes(programDir() + "Ordinateur.TXT", "Marc");
  QDir().mkpath(dataDir());
  ui::ScriptedInteraction script;
  WriteWebData(dataDir(), "2024031514");
  EXPECT_TRUE(script.choices.isEmpty());
  const QString data = Utf8File(dataDir() + "D2024031514.txt");
  EXPECT_TRUE(data.contains("BE.winners = 1;\r\nBE.tables = 0;\r\nBE.director = 'Anne';\r\nBE.scorer = 'Marc';\r\n"));
  EXPECT_TRUE(data.contains("'Mouvement Howell de 0 tables et 0 &eacute;tuis';"));
}

TEST_F(WebPagesTest, MissingStyleSheetStopsBeforeThePage) {
  prepare();
  QFile::remove(programDir() + "liste.css");
  ui::ScriptedInteraction script;
  WriteWebPages();
  ASSERT_EQ(script.messages.size(), 1);
  EXPECT_EQ(script.messages[0], "Désolé, le fichier \"" + programDir() + "liste.css\" n'existe pas! On arrête...!");
  EXPECT_FALSE(QFile::exists(web() + "R2024031514.html"));
}

TEST_F(WebPagesTest, ReplacingIsAskedAndADiagramWithoutBoardLeavesNoHands) {
  prepare();
  QDir().mkpath(web());
  testing_support::writeBytes(web() + "R2024031514.html", "old");
  testing_support::writeBytes(web() + "H2024031514.txt", "old");
  {
    ui::ScriptedInteraction script;
    script.answer(2);  // "&Annuler"
    WriteWebPages();
    EXPECT_EQ(script.choices[0].extra.value("edit").toString(), "Fichiers R/D/H/2024031514");
    EXPECT_EQ(script.messages.last(), "Exportation arrêtée...");
    EXPECT_EQ(testing_support::readBytes(web() + "R2024031514.html"), "old");
  }
  DealDiagrams[3] = Diagram(3, "Donne 3");
  ui::ScriptedInteraction script;
  script.answer(1).answer(1);
  WriteWebPages();
  EXPECT_TRUE(script.messages.contains(
      "Pas trouvé les caractères \"Board\" pour l'étui 3. On n'exporte pas les diagrammes..."));
  EXPECT_FALSE(QFile::exists(web() + "H2024031514.txt"));
  EXPECT_TRUE(script.messages.contains("Les fichiers D2024031514.txt et R2024031514.html ont été créés dans " + web() + "."));
}

TEST_F(WebPagesTest, TabletsGetEveryKnownResult) {
  prepare();
  TabletSeriesFolder = documentsDir() + "/Quillmarke/S";
  TestSlots().contract[5].clear();  // board 2, table 1: typed as a number
  TestSlots().score[5] = -110;
  ui::ScriptedInteraction script;
  ASSERT_TRUE(RewriteTableResultFiles());
  EXPECT_EQ(testing_support::readBytes(TabletSeriesFolder + "1/Table1/RESX2.TXT"), "1 1 0 2 2 1 2  *-110* \r\n");
  EXPECT_EQ(testing_support::readBytes(TabletSeriesFolder + "1/Table3/RESX1.TXT"), "3 1 0 1 1 3 3 S 3PS+2 \r\n");

  // An adjusted result takes the last ".ADJ" line of its slot; without the
  // file the export stops.
  TestSlots().score[2] = kScoreAdjusted;
  TestSlots().contract[2] = "AJU.";
  ASSERT_FALSE(RewriteTableResultFiles());
  testing_support::writeBytes(dataDir() + "CLUB7.ADJ", "2 1 40 60\r\n2 1 62.5 37.5\r\n");
  ASSERT_TRUE(RewriteTableResultFiles());
  EXPECT_EQ(testing_support::readBytes(TabletSeriesFolder + "1/Table2/RESX1.TXT"), "2 1 0 1 1 2 2  62.5 - 37.5 \r\n");
}

// The page opened in a real browser shows every pair, traveller and hand,
// with the names intact.
TEST_F(WebPagesTest, PageRendersInAHeadlessBrowser) {
  QString browser = QStandardPaths::findExecutable("chromium");
  if (browser.isEmpty()) {
    QProcess::execute("bash", {QStringLiteral(TALVARON_SOURCE_DIR) + "/scripts/install-deps.sh", "--browser"});
    browser = QStandardPaths::findExecutable("chromium");
  }
  if (browser.isEmpty()) GTEST_SKIP() << "chromium is not installed and could not be installed: page not opened";
  prepare();
  BoardAnalyses()[1] = {DealKey(1), {}, {{{8, 7, 9, 10, 9}, {5, 5, 4, 3, 4}, {8, 7, 9, 10, 9}, {5, 5, 4, 3, 4}}}, -50,
                        {{5, 3, "NS", 0, 1}}};
  ui::ScriptedInteraction script;
  script.answer(1);
  WriteWebPages();

  QProcess chromium;
  chromium.start(browser, {"--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + tmp_.path() + "/chromium",
                           "--virtual-time-budget=5000", "--dump-dom", "file://" + web() + "R2024031514.html"});
  ASSERT_TRUE(chromium.waitForFinished(90000));
  const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
  ASSERT_TRUE(dom.contains("id=\"title\"")) << "the script library did not run: " << dom.toStdString();
  EXPECT_TRUE(dom.contains("Tournoi de l'été"));
  EXPECT_TRUE(dom.contains("Arts &amp; Loisirs"));
  EXPECT_TRUE(dom.contains("D'HONDT Zoé - MARTIN Paul"));
  EXPECT_TRUE(dom.contains("DE LA FONTAINE-BEAUMONT Jean-Baptiste - VAN DER BERGHE Marie-Christine"));
  EXPECT_EQ(dom.count("class=\"pair\""), 7);
  EXPECT_EQ(dom.count("class=\"result\""), 9);
  EXPECT_EQ(dom.count("class=\"deal\""), 2);
  // Board 1's double-dummy table under its deal (South's row: 8 tricks in clubs ... 9 at no trump), and its par.
  EXPECT_EQ(dom.count("class=\"dd\""), 1);
  EXPECT_TRUE(dom.contains("<tr><th>S</th><td>8</td><td>7</td><td>9</td><td>10</td><td>9</td></tr>")) << dom.toStdString();
  EXPECT_TRUE(dom.contains("Par E/O +50 : 5♠X N/S -1"));
  EXPECT_FALSE(dom.contains("BYE"));
}

// A hand-edited date names no other folder and cannot break the page, and a
// diagram sent by a tablet cannot put markup into it.
TEST_F(WebPagesTest, HandEditedDateAndDiagramStayInsideTheirFiles) {
  prepare();
  DateYear = "../2024";
  DateDay = "15'";
  EXPECT_EQ(WebKey(), "2024031514");
  EXPECT_EQ(XmlExportFileName(), "2024Mar15.XML");
  DealDiagrams[1].replace("P  A R X 3", "P  <script>");
  ui::ScriptedInteraction script;
  script.answer(1);
  WriteWebPages();
  const QString hands = Utf8File(web() + "H2024031514.txt");
  EXPECT_TRUE(hands.startsWith("BE.hands[1]='&lt;script&gt; DV2")) << hands.toStdString();
}

// Without devices and before the tablets' folder exists, the web export makes
// the folder first: each result reaches it, a score typed by number as
// "*score*"; the page's traveller shows "?" for that contract.
TEST_F(WebPagesTest, WebExportWithoutDevicesWritesTheTabletsResults) {
  prepare();
  TableDevicesMode = TabletsMode = false;
  QDir(documentsDir() + "/Quillmarke").removeRecursively();
  TabletSharedFolder.clear();
  TabletSeriesFolder.clear();
  TestSlots().contract[1].clear();  // board 1, table 1, N/S 1 against E/W 1
  ui::ScriptedInteraction script;
  script.answer(1);
  SaveResultsForWeb();
  const QString series = documentsDir() + "/Quillmarke/Serie1/";
  EXPECT_EQ(testing_support::readBytes(series + "Table1/RESX1.TXT"), "1 1 0 1 1 1 1  *420* \r\n");
  EXPECT_EQ(testing_support::readBytes(series + "Table3/RESX3.TXT"), "3 1 0 3 3 3 1 E 4CE= \r\n");
  const QString data = Utf8File(web() + "D2024031514.txt");
  EXPECT_TRUE(data.contains("[  // Board 1\r\n[1, 5, '?', 420, 3, 1],\r\n")) << data.toStdString();
}

// A diagram still waiting in the tablets' folder is taken in before the page
// and the XML file are written.
TEST_F(WebPagesTest, WaitingDiagramReachesThePageAndTheXml) {
  prepare();
  const QString diagrams = TabletSharedFolder + "/Diagrammes/";
  QDir().mkpath(diagrams);
  testing_support::writeBytes(diagrams + "2.TXT", Diagram(2).toLatin1());
  ui::ScriptedInteraction script;
  script.answer(1);
  SaveResultsForWeb();
  const QString hands = Utf8File(web() + "H2024031514.txt");
  EXPECT_TRUE(hands.contains("BE.hands[2]='ARX3 DV2  987654,")) << hands.toStdString();
  EXPECT_FALSE(QFile::exists(diagrams + "2.TXT"));

  DealDiagrams[2].clear();
  testing_support::writeBytes(diagrams + "2.TXT", Diagram(2).toLatin1());
  testing_support::writeBytes(programDir() + "ChoixMitchell.TXT", "1\r\n");
  script.answer(2);  // "&Plus tard..."
  ExportBridgeWebsXml();
  const QString xml = QString::fromUtf8(testing_support::readBytes(dataDir() + "DossierBridgeWebs/" + XmlExportFileName()));
  const qsizetype handSet = xml.indexOf("<HANDSET");
  ASSERT_GE(handSet, 0) << xml.toStdString();
  EXPECT_TRUE(xml.mid(handSet).contains("<BOARD_NUMBER>2</BOARD_NUMBER>")) << xml.toStdString();
  EXPECT_FALSE(QFile::exists(diagrams + "2.TXT"));
}
