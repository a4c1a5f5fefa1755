#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/PairsAndBoards.h"
#include "core/PairsFile.h"
#include "core/PlayerNames.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "support/TestState.h"

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class PairsFileTest : public testing_support::TalvaronTest {
 protected:
  QString pai(const QString& code) const { return dataDir() + code + ".PAI"; }

  static void setPair(int slot, int number, const QString& p1, const QString& p2, const QString& l1 = "0",
                      const QString& l2 = "0") {
    PairNumbers[slot] = number;
    Player1Names[slot] = p1;
    Player2Names[slot] = p2;
    PairLabels[slot] = p2.isEmpty() ? p1 : p1 + " - " + p2;
    Player1Licences[slot] = l1;
    Player2Licences[slot] = l2;
  }

  static QByteArray pairLines(int count) {
    QByteArray bytes;
    for (int n = 1; n <= count; ++n) bytes += QByteArray::number(n) + " 0 0 x\xA3J" + QByteArray::number(n) + "\xA3K\r\n";
    return bytes;
  }

  const QString badLine = QStringLiteral("Ligne n°%1 incorrecte dans \"%2.PAI. Désolé, corrigez ce fichier avant de réessayer!");
};

}  // namespace

TEST_F(PairsFileTest, PairsFileIsWrittenByteForByteWithLicencesAsIntegers) {
  TournamentCode = "ABC";
  setPair(1, 1, "DUPONT Jean", "MARTIN Anne", "00123", "");
  PairLabels[1] = " DUPONT Jean - MARTIN Anne ";  // label and names are written trimmed
  Player1Names[1] = "DUPONT Jean ";
  setPair(2, 2, "BYE", "");
  setPair(5, -1, QStringLiteral("LEFÈVRE Zoé"), "N2", "12A4", "456");
  SavePairsFile();
  EXPECT_EQ(readBytes(pai("ABC")), QByteArray("1 123 0 DUPONT Jean - MARTIN Anne\xA3" "DUPONT Jean\xA3MARTIN Anne\r\n"
                                   "2 0 0 BYE\xA3" "BYE\xA3\r\n"
                                   "-1 0 456 LEF\xC8VRE Zo\xE9 - N2\xA3LEF\xC8VRE Zo\xE9\xA3N2\r\n"));
  EXPECT_EQ(Player1Licences[1], "00123");
  EXPECT_EQ(Player2Licences[1], "0");
  EXPECT_EQ(Player1Licences[5], "0");
}

TEST_F(PairsFileTest, PairsReadBackWithTheByeStillFound) {
  ui::ScriptedInteraction ui;
  TournamentCode = "ABC";
  setPair(1, 1, "DUPONT Jean", "MARTIN Anne", "123", "7");
  setPair(2, 2, "BYE", "");
  setPair(3, -1, "N1", "S1");
  SavePairsFile();
  ClearPairSlots();
  ChargerPaires("ABC");
  EXPECT_EQ(PairLabels[1], "DUPONT Jean - MARTIN Anne");
  EXPECT_EQ(Player1Licences[1] + "/" + Player2Licences[1], "123/7");
  EXPECT_EQ(PairLabels[2], "BYE");
  EXPECT_EQ(Player1Names[2], "BYE");
  EXPECT_EQ(Player2Names[2], "");
  EXPECT_EQ(PairNumbers[3], -1);
  EXPECT_EQ(PairCount, 3);
  EXPECT_EQ(PairSlotCount, 4);
  EXPECT_EQ(TableCount, 2);
  EXPECT_EQ(ResultsPerBoard, 2);

  // The label is rebuilt from the players whatever stands before the first "£".
  writeBytes(pai("ABC"), "3 0 0 X\xA3" "DUPONT Jean \xA3 MARTIN Anne\r\n");
  ReadPairsFile("abc");
  EXPECT_EQ(PairNumbers[3], 0);
  EXPECT_EQ(PairNumbers[1], 3);
  EXPECT_EQ(PairLabels[1], "DUPONT Jean - MARTIN Anne");
  EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(PairsFileTest, UnusablePairsFilesStopBeforeAnySlotChanges) {
  ui::ScriptedInteraction ui;
  setPair(1, 1, "GARDE", "FOU");
  EXPECT_THROW(ChargerPaires("NONE"), FatalStopError);
  EXPECT_EQ(ui.messages.last(), QStringLiteral("Impossible de lire le fichier de paires dans \"ChargerPaires\""));

  writeBytes(pai("MULTI"), "TALVARIX 2 series\r\n1 0 0 a\xA3" "b\xA3" "c\r\n");
  EXPECT_THROW(ReadPairsFile("MULTI"), FatalStopError);
  EXPECT_TRUE(ui.messages.last().startsWith(QStringLiteral("Le tournoi que vous demandez est probablement\r\n un tournoi")));
  EXPECT_TRUE(ui.messages.last().endsWith(QStringLiteral("Passez donc au programme \"TALVARIX\"...")));

  for (const QByteArray& line : {QByteArray("X 0 0 a\xA3" "b\xA3" "c"), QByteArray(""), QByteArray("43 0 0 a\xA3" "b\xA3" "c"),
                                 QByteArray("-2147483648 0 0 a\xA3" "b\xA3" "c")}) {
    writeBytes(pai("BAD"), "1 0 0 a\xA3" "b\xA3" "c\r\n" + line + "\r\n3 0 0 a\xA3" "b\xA3" "c\r\n");
    EXPECT_THROW(ReadPairsFile("BAD"), FatalStopError);
    EXPECT_EQ(ui.messages.last(), badLine.arg(2).arg("BAD"));
  }

  writeBytes(pai("MANY"), pairLines(43));
  EXPECT_THROW(ReadPairsFile("MANY"), FatalStopError);
  EXPECT_EQ(ui.messages.last(), "Trop de paires");
  EXPECT_EQ(PairLabels[1], "GARDE - FOU");
  EXPECT_EQ(PairNumbers[2], 0);
}

TEST_F(PairsFileTest, ChooserListsThePairsFilesInNameOrder) {
  ui::ScriptedInteraction ui;
  QString code = "old";
  ChooseTournamentPairs(code);
  EXPECT_EQ(code, "");
  EXPECT_EQ(ui.messages.last(), "Pas trouvé de fichiers *.PAI dans le répertoire " + dataDir() + ". Aucun tournoi à choisir!");

  for (const char* name : {"ZED.PAI", "abc.pai", "MID.PAI", "MID.VAR"}) writeBytes(dataDir() + name, "");
  ui.answer(2).answer(0);
  ChooseTournamentPairs(code);
  EXPECT_EQ(code, "MID");
  ASSERT_EQ(ui.lists.size(), 1);
  const ui::ListChoice& list = ui.lists.first();
  EXPECT_EQ(list.form, "TForm83");
  EXPECT_EQ(list.caption, "Choix");
  EXPECT_EQ(list.headings, QStringList{"Choix des paires ?"});
  EXPECT_EQ(list.hint, "Esc = Annuler");
  EXPECT_EQ(list.lines, (QStringList{"abc.pai", "MID.PAI", "ZED.PAI"}));
  ChooseTournamentPairs(code);
  EXPECT_EQ(code, "");
  EXPECT_EQ(ChoiceResult, 0);
}

TEST_F(PairsFileTest, ChooserRefusesMoreThanAThousandTournaments) {
  ui::ScriptedInteraction ui;
  for (int i = 0; i <= 1000; ++i) writeBytes(dataDir() + QStringLiteral("T%1.PAI").arg(i), "");
  QString code;
  ChooseTournamentPairs(code);
  EXPECT_EQ(code, "");
  EXPECT_TRUE(ui.lists.isEmpty());
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Le nombre de tournois est plus grand que 1000! Utilisez d'abord le "
                                                    "programme Purgassin.EXE pour mettre de l'ordre... Désolé!")});
}

TEST_F(PairsFileTest, ReloadingAnotherPairsFileKeepsAtMostFortyTwoPairs) {
  ui::ScriptedInteraction ui;
  writeBytes(dataDir() + "MANY.PAI", pairLines(44));
  writeBytes(dataDir() + "ODD.X.PAI", "");
  writeBytes(dataDir() + "TWO.PAI", pairLines(2));
  ui.answer(1).answer(2).answer(3);
  EXPECT_FALSE(ReloadPairsFile());
  EXPECT_EQ(ui.messages.last(), "Trop de paires");
  EXPECT_EQ(Player1Names[42], "J42");
  EXPECT_FALSE(ReloadPairsFile());
  EXPECT_EQ(ui.messages.last(), "Pas de fichier ODD.PAI");
  PairCount = 9;
  EXPECT_TRUE(ReloadPairsFile());
  EXPECT_EQ(PairLabels[2], "J2 - K");
  EXPECT_EQ(PairNumbers[3], 0);
  EXPECT_EQ(PairCount, 9);  // the pairs entry recounts

  writeBytes(dataDir() + "TWO.PAI", "1 0 0 a\xA3" "b\xA3" "c\r\n2 0 0 a\xA3" "b\r\n\r\n");
  ui.answer(3);
  EXPECT_THROW(ReloadPairsFile(), FatalStopError);
  EXPECT_EQ(ui.messages.last(), badLine.arg(3).arg("TWO"));
}

TEST_F(PairsFileTest, APlayerCalledByeWithAPartnerIsARealPair) {
  testing_support::writeBytes(dataDir() + "BYE1.PAI",
                              "1 0 0 X\xA3" "bye\xA3MARTIN Anne\r\n"
                              "2 0 0 BYE\xA3" "BYE\xA3\r\n"
                              "3 0 0 BYE\xA3\xA3\r\n");
  ReadPairsFile("BYE1");
  EXPECT_EQ(PairLabels[1], "bye - MARTIN Anne");
  EXPECT_EQ(Player2Names[1], "MARTIN Anne");
  EXPECT_EQ(PairLabels[2], "BYE");
  EXPECT_EQ(PairLabels[3], "BYE");
}

// A real player named "bye" whose partner is not known yet (the tables'
// devices seat one player at a time) stays a real pair through a save and a
// reload; only a line whose label reads "BYE" is the absent pair.
TEST_F(PairsFileTest, APlayerCalledByeWithoutPartnerStaysARealPairThroughASave) {
  TournamentCode = "BYE2";
  setPair(1, 1, "bye", "");
  PairLabels[1] = "bye - ";
  setPair(2, 2, "N2", "S2");
  setPair(3, -1, "BYE", "");
  setPair(4, -2, "E4", "W4");
  SavePairsFile();
  EXPECT_EQ(readBytes(dataDir() + "BYE2.PAI"), "1 0 0 bye -\xA3" "bye\xA3\r\n2 0 0 N2 - S2\xA3N2\xA3S2\r\n"
                                               "-1 0 0 BYE\xA3" "BYE\xA3\r\n-2 0 0 E4 - W4\xA3" "E4\xA3W4\r\n");
  ClearPairSlots();
  ReadPairsFile("BYE2");
  EXPECT_EQ(PairLabels[1], "bye - ");
  EXPECT_EQ(Player1Names[1], "bye");
  EXPECT_EQ(PairLabels[3], "BYE");
  FindByePair();
  EXPECT_TRUE(ByePresent);
  EXPECT_EQ(ByeNsPair, 0);
  EXPECT_EQ(ByeEwPair, 3);
}

TEST_F(PairsFileTest, APoundSignNeverReachesANameOfThePairsFile) {
  ui::ScriptedInteraction talk;
  TournamentCode = "ABC";
  setPair(1, 1, QStringLiteral("DUPONT£Jean"), QStringLiteral("MARTIN Anne£"));
  // A name sent by a device with a line break inside must not cut the line.
  setPair(2, 2, "DURAND\r\nPaul", "LEROY\nEve");
  SavePairsFile();
  ClearPairSlots();
  ReadPairsFile("ABC");
  EXPECT_EQ(Player1Names[1], "DUPONT Jean");
  EXPECT_EQ(Player2Names[1], "MARTIN Anne");
  EXPECT_EQ(Player1Names[2], "DURAND  Paul");
  EXPECT_EQ(Player2Names[2], "LEROY Eve");
  EXPECT_EQ(PairCount, 2);

  EXPECT_TRUE(RefuseTypedPlayerName(QStringLiteral("DUPONT£")));
  EXPECT_FALSE(RefuseTypedPlayerName(QStringLiteral("DUPONT Jean")));
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_TRUE(talk.messages[0].contains(QStringLiteral("\"£\"")));
}
