#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "scoring/Contract.h"
#include "support/TestState.h"

namespace {
const QString kInconsistent = QStringLiteral("Incohérence dans le contrat Caractères \"X, N, S, E, O\"...");
}

class ContractParserTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    CurrentBoard = 1;
  }
};

TEST_F(ContractParserTest, NormalisesTheTypedText) {
  struct Case {
    const char* typed;
    const char* built;
    char declarer;
  } cases[] = {
      {"4pcs", "4PXS=", 'S'},    {"3TSE+1", "3TXXE+1", 'E'}, {"2SS-1", "2SS-1", 'S'},  {"2SSS-1", "2SXXS-1", 'S'},
      {"3pxn+1", "3PXN+1", 'N'}, {"3SN", "3SN=", 'N'},       {"5KXXO-2", "5KXXO-2", 'O'}, {"3PS", "3PS=", 'S'},
      {"4PN-10", "4PN-10", 'N'}, {"1ke+6", "1KE+6", 'E'},
  };
  for (const Case& c : cases) {
    const ContractOutcome o = ParseContract(QString::fromUtf8(c.typed), 1);
    EXPECT_TRUE(o.valid()) << c.typed << ": " << o.error.toStdString();
    EXPECT_EQ(o.builtText, QString::fromUtf8(c.built)) << c.typed;
    EXPECT_EQ(o.declarer, QLatin1Char(c.declarer)) << c.typed;
  }
  // 2SS-1 is South's undoubled 2 NT down one; 2SSS-1 the same redoubled.
  EXPECT_EQ(ParseContract(QStringLiteral("2SS-1"), 1).score, -50);
  EXPECT_EQ(ParseContract(QStringLiteral("2SSS-1"), 1).score, -200);
  // Ten tricks down: a second digit 0 is a digit.
  EXPECT_EQ(ParseContract(QStringLiteral("4PN-10"), 1).score, -500);
}

TEST_F(ContractParserTest, RefusalsNameTheFirstFault) {
  struct Case {
    const char* typed;
    QString message;
    const char* built;
  } cases[] = {
      {"P3N=", QStringLiteral("Doit commencer par un chiffre..."), ""},
      {"03N=", QStringLiteral("Doit commencer par un chiffre..."), ""},
      {"8SN=", QStringLiteral("Chiffre entre 1 et 7!"), ""},
      {"3ZN=", QStringLiteral("Contrat doit être P/C/K/T/S!"), "3"},
      {"3P", kInconsistent, "3P"},
      {"3PQ=", kInconsistent, "3P"},
      {"3PX", kInconsistent, "3PX"},     // no declarer after the double
      {"3PXQ=", kInconsistent, "3PX"},   // a double followed by no seat
      {"3PXX=", kInconsistent, "3PXX"},  // redoubled, no seat
      {"3PC+1", kInconsistent, "3PX"},
      {"3PN*", QStringLiteral("+ - ou ="), "3PN"},
      {"3PN+", QStringLiteral("Un chiffre, SVP!"), "3PN+"},
      {"3PN+0", QStringLiteral("Un chiffre, SVP!"), "3PN+"},
      {"3PN-1x", QStringLiteral("Un second chiffre éventuellement, SVP..."), "3PN-1"},
      {"3PN-1xy", QStringLiteral("Un second chiffre éventuellement, SVP..."), "3PN-1"},
      {"3PN-123", QStringLiteral("Caractères en trop après le résultat!"), "3PN-12"},
      {"3PN=5", QStringLiteral("Caractères en trop après le résultat!"), "3PN="},
      {"3PN=x", QStringLiteral("Caractères en trop après le résultat!"), "3PN="},
      {"1SN+7", QStringLiteral("Nombre incorrect!"), "1SN+7"},
      {"1SN-8", QStringLiteral("Nombre incorrect!"), "1SN-8"},
      {"7SN-14", QStringLiteral("Nombre incorrect!"), "7SN-14"},
      {"", QStringLiteral("Chaîne vide dans \"Contract\"!"), ""},
  };
  for (const Case& c : cases) {
    const ContractOutcome o = ParseContract(QString::fromUtf8(c.typed), 1);
    EXPECT_EQ(o.error, c.message) << c.typed;
    EXPECT_EQ(o.score, -1) << c.typed;
    EXPECT_EQ(o.builtText, QString::fromUtf8(c.built)) << c.typed;
  }
  EXPECT_TRUE(ParseContract(QStringLiteral("7SN-13"), 1).valid());
  EXPECT_TRUE(ParseContract(QStringLiteral("1SN+6"), 1).valid());
}

TEST_F(ContractParserTest, WithConfirmRefusalsAreShownAfterOneBeep) {
  ui::ScriptedInteraction ui;
  EXPECT_EQ(ContractParser(QStringLiteral("3PXQ="), true), -1);
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("\"3PXQ=\"\r\n-> ") + kInconsistent});
  EXPECT_EQ(ui.beepsBefore(kInconsistent), 1);
  EXPECT_EQ(ContractTextBuilt, QStringLiteral("3PX"));
  EXPECT_TRUE(ui.choices.isEmpty());
}

TEST_F(ContractParserTest, WithoutConfirmNothingIsShown) {
  ui::ScriptedInteraction ui;
  EXPECT_EQ(ContractParser(QStringLiteral("3PN*"), false), -1);
  EXPECT_EQ(ContractParser(QStringLiteral("4PN="), false), 420);
  EXPECT_TRUE(ui.events.isEmpty());
}

TEST_F(ContractParserTest, AnEmptyTextIsRefusedWithoutStoppingTheProgram) {
  ui::ScriptedInteraction ui;
  EXPECT_EQ(ContractParser(QString(), false), -1);
  EXPECT_TRUE(ui.messages.isEmpty());
  EXPECT_EQ(ContractParser(QString(), true), -1);
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Chaîne vide dans \"Contract\"!")});
}

TEST_F(ContractParserTest, ConfirmationShowsTheScoreAndCancelGivesMinusOne) {
  ui::ScriptedInteraction ui;
  ui.answer(1).answer(0);
  CurrentBoard = 2;  // N/S vulnerable
  EXPECT_EQ(ContractParser(QStringLiteral("3sn"), true), 600);
  ASSERT_EQ(ui.choices.size(), 1);
  EXPECT_EQ(ui.choices[0].form, QStringLiteral("TForm60"));
  EXPECT_EQ(ui.choices[0].caption, QStringLiteral("Résultat"));
  EXPECT_EQ(ui.choices[0].text, QStringLiteral("3SN= : 600"));
  EXPECT_EQ(ChoiceResult, 1);
  EXPECT_EQ(ContractParser(QStringLiteral("4PXE-2"), true), -1);
  EXPECT_EQ(ui.choices[1].text, QStringLiteral("4PXE-2 : 300"));
  EXPECT_EQ(ChoiceResult, 0);
  EXPECT_EQ(ContractTextBuilt, QStringLiteral("4PXE-2"));
  EXPECT_EQ(DeclarerLetter, QLatin1Char('E'));
}

// A device import may parse its own contract while "Résultat" is open: what
// the director's parse returns and leaves for its caller is still its own.
class InterleavingInteraction : public ui::ScriptedInteraction {
 public:
  int choose(const ui::Choice& choice) override {
    CurrentBoard = 3;
    EXPECT_EQ(ContractParser(QStringLiteral("1TO="), false), -70);
    return ScriptedInteraction::choose(choice);
  }
};

TEST_F(ContractParserTest, AParseDuringTheConfirmationDoesNotLeakIntoTheResult) {
  InterleavingInteraction ui;
  ui.answer(1);
  CurrentBoard = 2;
  EXPECT_EQ(ContractParser(QStringLiteral("4CN="), true), 620);
  EXPECT_EQ(ContractTextBuilt, QStringLiteral("4CN="));
  EXPECT_EQ(DeclarerLetter, QLatin1Char('N'));
}

TEST_F(ContractParserTest, LevelDigitAndSuitLetter) {
  EXPECT_TRUE(ParseLevelDigit(QLatin1Char('9')));
  EXPECT_EQ(ContractLevel, 9);
  EXPECT_FALSE(ParseLevelDigit(QLatin1Char('0')));
  EXPECT_FALSE(ParseLevelDigit(QLatin1Char('a')));
  EXPECT_EQ(ContractLevel, 9);
  EXPECT_EQ(UpcaseSuitLetter(QLatin1Char('c')), QLatin1Char('C'));
  EXPECT_EQ(UpcaseSuitLetter(QLatin1Char('t')), QLatin1Char('T'));
  EXPECT_EQ(UpcaseSuitLetter(QLatin1Char('s')), QLatin1Char('s'));
  EXPECT_EQ(UpcaseSuitLetter(QLatin1Char('x')), QLatin1Char('x'));
}

TEST_F(ContractParserTest, DeclarerStoredWithAContract) {
  EntryByContracts = true;
  CurrentBoard = 1;
  ASSERT_EQ(ContractParser(QStringLiteral("4PXE-2"), false), 300);
  EXPECT_EQ(ResultDeclarerText(300, ContractTextBuilt), QStringLiteral("E"));
  EXPECT_EQ(ResultDeclarerText(0, QStringLiteral("PASSE")), QStringLiteral("?"));
  EXPECT_EQ(ResultDeclarerText(kScoreAdjusted, QStringLiteral("AJU.")), QStringLiteral("?"));
  EXPECT_EQ(ResultDeclarerText(kScoreAverage, QStringLiteral("MOY.")), QStringLiteral("?"));
  // A result without a contract text does not take the last contract's declarer.
  EXPECT_EQ(ResultDeclarerText(420, QString()), QStringLiteral("N"));
  // "S" after the strain redoubles; the declarer is the letter after it.
  EXPECT_EQ(ResultDeclarerText(-1040, QStringLiteral("3TSE+1")), QStringLiteral("E"));
  EXPECT_EQ(ResultDeclarerText(1000, QStringLiteral("3SSN=")), QStringLiteral("N"));
  EXPECT_EQ(ResultDeclarerText(-1000, QStringLiteral("3sso=")), QStringLiteral("O"));
}

TEST_F(ContractParserTest, DeclarerStoredWithANumber) {
  EntryByContracts = false;
  CurrentBoard = 1;  // nobody vulnerable
  // Codes and a passed-out board never name a declarer.
  EXPECT_EQ(ResultDeclarerText(0, QString()), QStringLiteral("?"));
  EXPECT_EQ(ResultDeclarerText(kScoreAverage, QString()), QStringLiteral("?"));
  EXPECT_EQ(ResultDeclarerText(kScoreAdjusted, QString()), QStringLiteral("?"));
  // 420 can only be a contract made by N/S; 50 only E/W one down.
  EXPECT_EQ(ResultDeclarerText(420, QString()), QStringLiteral("N"));
  EXPECT_EQ(ResultDeclarerText(50, QString()), QStringLiteral("E"));
  EXPECT_EQ(ResultDeclarerText(-420, QString()), QStringLiteral("E"));
  EXPECT_EQ(ResultDeclarerText(-100, QString()), QStringLiteral("N"));
  // 300 is a penalty of E/W and none of N/S's made contracts not vulnerable.
  EXPECT_EQ(ResultDeclarerText(300, QString()), QStringLiteral("E"));
  // 800 is N/S's 3 NT doubled made with 2 overtricks, or E/W 4 down doubled.
  EXPECT_EQ(ResultDeclarerText(800, QString()), QStringLiteral("?"));
}
