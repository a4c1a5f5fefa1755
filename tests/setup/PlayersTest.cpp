#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "setup/PlayerText.h"
#include "setup/Players.h"
#include "support/TestState.h"

using testing_support::writeBytes;

namespace {

class PlayersTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    PlayersFileName = "JOUEURS.TXT";
  }
  void players(const QByteArray& bytes) { writeBytes(programDir() + "JOUEURS.TXT", bytes); }
  void pairs(const QByteArray& bytes) { writeBytes(programDir() + "PAIRES.TXT", bytes); }
  QStringList column(const OneBased<QString, kMaxPlayers>& a, int count) const {
    QStringList out;
    for (int i = 1; i <= count; ++i) out << a[i];
    return out;
  }
  ui::ScriptedInteraction talk;
};

TEST_F(PlayersTest, NamesFirstNamesAndLicencesFromEveryLineForm) {
  players(
      "MARTIN:Anne Marie 4567\r\n"
      "DURAND Paul 12 \\ ancien 99\r\n"
      "\r\n"
      "LEROY#Eve\n"
      "BLANC Luc\r\n"
      "  \r\n");
  LoadPlayers();
  ASSERT_EQ(PlayerCount, 4);
  EXPECT_EQ(column(PlayerNames, 4), QStringList({"BLANC Luc", "DURAND Paul", "LEROY Eve", "MARTIN Anne Marie"}));
  EXPECT_EQ(column(PlayerFirstNames, 4), QStringList({"Luc", "Paul", "Eve", "Anne Marie"}));
  // Players without a number get 1, 2 ... in sorted order.
  EXPECT_EQ(column(PlayerLicences, 4), QStringList({"1", "12", "2", "4567"}));
  EXPECT_EQ(PlayerLicences[5], "0");
  ASSERT_EQ(PlayerChoiceCount, 5);
  QStringList offered;
  for (int i = 1; i <= 5; ++i) offered << PlayerChoiceLines[i];
  EXPECT_EQ(offered, QStringList({"BLANC Luc", "BYE", "DURAND Paul", "LEROY Eve", "MARTIN Anne Marie"}));
  EXPECT_TRUE(talk.messages.isEmpty());
}

TEST_F(PlayersTest, AccentsInUtf8OrWindows1252SortInByteOrder) {
  players(
      "\xC3\x89LISE Marie 5\r\n"    // UTF-8 capital
      "\xC9MILE Jean 6\r\n"         // Windows-1252 capital
      "abel Ren\xC3\xA9 7\r\n"      // UTF-8 small
      "ZOLA Emile 8\r\n");
  LoadPlayers();
  ASSERT_EQ(PlayerCount, 4);
  EXPECT_EQ(column(PlayerNames, 4),
            QStringList({"ZOLA Emile", "abel René", "ÉLISE Marie", "ÉMILE Jean"}));
  QString text = QString::fromUtf8("B\xC3\x83\xC2\xA9" "B \xC3\x83\xE2\x80\xB0");  // "Ã©" and "Ã‰" read as 1252
  ConvertUtf8Accents(text);
  EXPECT_EQ(text, "BéB É");
}

TEST_F(PlayersTest, ForbiddenCharactersAreAllReplacedAndNamelessLinesSkipped) {
  players("A/B\xA3" "C/D 7\r\n12345\r\n");
  LoadPlayers();
  ASSERT_EQ(PlayerCount, 1);
  EXPECT_EQ(PlayerNames[1], "A_B_C_D");
  EXPECT_EQ(talk.messages,
            QStringList({"\"£\" détecté dans\r\nA/B£C/D 7\r\nDésolé, remplacé par \"_\"...",
                         "\"/\" détecté dans\r\nA/B_C/D 7\r\nDésolé, remplacé par \"_\"...",
                         "Pas de nom trouvé dans \"12345\". Ligne oubliée..."}));
}

// A UTF-8 players file may hold letters the tournament files cannot: the
// director is told which names, once, as the file is read.
TEST_F(PlayersTest, NamesTheFilesCannotKeepAreReportedWhenRead) {
  players("COHEN \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 5\r\nL\xC3\x89" "A Zo\xC3\xA9 6\r\n");
  LoadPlayers();
  ASSERT_EQ(PlayerCount, 2);
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_EQ(talk.messages[0].toStdString(),
            QStringLiteral("Attention! Les fichiers du tournoi ne peuvent pas garder certains caractères de ces noms "
                           "(JOUEURS.TXT); ils y deviendront des \"?\" (un blanc pour \"£\"). Écrivez-les autrement (en "
                           "lettres latines), SVP:\r\n\"COHEN \u05E9\u05DC\u05D5\u05DD\": \u05E9 \u05DC \u05D5 \u05DD")
                .toStdString());
}

TEST_F(PlayersTest, EmptyFirstNameOrMissingLicenceWithDevicesStopsTheProgram) {
  players("DUPONT: 5\r\n");
  EXPECT_THROW(LoadPlayers(), FatalStopError);
  EXPECT_EQ(talk.messages.last(), "Un prénon est vide dans la ligne \"DUPONT:\". Désolé, on arrête!");

  players("DUPONT Jean\r\nDURAND Paul\r\n");
  TableDevicesMode = TabletsMode = true;
  EXPECT_THROW(LoadPlayers(), FatalStopError);
  EXPECT_TRUE(talk.messages.last().startsWith("Il y a au moins un joueur sans numéro de licence (DUPONT Jean). Quand "));
}

TEST_F(PlayersTest, AThousandPlayersAreKeptInFileOrder) {
  QByteArray bytes;
  for (int i = 1001; i >= 1; --i) bytes += "JOUEUR " + QByteArray::number(i) + "\r\n";
  players(bytes);
  LoadPlayers();
  EXPECT_EQ(PlayerCount, 1000);
  EXPECT_EQ(PlayerChoiceCount, 1001);
  EXPECT_EQ(PlayerChoiceLines[1001], "JOUEUR");
  EXPECT_EQ(talk.messages, QStringList({"Il y a plus de 1000 joueurs dans JOUEURS.TXT: seuls les 1000premiers sont "
                                        "pris en compte..."}));
  // Licences 2..1001 were read (file order); 1 was the 1001st line.
  EXPECT_FALSE(column(PlayerLicences, 1000).contains("1"));
  EXPECT_TRUE(column(PlayerLicences, 1000).contains("1001"));
}

TEST_F(PlayersTest, PairsFileLinesWithoutSeparatorGetTheUnknownPlayer) {
  players("DUPONT Jean 1\r\n");
  pairs("MARTIN Anne\r\n\r\nDUPONT Jean/DURAND Paul\r\nA\xA3" "B/C\xA3" "D\r\n");
  LoadPlayers();
  EXPECT_TRUE(PairsFileAvailable);
  ASSERT_EQ(ChoiceListCount, 3);
  EXPECT_EQ(QStringList({ChoiceListItems[1], ChoiceListItems[2], ChoiceListItems[3]}),
            QStringList({"A_B/C_D", "DUPONT Jean/DURAND Paul", "MARTIN Anne/?"}));
  EXPECT_EQ(talk.messages.last(), "Il y a une ou plusieurs paires sans caractère de séparation (\"/\"), désolé, on "
                                  "ajoute le joueur inconnu \"?\"... ( MARTIN Anne)");

  QByteArray many;
  for (int i = 0; i < 101; ++i) many += "N" + QByteArray(1, char('A' + i % 26)) + "/S\r\n";
  pairs(many);
  LoadPlayers();
  EXPECT_EQ(ChoiceListCount, 100);
  EXPECT_EQ(talk.messages.last(), "Il y a plus de 100 paires dans PAIRES.TXT: désolé, on les oublie...");

  TableDevicesMode = TabletsMode = true;
  LoadPlayers();
  EXPECT_EQ(ChoiceListCount, 0);
  EXPECT_EQ(talk.messages.last(), "Le fichier de paires (PAIRES.TXT) n'est d'aucune utilité pour la version avec "
                                  "tablettes ou BridgeMates. Il n'est pas lu...");
}

}  // namespace
