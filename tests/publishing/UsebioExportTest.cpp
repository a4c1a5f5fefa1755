#include "publishing/UsebioExport.h"

#include "core/ScriptedInteraction.h"
#include "platform/Process.h"
#include "publishing/WebText.h"
#include "scoring/ClubTournament.h"
#include "support/TestSlots.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {

// The texts of every element of this name, in document order; fails the
// test when the document is not well-formed.
QStringList Elements(const QByteArray& xml, const QString& name) {
  QStringList values;
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
      values << reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return values;
}

void ExpectXmllintAccepts(const QString& path) {
  const QString xmllint = QStandardPaths::findExecutable("xmllint");
  if (xmllint.isEmpty()) return;
  EXPECT_EQ(QProcess::execute(xmllint, {"--noout", path}), 0);
}

}  // namespace

class UsebioExportTest : public ClubTournamentTest {
 protected:
  QString folder() const { return dataDir() + "DossierBridgeWebs/"; }

  // One board of a Howell of 18 pairs: eight played results (top 14) and
  // an adjusted one, pairs ranked 55.20, 55.20, 50.00 and lower.
  void oneBoardHowell() {
    IsHowell = true;
    TournamentCode = "HOW";
    PairCount = PairSlotCount = 18;
    ResultsPerBoard = 9;
    BoardCount = DealCount = 1;
    ResultSlotCount = 9;
    DateYear = "2024";
    DateMonth = "03";
    DateDay = "05";
    for (int s = 1; s <= 18; ++s) {
      PairNumbers[s] = s <= 9 ? s : -(s - 9);
      Player1Names[s] = QStringLiteral("Joueur %1").arg(s);
      Player2Names[s] = QStringLiteral("Partenaire %1").arg(s);
      PairLabels[s] = Player1Names[s] + " - " + Player2Names[s];
      RankingOrder[s] = s;
      PairFinalScore[s] = s == 1 || s == 2 ? 55.2 : (s == 3 ? 50.0 : 49 - s);
    }
    for (int s = 1; s <= 9; ++s) {
      TestSlots().nsPair[s] = s;
      TestSlots().ewPair[s] = 9 + s;
      TestSlots().board[s] = 1;
      TestSlots().score[s] = 50 * s;
      TestSlots().contract[s] = "3SN=";
      TestSlots().declarer[s] = "?";
      TestSlots().lead[s] = "?";
      TestSlots().matchpoints[s] = 2 * (s - 1);
    }
    TestSlots().score[9] = kScoreAdjusted;
    TestSlots().contract[9] = "AJU.";
    TestSlots().nsPercent[9] = 56;
    TestSlots().ewPercent[9] = 48;
    testing_support::writeBytes(dataDir() + "HOW.ADJ", "9 1 40 60\r\n9 1 56 48\r\n");
  }
};

TEST_F(UsebioExportTest, ConversionsOfATravellerLine) {
  EXPECT_EQ(XmlLead("10P"), "TS");
  EXPECT_EQ(XmlLead("DC"), "QH");
  EXPECT_EQ(XmlLead("xT"), "xC");
  EXPECT_EQ(XmlLead("?"), "");
  EXPECT_EQ(XmlContract("4PXE-2"), "4S*");
  EXPECT_EQ(XmlContract("6SSS="), "6NT**");
  EXPECT_EQ(XmlContract("3KS+1"), "3D");
  EXPECT_EQ(XmlContract("PASSE"), "PASS");
  EXPECT_EQ(XmlContract(""), "");
  EXPECT_EQ(XmlTricks("4PXE-2"), "8");
  EXPECT_EQ(XmlTricks("3KS+1"), "10");
  EXPECT_EQ(XmlTricks("7TN="), "13");
  EXPECT_EQ(XmlTricks("PASSE"), "0");
  EXPECT_EQ(XmlTricks("AJU."), "0");
  EXPECT_EQ(XmlTricks("MOY."), "1000");
  EXPECT_EQ(XmlTricks(""), "1000");
  EXPECT_EQ(XmlTricks("4"), "1000");
}

TEST_F(UsebioExportTest, HowellWithTiesAndAnAdjustedScore) {
  oneBoardHowell();
  TestSlots().contract[3].clear();  // typed as a number
  TestSlots().swapped[2] = 1;
  platform::FakeProcesses processes;
  ui::ScriptedInteraction script;
  script.answer(2);  // "&Plus tard..."
  ExportBridgeWebsXml();
  ASSERT_TRUE(script.allAnswered());
  EXPECT_EQ(script.choices[0].text, "Le fichier 2024Mar05.XML a été créé dans " + folder() + ".");
  EXPECT_TRUE(processes.events.isEmpty());

  const QString path = folder() + "2024Mar05.XML";
  const QByteArray xml = testing_support::readBytes(path);
  ASSERT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!DOCTYPE USEBIO SYSTEM \"usebio_v1_2.dtd\">\r\n"));
  ExpectXmllintAccepts(path);
  EXPECT_EQ(Elements(xml, "WINNER_TYPE"), QStringList{"1"});
  EXPECT_EQ(Elements(xml, "PLACE").mid(0, 4), (QStringList{"1=", "1=", "3", "4"}));
  EXPECT_EQ(Elements(xml, "PERCENTAGE").mid(0, 3), (QStringList{"55.20", "55.20", "50.00"}));
  EXPECT_TRUE(Elements(xml, "DIRECTION").isEmpty());

  const QStringList scores = Elements(xml, "SCORE");
  const QStringList ns = Elements(xml, "NS_MATCH_POINTS");
  const QStringList ew = Elements(xml, "EW_MATCH_POINTS");
  ASSERT_EQ(scores.size(), 9);
  EXPECT_EQ(scores[8], "A5648");
  EXPECT_EQ(ns[8], "8");
  EXPECT_EQ(ew[8], "7");
  // A swapped result: each pair its own score and matchpoints.
  EXPECT_EQ(scores[1], "-100");
  EXPECT_EQ(ns[1], "12");
  EXPECT_EQ(ew[1], "2");
  // The typed number: no contract, declarer nor tricks.
  EXPECT_EQ(Elements(xml, "CONTRACT")[2], "");
  EXPECT_EQ(Elements(xml, "PLAYED_BY")[2], "");
  EXPECT_EQ(Elements(xml, "TRICKS").size(), 8);  // 7 contracts and the adjusted "0"
  EXPECT_EQ(Elements(xml, "PLAYED_BY")[0], "N");
}

TEST_F(UsebioExportTest, SeparateMitchellRankingsAndTheUpload) {
  loadAndCompute();
  DateYear = "2024";
  DateMonth = "03";
  DateDay = "05";
  ClubName = "Arts & Loisirs";
  TournamentTitle = "Lundi";
  Player1Names[7] = "D'HONDT Zoé";
  PlayerCount = 1;
  PlayerFileLines[1] = "D'HONDT Zoé 123456";
  testing_support::writeBytes(programDir() + "ChoixMitchell.TXT", "2\r\n");
  platform::FakeProcesses processes;
  processes.running << "Webrellic.EXE";
  ui::ScriptedInteraction script;
  script.answer(1);  // "&Oui"
  ExportBridgeWebsXml();

  const QByteArray xml = testing_support::readBytes(folder() + "2024Mar05.XML");
  EXPECT_EQ(Elements(xml, "CLUB_NAME"), QStringList{"Arts & Loisirs"});
  EXPECT_EQ(Elements(xml, "EVENT_DESCRIPTION"), QStringList{"Mitchell du Lundi"});
  EXPECT_EQ(Elements(xml, "WINNER_TYPE"), QStringList{"2"});
  EXPECT_EQ(Elements(xml, "PAIR_NUMBER"), (QStringList{"2", "4", "1", "3", "1E", "3E", "2E"}));
  EXPECT_EQ(Elements(xml, "DIRECTION"), (QStringList{"NS", "NS", "NS", "NS", "EW", "EW", "EW"}));
  EXPECT_EQ(Elements(xml, "PLACE"), (QStringList{"1", "2", "3", "4", "1", "2", "3"}));
  EXPECT_TRUE(Elements(xml, "PLAYER_NAME").contains("D'HONDT Zoe"));
  EXPECT_TRUE(Elements(xml, "CLUB_ID_NUMBER").contains("123456"));
  EXPECT_TRUE(Elements(xml, "EW_PAIR_NUMBER").contains("3E"));
  EXPECT_EQ(testing_support::readBytes(folder() + "XMLName.TXT"), "2024Mar05.XML\r\n");
  EXPECT_EQ(processes.events.filter("start:"),
            QStringList{"start: " + programDir() + "Webrellic.EXE 2024Mar05"});
  EXPECT_EQ(processes.events.filter("stop:").size(), 1);
}

TEST_F(UsebioExportTest, CumulativeIsOneRankingWithoutBoards) {
  oneBoardHowell();
  IsHowell = false;
  MitchellNumbering = true;
  CumulativeMode = true;
  TournamentTitle = "Printemps";
  platform::FakeProcesses processes;
  ui::ScriptedInteraction script;
  script.answer(2);
  ExportBridgeWebsXml();
  const QByteArray xml = testing_support::readBytes(folder() + "2024Mar05C.XML");
  EXPECT_EQ(Elements(xml, "EVENT_DESCRIPTION"), QStringList{"Challenge du Printemps"});
  EXPECT_EQ(Elements(xml, "WINNER_TYPE"), QStringList{"1"});
  EXPECT_TRUE(Elements(xml, "PAIR_NUMBER").contains("12"));
  EXPECT_TRUE(Elements(xml, "BOARD").isEmpty());
  EXPECT_TRUE(Elements(xml, "HANDSET").isEmpty());
}

TEST_F(UsebioExportTest, MitchellChoiceIsAskedAndRemembered) {
  {
    ui::ScriptedInteraction script;
    script.answer(11);  // merged, "Sauver votre choix" ticked
    ChooseMitchellDisplay();
    EXPECT_TRUE(OneWinnerMitchell);
  }
  EXPECT_EQ(testing_support::readBytes(programDir() + "ChoixMitchell.TXT"), "1\r\n");
  OneWinnerMitchell = false;
  ui::ScriptedInteraction script;
  ChooseMitchellDisplay();  // read from the file, nothing asked
  EXPECT_TRUE(OneWinnerMitchell);
}
