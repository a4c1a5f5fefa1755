#include "core/CardLetters.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/PairsAndBoards.h"
#include "core/PlayerNames.h"
#include "core/Questions.h"
#include "core/ScriptedInteraction.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Texts.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QLocale>

using testing_support::readBytes;
using testing_support::writeBytes;

class HelpersTest : public testing_support::TalvaronTest {};

TEST_F(HelpersTest, TextsAreTrimmedCollapsedAndFitted) {
  EXPECT_EQ(TrimText(QStringLiteral("\t  DUPONT Jean \r\n")), "DUPONT Jean");
  EXPECT_EQ(TrimText(QStringLiteral(" \t ")), "");
  EXPECT_EQ(CollapseBlanks(QStringLiteral("  DUPONT   Jean  ")), " DUPONT Jean ");
  EXPECT_EQ(FitToWidth(QStringLiteral("DUPONT"), 4), "DUPO");
  EXPECT_EQ(FitToWidth(QStringLiteral("LI"), 5), "LI   ");
  EXPECT_EQ(FitToWidth(QStringLiteral("LI"), 0), "");
  EXPECT_EQ(FitToWidth(QStringLiteral("LI"), -3), "");
}

TEST_F(HelpersTest, IntegersAreSignedDecimalDigitsWithin32Bits) {
  for (const char* yes : {"0", "12", "-3", "+7", "2147483647", "-2147483648", "007"})
    EXPECT_TRUE(IsInteger(QString::fromLatin1(yes))) << yes;
  for (const char* no : {"", "-", "+", "1.5", "12,0", "abc", " 5", "5 ", "1e3", "$1F", "2147483648", "-2147483649",
                         "99999999999999999999"})
    EXPECT_FALSE(IsInteger(QString::fromLatin1(no))) << no;
  EXPECT_FALSE(IsInteger(QStringLiteral("\u0663")));  // a digit of another script
}

TEST_F(HelpersTest, DecimalNumbersReadTheSameWhateverTheSeparatorAndLocale) {
  const QLocale saved;
  for (const QLocale& locale : {QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
    QLocale::setDefault(locale);
    bool ok = false;
    EXPECT_DOUBLE_EQ(ParseDecimalNumber(QStringLiteral("12,5"), &ok), 12.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(ParseDecimalNumber(QStringLiteral("12.5")), 12.5);
    EXPECT_DOUBLE_EQ(ParseDecimalNumber(QStringLiteral(" -0,75 ")), -0.75);
    EXPECT_DOUBLE_EQ(ParseDecimalNumber(QStringLiteral("63")), 63.0);
    for (const char* bad : {"", "abc", "1.2.3", "1,2.3", "inf", "nan", "12 5"}) {
      EXPECT_DOUBLE_EQ(ParseDecimalNumber(QString::fromLatin1(bad), &ok), 0.0) << bad;
      EXPECT_FALSE(ok) << bad;
    }
  }
  QLocale::setDefault(saved);
}

TEST_F(HelpersTest, SuitLettersOfAContractFollowTheSettings) {
  SuitLetters[1] = QLatin1Char('S');
  SuitLetters[2] = QLatin1Char('H');
  SuitLetters[3] = QLatin1Char('D');
  SuitLetters[4] = QLatin1Char('C');
  EXPECT_EQ(ApplySuitLetters(QStringLiteral("4PN=")), "4SN=");
  EXPECT_EQ(ApplySuitLetters(QStringLiteral("3CCE-2")), "3HCE-2");  // only the strain changes
  EXPECT_EQ(ApplySuitLetters(QStringLiteral("2KS+1")), "2DS+1");
  EXPECT_EQ(ApplySuitLetters(QStringLiteral("5TO=")), "5CO=");
  EXPECT_EQ(ApplySuitLetters(QStringLiteral("3SN+1")), "3SN+1");  // no trump
  EXPECT_EQ(ApplySuitLetters(QStringLiteral("PASSE")), "PASSE");
  EXPECT_EQ(ApplySuitLetters(QStringLiteral("4")), "4");
  EXPECT_EQ(ApplySuitLetters(QString()), "");
}

TEST_F(HelpersTest, PlayersFileLinesGiveNameAndLicence) {
  const QString line = QStringLiteral("DUPONT£Jean  12345 \\ 99 membre depuis 1990");
  EXPECT_EQ(ExtractPlayerName(line), "DUPONT Jean");
  EXPECT_EQ(ExtractLicenceNumber(line), "12345");
  EXPECT_EQ(ExtractPlayerName(QStringLiteral("DUPONT Jean 12345")), "DUPONT Jean");
  EXPECT_EQ(ExtractLicenceNumber(QStringLiteral("DUPONT Jean 12345")), "12345");
  EXPECT_EQ(ExtractLicenceNumber(QStringLiteral("LEGRAND Zoé")), "");
  EXPECT_EQ(ExtractPlayerName(QStringLiteral("\\ only a comment")), "");
}

TEST_F(HelpersTest, PairNumbersReadAsMitchellOrHowellNumbers) {
  TableCount = 7;
  ResultsPerBoard = 7;
  IsHowell = false;
  EXPECT_EQ(FormatPairNumber(9), "E2");
  EXPECT_EQ(FormatPairNumber(7), "N7");
  EXPECT_EQ(FormatPairNumber(8), "E1");
  IsHowell = true;
  EXPECT_EQ(FormatPairNumber(9), "9");
}

TEST_F(HelpersTest, ScoreColumnsAreEightWideWithDashesForAnEmptyMatchpointScore) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  QString text = QStringLiteral("|");
  AppendScoreColumn(12.5, text);
  AppendScoreColumn(0.0, text);
  AppendScoreColumn(-3.256, text);
  EXPECT_EQ(text, "|   12.50--------   -3.26");
  ImpScoring = true;
  text.clear();
  AppendScoreColumn(0.0, text);
  EXPECT_EQ(text, "    0.00");
  QLocale::setDefault(saved);
}

TEST_F(HelpersTest, MixingCountIsTruncatedThenMadeEven) {
  MixingPercent = 10;
  const std::pair<int, int> cases[] = {{15, 0}, {13, 0}, {20, 2}, {30, 2}, {39, 2}, {40, 4}, {0, 0}};
  for (const auto& [pairs, expected] : cases) {
    PairCount = pairs;
    EXPECT_EQ(ComputeMixingCount(), expected) << pairs << " pairs";
  }
  MixingPercent = 25;
  PairCount = 30;  // 7.5 -> 7 -> 6
  EXPECT_EQ(ComputeMixingCount(), 6);
}

TEST_F(HelpersTest, DealCountIsTheHighestBoardOfTheUsedSlots) {
  ResultSlotCount = 0;
  DealCount = 9;
  ComputeDealCount();
  EXPECT_EQ(DealCount, 0);
  ResultSlotCount = 6;
  const int boards[] = {1, 1, 3, 3, 2, 0};
  for (int s = 1; s <= 6; ++s) TestSlots().board[s] = boards[s - 1];
  TestSlots().board[7] = 40;  // beyond the used slots
  ComputeDealCount();
  EXPECT_EQ(DealCount, 3);
  ResultSlotCount = 5000;  // never reads past the slots
  ComputeDealCount();
  EXPECT_EQ(DealCount, 40);
}

TEST_F(HelpersTest, ByePairIsFoundOnEitherSide) {
  TableCount = 7;
  PairSlotCount = 14;
  for (int s = 1; s <= 14; ++s) PairLabels[s] = QStringLiteral("A - B");
  FindByePair();
  EXPECT_FALSE(ByePresent);
  EXPECT_EQ(ByePairNumber, 0);

  PairLabels[3] = QStringLiteral("BYE");
  PairLabels[12] = QStringLiteral("BYE");
  FindByePair();
  EXPECT_TRUE(ByePresent);
  EXPECT_EQ(ByeNsPair, 3);
  EXPECT_EQ(ByeEwPair, 0);
  EXPECT_EQ(ByePairNumber, 3);

  PairLabels[3] = QStringLiteral("bye");  // only the exact label counts
  FindByePair();
  EXPECT_EQ(ByeNsPair, 0);
  EXPECT_EQ(ByeEwPair, 12);
  EXPECT_EQ(ByePairNumber, 12);

  PairLabels[12] = QStringLiteral("X - Y");
  PairLabels[15] = QStringLiteral("BYE");  // beyond the pairs in play
  FindByePair();
  EXPECT_FALSE(ByePresent);
  EXPECT_EQ(ByeEwPair, 0);
}

TEST_F(HelpersTest, ByeReminderNamesThePairThatSitsOut) {
  TableCount = 7;
  MitchellNumbering = true;
  BridgeMatesMode = true;
  ByePresent = true;
  ByeNsPair = 3;
  ByePairNumber = 3;
  {
    ui::ScriptedInteraction script;
    RemindByePair();
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_EQ(script.messages[0],
              "N'oubliez pas de rappeler à la paire E/W 3 qu'ils ne jouent pas le premier tour (ils sont BYE) mais ils "
              "doivent quand même utiliser les Bridgemates et introduire leurs noms...");
  }
  BridgeMatesMode = false;
  ByeNsPair = 0;
  ByeEwPair = 12;
  ByePairNumber = 12;
  {
    ui::ScriptedInteraction script;
    RemindByePair();
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(script.messages[0].contains(QStringLiteral("à la paire N/S 5 qu'ils")));
    EXPECT_TRUE(script.messages[0].contains(QStringLiteral("utiliser les tablettes et")));
  }
  MitchellNumbering = false;
  {
    ui::ScriptedInteraction script;
    RemindByePair();
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(script.messages[0].contains(QStringLiteral("à la paire 12 qu'ils")));
  }
  {
    ui::ScriptedInteraction script;
    PairsEntered = true;
    RemindByePair();
    PairsEntered = false;
    ByePresent = false;
    RemindByePair();
    EXPECT_TRUE(script.messages.isEmpty());
  }
}

TEST_F(HelpersTest, DefaultPlayerNamesAreTheQuickCreationNames) {
  for (const char* yes : {"N1", "S3", "E8", "W21", "E42", "W42"}) EXPECT_TRUE(IsDefaultPlayerName(QString::fromLatin1(yes))) << yes;
  for (const char* no : {"", "N", "N0", "E43", "X3", "NORD", "N3A", "N-3", "n3", "N03", "BYE"})
    EXPECT_FALSE(IsDefaultPlayerName(QString::fromLatin1(no))) << no;
}

TEST_F(HelpersTest, FreeNamesStaySorted) {
  PlayerChoiceCount = 3;
  PlayerChoiceLines[1] = QStringLiteral("BYE");
  PlayerChoiceLines[2] = QStringLiteral("DUPONT Jean");
  PlayerChoiceLines[3] = QStringLiteral("MARTIN Luc");

  AddPlayerToList(QStringLiteral("N3"));  // a default name never becomes a player
  AddPlayerToList(QStringLiteral("E17"));
  AddPlayerToList(QStringLiteral("  "));
  EXPECT_EQ(PlayerChoiceCount, 3);

  AddPlayerToList(QStringLiteral("DURAND Paul"));
  AddPlayerToList(QStringLiteral("ADAM Eve"));
  ASSERT_EQ(PlayerChoiceCount, 5);
  EXPECT_EQ(PlayerChoiceLines[1], "ADAM Eve");
  EXPECT_EQ(PlayerChoiceLines[2], "BYE");
  EXPECT_EQ(PlayerChoiceLines[3], "DUPONT Jean");
  EXPECT_EQ(PlayerChoiceLines[4], "DURAND Paul");
  EXPECT_EQ(PlayerChoiceLines[5], "MARTIN Luc");

  AddPlayerToList(QStringLiteral("DUPONT Jean"));
  RemovePlayerFromList(QStringLiteral("DUPONT Jean"));  // every copy goes
  ASSERT_EQ(PlayerChoiceCount, 4);
  EXPECT_EQ(PlayerChoiceLines[3], "DURAND Paul");
  EXPECT_EQ(PlayerChoiceLines[4], "MARTIN Luc");
  EXPECT_EQ(PlayerChoiceLines[5], "");
  RemovePlayerFromList(QStringLiteral("NOBODY"));
  EXPECT_EQ(PlayerChoiceCount, 4);
}

TEST_F(HelpersTest, AFullListOfFreeNamesTakesNoMore) {
  // Room for every player of the list plus "BYE".
  const int full = kMaxPlayers + 1;
  PlayerChoiceCount = full;
  for (int i = 1; i <= full; ++i) PlayerChoiceLines[i] = QStringLiteral("P%1").arg(i, 4, 10, QLatin1Char('0'));
  AddPlayerToList(QStringLiteral("ZORRO"));
  EXPECT_EQ(PlayerChoiceCount, full);
  EXPECT_EQ(PlayerChoiceLines[full], "P1001");
}

TEST_F(HelpersTest, ListChooserOffersTrimmedLinesAndGivesTheChosenOne) {
  ChoiceListCount = 4;
  ChoiceListItems[1] = QStringLiteral("  DUPONT Jean/DURAND Paul ");
  ChoiceListItems[2] = QStringLiteral("   ");
  ChoiceListItems[3] = QStringLiteral("MARTIN Luc/MASSON Anne");
  ChoiceListItems[4] = QStringLiteral("LEGRAND Zoé/?");
  ui::ScriptedInteraction script;
  script.answer(2).answer(0);
  EXPECT_EQ(ChooseFromList(), "MARTIN Luc/MASSON Anne");
  EXPECT_EQ(ChoiceIndex, 2);
  EXPECT_EQ(TypedSearchText, "MARTIN Luc/MASSON Anne");
  ASSERT_EQ(script.lists.size(), 1);
  EXPECT_EQ(script.lists[0].form, "TForm82");
  EXPECT_EQ(script.lists[0].lines,
            QStringList({"DUPONT Jean/DURAND Paul", "MARTIN Luc/MASSON Anne", QStringLiteral("LEGRAND Zoé/?")}));
  EXPECT_EQ(ChooseFromList(), "");
  EXPECT_EQ(ChoiceIndex, 0);
  EXPECT_EQ(TypedSearchText, "");
}

TEST_F(HelpersTest, PairNameNeedsThePairsFileAndIsCutToFiftyCharacters) {
  ChoiceListCount = 1;
  ChoiceListItems[1] = QString(30, QLatin1Char('A')) + QLatin1Char('/') + QString(30, QLatin1Char('B'));
  {
    ui::ScriptedInteraction script;
    EXPECT_EQ(ChoosePairName(), "");
    EXPECT_EQ(script.messages, QStringList{"Fonction \"!%$?=@&\" non disponible, pas de fichier de paires (PAIRES.TXT)"});
    EXPECT_TRUE(script.lists.isEmpty());
  }
  writeBytes(programDir() + "paires.txt", "x/y\r\n");
  ui::ScriptedInteraction script;
  script.answer(1);
  EXPECT_EQ(ChoosePairName(), QString(30, QLatin1Char('A')) + QLatin1Char('/') + QString(19, QLatin1Char('B')));
  EXPECT_TRUE(script.messages.isEmpty());
}

TEST_F(HelpersTest, TextQuestionGivesTheAnswerOrEmptyWhenCancelled) {
  ui::ScriptedInteraction script;
  script.answerText(QStringLiteral("Cumul de décembre")).answerCancel();
  QString text = QStringLiteral("Tournoi cumulé du 07/12/2026");
  EXPECT_TRUE(AskForText(QStringLiteral("Nom de ce tournoi cumulé"), text));
  EXPECT_EQ(text, "Cumul de décembre");
  ASSERT_EQ(script.textQuestions.size(), 1);
  EXPECT_EQ(script.textQuestions[0].form, "TForm40");
  EXPECT_EQ(script.textQuestions[0].prompt, "Nom de ce tournoi cumulé");
  EXPECT_EQ(script.textQuestions[0].text, QStringLiteral("Tournoi cumulé du 07/12/2026"));
  EXPECT_FALSE(AskForText(QStringLiteral("Code de ce tournoi cumulé"), text));
  EXPECT_EQ(text, "");
}

TEST_F(HelpersTest, NonNegativeIntegerIsAskedUntilValid) {
  ui::ScriptedInteraction script;
  script.answerText("abc").answerText("-3").answerText("2.5").answerText(" 12 ");
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Valeur du panachage (en %):"), 10), 12);
  EXPECT_EQ(script.messages, QStringList({"Désolé, \"abc\" n'est pas un nombre entier!",
                                          "Désolé, \"-3\" n'est pas un nombre entier positif!",
                                          "Désolé, \"2.5\" n'est pas un nombre entier!"}));
  EXPECT_EQ(script.beepsBefore(QStringLiteral("\"-3\"")), 1);
  ASSERT_EQ(script.textQuestions.size(), 4);
  EXPECT_EQ(script.textQuestions[0].form, "TForm25");
  EXPECT_EQ(script.textQuestions[0].caption, "");
  EXPECT_EQ(script.textQuestions[0].text, "10");
  EXPECT_EQ(script.textQuestions[3].text, "10");

  script.answerText("").answerCancel().answerText("0");
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Introduction du tour numéro?"), -1), 0);
  EXPECT_EQ(script.textQuestions.last().text, "");
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Introduction du tour numéro?"), 3), 0);
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Introduction du tour numéro?"), 3), 0);
  EXPECT_EQ(script.messages.size(), 3);
  EXPECT_TRUE(script.allAnswered());
}

TEST_F(HelpersTest, PercentageIsAskedUntilAtMostAHundred) {
  ui::ScriptedInteraction script;
  script.answerText("101").answerText("-1").answerText("100").answerText("250").answerCancel();
  EXPECT_EQ(AskPercentage(QStringLiteral("Valeur du panachage (en %):"), 10), 100);
  EXPECT_EQ(AskPercentage(QStringLiteral("Valeur du panachage (en %):"), 10), 0);
  EXPECT_EQ(script.messages, QStringList({"Désolé, \"101\" n'est pas un pourcentage (de 0 à 100)!",
                                          "Désolé, \"-1\" n'est pas un nombre entier positif!",
                                          "Désolé, \"250\" n'est pas un pourcentage (de 0 à 100)!"}));
  EXPECT_TRUE(script.allAnswered());
}

TEST_F(HelpersTest, PbnCountMarkerIsWrittenAndDeleted) {
  SetPbnCountHidden(true);
  EXPECT_EQ(readBytes(programDir() + "MSG2.TXT"), QByteArray("Ne plus afficher le nombre d'\xE9tuis lus dans le PBN\r\n"));
  SetPbnCountHidden(false);
  EXPECT_FALSE(QFile::exists(programDir() + "MSG2.TXT"));
  SetPbnCountHidden(false);  // already gone
}

TEST_F(HelpersTest, SpecialFolderIsTheDocumentsFolderOnly) {
  QString path = QStringLiteral("old");
  EXPECT_TRUE(GetSpecialFolderPath(5, path));
  EXPECT_EQ(path, documentsDir());
  EXPECT_FALSE(GetSpecialFolderPath(7, path));
  EXPECT_EQ(path, "");
}

TEST_F(HelpersTest, SortAndRemoveReachTheLastLineOfAFullList) {
  const int full = PlayerChoiceLines.capacity;
  PlayerChoiceCount = full;
  for (int i = 1; i <= full; ++i) PlayerChoiceLines[i] = QStringLiteral("P%1").arg(full + 1 - i, 4, 10, QLatin1Char('0'));
  SortPlayerChoiceLines();
  EXPECT_EQ(PlayerChoiceLines[1], "P0001");
  EXPECT_EQ(PlayerChoiceLines[full], "P1001");
  RemovePlayerFromList(QStringLiteral("P1001"));
  EXPECT_EQ(PlayerChoiceCount, full - 1);
  EXPECT_EQ(PlayerChoiceLines[full], "");
}

// A typed name the files cannot keep whole is refused, saying which
// characters they would lose; what Windows-1252 holds ("é", "Œ", "€", "’")
// passes silently.
TEST_F(HelpersTest, TypedNamesTheFilesCannotKeepAreRefusedWithTheirCharacters) {
  ui::ScriptedInteraction talk;
  EXPECT_FALSE(RefuseTypedPlayerName(QStringLiteral("ŒUVRÉ d’Été 20€ ?")));
  EXPECT_TRUE(talk.messages.isEmpty());

  const auto refusal = [](const QString& name, const QString& characters) {
    return QStringLiteral("Désolé, les fichiers du tournoi ne peuvent pas garder ces caractères du nom \"") + name + "\": " +
           characters + QStringLiteral("\r\nIls y deviendraient des \"?\". Écrivez ce nom autrement (en lettres latines), SVP...");
  };
  // Hebrew: each letter once, in the order typed.
  const QString shalom = QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05E9");
  EXPECT_TRUE(RefuseTypedPlayerName(shalom));
  EXPECT_EQ(talk.messages.takeLast(), refusal(shalom, QStringLiteral("\u05E9 \u05DC \u05D5 \u05DD")));
  // An emoji is one character; a line separator is shown by its code.
  const QString mixed = QStringLiteral("DUPONT \U0001F600 Jean\u2028Luc \u0391");
  EXPECT_TRUE(RefuseTypedPlayerName(mixed));
  EXPECT_EQ(talk.messages.takeLast(), refusal(mixed, QStringLiteral("\U0001F600 U+2028 \u0391")));
  // The pairs file's separator keeps its own message.
  EXPECT_TRUE(RefuseTypedPlayerName(QStringLiteral("A£B")));
  EXPECT_EQ(talk.messages.takeLast(), QStringLiteral("Désolé, le caractère \"£\" ne peut pas faire partie d'un nom de joueur: \"A£B\""));
  EXPECT_TRUE(talk.messages.isEmpty());
}

// Names read from a file: one message for all those that lose characters,
// none when every name is kept.
TEST_F(HelpersTest, ImportedNamesThatLoseCharactersAreListedOnce) {
  ui::ScriptedInteraction talk;
  ReportNamesLosingCharacters({QStringLiteral("ÉMILE Zoé"), QStringLiteral("DUPONT Jean")}, QStringLiteral("JOUEURS.TXT"));
  EXPECT_TRUE(talk.messages.isEmpty());
  ReportNamesLosingCharacters({QStringLiteral("ÉMILE Zoé"), QStringLiteral("\u0645\u062D\u0645\u062F ALI"),
                               QStringLiteral("LÉA£MARC"), QStringLiteral("LI \u674E")},
                              QStringLiteral("FFBClubNet"));
  EXPECT_EQ(talk.messages,
            QStringList{QStringLiteral("Attention! Les fichiers du tournoi ne peuvent pas garder certains caractères de ces noms "
                                       "(FFBClubNet); ils y deviendront des \"?\" (un blanc pour \"£\"). Écrivez-les autrement "
                                       "(en lettres latines), SVP:\r\n"
                                       "\"\u0645\u062D\u0645\u062F ALI\": \u0645 \u062D \u062F\r\n"
                                       "\"LÉA£MARC\": £\r\n"
                                       "\"LI \u674E\": \u674E")});
}
