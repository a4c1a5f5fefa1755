#include "core/Globals.h"
#include "support/TestState.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

// Globals the hand-written reset of the tests used to miss, each left as a
// case would leave it: the reset between cases gives every one its
// declared value back.
TEST(Globals, TheResetBringsBackEveryDeclaredValue) {
  MemberCount = 12;
  MemberRecordIndex[3] = 7;
  OddTables = MitchellTypeRemembered = RoundsQuestionSilenced = true;
  XmlLines << QStringLiteral("<EVENT>");
  XmlFileName = QStringLiteral("/tmp/x.xml");
  LastBadResultFile = QStringLiteral("T3R2.txt");
  BadResultFileCount = 4;
  NameDisplayMode = 3;      // declared 1
  MixingPercent = 25;       // declared 10
  PercentagesFromRound = 2; // declared 9999
  BmLeadCard = true;
  ContractLevel = 5;
  DeclarerLetter = QLatin1Char('N');
  NsEditGrid.cell(1, 2) = QStringLiteral("DUPONT Jean");
  Form77Fields.director = QStringLiteral("M. Arbitre");
  CumulativeTitleLine = QStringLiteral("Résultats cumulés des tournois A B");
  ChoiceIndex = 4;
  PlayerChoiceLines[kMaxPlayers + 1] = QStringLiteral("BYE");
  MovementRowEw[kMaxMovementRows] = 9;
  StartDayOfWeek = 2;

  testing_support::resetGlobals();

  EXPECT_EQ(MemberCount, 0);
  EXPECT_EQ(MemberRecordIndex[3], 0);
  EXPECT_FALSE(OddTables || MitchellTypeRemembered || RoundsQuestionSilenced);
  EXPECT_TRUE(XmlLines.isEmpty());
  EXPECT_TRUE(XmlFileName.isEmpty());
  EXPECT_TRUE(LastBadResultFile.isEmpty());
  EXPECT_EQ(BadResultFileCount, 0);
  EXPECT_EQ(NameDisplayMode, 1);
  EXPECT_EQ(MixingPercent, 10);
  EXPECT_EQ(PercentagesFromRound, 9999);
  EXPECT_FALSE(BmLeadCard);
  EXPECT_EQ(ContractLevel, 0);
  EXPECT_TRUE(DeclarerLetter.isNull());
  EXPECT_TRUE(NsEditGrid.cell(1, 2).isEmpty());
  EXPECT_TRUE(Form77Fields.director.isEmpty());
  EXPECT_TRUE(CumulativeTitleLine.isEmpty());
  EXPECT_EQ(ChoiceIndex, 0);
  EXPECT_TRUE(PlayerChoiceLines[kMaxPlayers + 1].isEmpty());
  EXPECT_EQ(MovementRowEw[kMaxMovementRows], 0);
  EXPECT_EQ(StartDayOfWeek, 0);
}

// A global declared outside the one list would escape the reset: no header
// of the sources declares a variable of namespace scope but Globals.h.
TEST(Globals, NoHeaderButTheListDeclaresAGlobal) {
  const QRegularExpression variable(
      QStringLiteral(R"(^(?:inline|extern|static)\s+(?!constexpr\b|const\b|void\b)[\w:<>, ]+\s+[A-Za-z_]\w*\s*(?:=.*|\{.*\})?;\s*(?://.*)?$)"));
  QStringList found;
  int headers = 0;
  for (QDirIterator it(QStringLiteral(TALVARON_SOURCE_DIR), {QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
       it.hasNext();) {
    const QString path = it.next();
    if (path.endsWith(QLatin1String("/core/Globals.h"))) continue;
    ++headers;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    int number = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
      ++number;
      if (variable.match(QString::fromUtf8(line)).hasMatch()) found << path + QStringLiteral(":%1: ").arg(number) + line;
    }
  }
  EXPECT_GT(headers, 50);
  EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
  // The check itself sees a declaration.
  EXPECT_TRUE(variable.match(QStringLiteral("inline int MemberCount = 0;")).hasMatch());
  EXPECT_TRUE(variable.match(QStringLiteral("inline OneBased<int, kMaxPlayers> MemberRecordIndex;")).hasMatch());
  EXPECT_TRUE(variable.match(QStringLiteral("inline QString Name = QStringLiteral(\"x\");")).hasMatch());
  EXPECT_FALSE(variable.match(QStringLiteral("inline constexpr int kMaxPairs = 42;")).hasMatch());
  EXPECT_FALSE(variable.match(QStringLiteral("static int Count(const QString& text);")).hasMatch());
  EXPECT_FALSE(variable.match(QStringLiteral("inline const QString kResultsFolderLockFile = QStringLiteral(\"X\");")).hasMatch());
}

// The result slots are read under their names and written only through
// their owner: a writable name would let any file write a slot behind the
// store, the undo and the news.
template <typename Name>
constexpr bool kReadOnly = std::is_const_v<std::remove_reference_t<Name>>;
static_assert(kReadOnly<decltype(ResultNsPair)> && kReadOnly<decltype(ResultEwPair)> &&
              kReadOnly<decltype(ResultScore)> && kReadOnly<decltype(ResultRound)> &&
              kReadOnly<decltype(ResultTable)> && kReadOnly<decltype(ResultBoard)> &&
              kReadOnly<decltype(ResultSwapped)> && kReadOnly<decltype(ResultContract)> &&
              kReadOnly<decltype(ResultLead)> && kReadOnly<decltype(ResultDeclarer)> &&
              kReadOnly<decltype(ResultMatchpoints)> && kReadOnly<decltype(ResultNsPercent)> &&
              kReadOnly<decltype(ResultEwPercent)> && kReadOnly<decltype(ResultAdjustmentLogged)>);
static_assert(!kReadOnly<decltype(PairLabels)>);  // the check tells a writable global apart

}  // namespace
