#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "setup/ClubMembers.h"
#include "setup/Players.h"
#include "support/TestState.h"

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// A record as the club's other program writes it: control bytes between the
// fields (a 5 among them), "N" before the number, "N" after the first name
// and "A" before the surname.
QByteArray templateRecord() {
  QByteArray r(kMemberRecordSize, '\0');
  for (int i = 0; i < r.size(); ++i) r[i] = static_cast<char>((i * 7) % 20 + 1);
  r[23] = 'N';
  r[106] = 'N';
  r[226] = 'A';
  r[260] = 'Z';
  return r;
}

QByteArray member(const QByteArray& number, const QByteArray& first, const QByteArray& surname) {
  QByteArray r = templateRecord();
  r.replace(kMemberNumberOffset, 8, number.leftJustified(8, ' '));
  r.replace(kMemberFirstNameOffset, 12, first.leftJustified(12, ' '));
  r.replace(kMemberSurnameOffset, 18, surname.leftJustified(18, ' '));
  return r;
}

class ClubMembersTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ClubMode = true;
    PlayersFileName = "JOUEURS.TXT";
    members = programDir() + "Club.Members.DAT";
    writeBytes(programDir() + "MembersDAT.TXT", members.toUtf8() + "\r\n");
    // The club's scoring program, located once already.
    writeBytes(programDir() + "Tallyvane/Tallyvane.EXE", "");
    writeBytes(programDir() + "Tallyvane.TXT", (programDir() + "Tallyvane/Tallyvane.EXE\r\n").toUtf8());
  }
  QString members;
  QString players() const { return programDir() + "JOUEURS.TXT"; }
  ui::ScriptedInteraction talk;
};

TEST_F(ClubMembersTest, TheMembersFileRebuildsThePlayersFileAndKeepsEachRecordNumber) {
  writeBytes(members, member("7", "Anne", "MARTIN") + QByteArray(10, '\x01') + member("", "Jean", "DUPONT") +
                          member("12", "H\xE9l\xE8ne", "L'\xC9VEQUE"));
  RebuildClubPlayersFile();
  EXPECT_EQ(readBytes(players()), "DUPONT Jean 10000\r\nL'\xC9VEQUE H\xE9l\xE8ne 12\r\nMARTIN Anne 7\r\n");
  ASSERT_EQ(MemberCount, 3);
  EXPECT_EQ(MemberField1[2], "DUPONT");
  EXPECT_EQ(MemberRecordIndex[1], 1);
  EXPECT_EQ(MemberRecordIndex[3], 3);  // the records after the stray bytes

  ClubMode = false;
  RebuildClubPlayersFile();
  EXPECT_EQ(talk.messages, QStringList({"Désolé, uniquement au Bralmet!"}));
}

TEST_F(ClubMembersTest, AnAddedPlayerGoesToBothFilesAndOnlyItsFieldsChange) {
  const QByteArray first = member("1", "Anne", "MARTIN");
  writeBytes(members, first);
  writeBytes(players(), "MARTIN Anne 1");
  ASSERT_TRUE(AddClubPlayer(" Jean ", "ABCDEFGHIJKLMNOPQRSTUVWXY", "123 "));
  const QByteArray file = readBytes(members);
  ASSERT_EQ(file.size(), 2 * kMemberRecordSize);
  const QByteArray added = file.mid(kMemberRecordSize);
  EXPECT_EQ(added.mid(24, 8), "123     ");
  EXPECT_EQ(added.mid(93, 12), "Jean        ");
  EXPECT_EQ(added.mid(227, 18), "ABCDEFGHIJKLMNOPQR");
  // Every other byte is the template's, except that each 5 comes out as 0.
  const QByteArray model = templateRecord();
  ASSERT_EQ(model[12], '\x05');
  for (int i = 0; i < kMemberRecordSize; ++i) {
    if ((i >= 24 && i < 32) || (i >= 93 && i < 105) || (i >= 227 && i < 245)) continue;
    EXPECT_EQ(added[i], model[i] == '\x05' ? '\0' : model[i]) << "byte " << i;
  }
  EXPECT_EQ(file.left(kMemberRecordSize), first);  // the first record is left alone
  EXPECT_EQ(readBytes(players()), "MARTIN Anne 1\r\nABCDEFGHIJKLMNOPQRSTUVWXY Jean 123\r\n");
  EXPECT_EQ(PlayerNames[PlayerCount], "ABCDEFGHIJKLMNOPQRSTUVWXY Jean");

  // Refusals leave both files alone.
  const QByteArray before = readBytes(players());
  EXPECT_FALSE(AddClubPlayer(" ", "", "5"));
  EXPECT_FALSE(AddClubPlayer("Paul", "DURAND", "12a"));
  TableDevicesMode = true;
  EXPECT_FALSE(AddClubPlayer("Paul", "DURAND", ""));
  EXPECT_EQ(talk.messages, QStringList({"Il faut le prénom ou le nom.", "Numéro entier requis.", "Numéro obligatoire."}));
  EXPECT_EQ(readBytes(players()), before);
  EXPECT_EQ(readBytes(members), file);
}

TEST_F(ClubMembersTest, ACorrectionRewritesItsOwnRecordAndLine) {
  // The records start one byte late.
  const QByteArray file = "\x01" + member("1", "Anne", "MARTIN") + member("2", "H\xE9l\xE8ne", "DUPONT");
  writeBytes(members, file);
  writeBytes(players(), "DUPONT H\xE9l\xE8ne 2\r\nMARTIN Anne 1\r\n");
  EXPECT_FALSE(RewriteMemberRecord(0, "X", "Y", "1"));
  EXPECT_EQ(talk.messages, QStringList({"Index d'enregistrement hors limites pour " + members + " (numBD=0)."}));
  EXPECT_EQ(readBytes(members), file);

  MemberCount = 2;
  MemberField1[2] = "DUPONT", MemberField2[2] = QString::fromUtf8("Hélène"), MemberField3[2] = "2";
  MemberRecordIndex[2] = 2;
  ASSERT_TRUE(ModifyClubPlayer(2, "Jeanne ", QString::fromUtf8(" DUPONT-Élie"), "22"));
  QByteArray expected = file;
  expected.replace(1 + kMemberRecordSize, kMemberRecordSize, member("22", "Jeanne", "DUPONT-\xC9lie"));
  EXPECT_EQ(readBytes(members), expected);
  EXPECT_EQ(readBytes(players()), "DUPONT-\xC9lie Jeanne 22\r\nMARTIN Anne 1\r\n");
  EXPECT_EQ(MemberField1[2], QString::fromUtf8("DUPONT-Élie"));
}

TEST_F(ClubMembersTest, TheMembersFileIsAskedUntilOneIsChosenAndFeedsThePlayerList) {
  writeBytes(programDir() + "MembersDAT.TXT", "?\r\n");  // left by the options before any choice
  writeBytes(members, member("7", "Anne", "MARTIN") + member("8", "Jean", "DUPONT"));
  talk.answerCancel().answerText(programDir() + "joueurs.txt").answerText(members);
  LoadPlayers();
  EXPECT_EQ(talk.messages,
            QStringList({"Je ne trouve l'emplacement de votre fichier de joueurs dans Tallyvane. Vous allez pouvoir le "
                         "montrer (une fois pour toutes)...",
                         "Vous devez absolument sélectionner un fichier de type *Members.DAT !",
                         "Erreur : vous devez électionnez un fichier de type *Members.DAT..."}));
  EXPECT_EQ(talk.beeps, 3);
  EXPECT_EQ(readBytes(programDir() + "MembersDAT.TXT"), members.toUtf8() + "\r\n");
  ASSERT_EQ(PlayerCount, 2);
  EXPECT_EQ(PlayerNames[1], "DUPONT Jean");
  EXPECT_EQ(PlayerLicences[2], "7");

  // A cancelled choice in the members-file window keeps the file in force.
  SetMembersFileLocation("");
  EXPECT_EQ(MembersDatLocation, members);
}

}  // namespace
