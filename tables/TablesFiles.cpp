#include "TablesFiles.h"

#include "core/ExchangeFiles.h"
#include "core/Globals.h"
#include "platform/TextFiles.h"


namespace tables {
namespace {

bool isWord(const QString& text) {
  return text == QLatin1String("MOY") || text == QLatin1String("MOY.") || text == QLatin1String("AJU") ||
         text == QLatin1String("AJU.") || text == QLatin1String("NOT PLAYED") || text == QLatin1String("PASSE");
}

bool isSeat(const QString& text) {
  return text == QLatin1String("N") || text == QLatin1String("E") || text == QLatin1String("S") ||
         text == QLatin1String("O");
}

// A name as two people may type it: small letters, no accents, single blanks.
QString foldedName(const QString& name) {
  QString out;
  for (const QChar c : name.simplified().normalized(QString::NormalizationForm_D))
    if (c.category() != QChar::Mark_NonSpacing) out += c.toCaseFolded();
  return out;
}

QString withoutLeadingZeros(const QString& licence) {
  QStringView v(licence);
  while (v.size() > 1 && v.front() == u'0') v = v.mid(1);
  return v.toString();
}

}  // namespace

PlayersIndex::PlayersIndex(const std::vector<ListedPlayer>& players) {
  for (const ListedPlayer& p : players) {
    if (!p.licence.isEmpty()) add(byLicence_, withoutLeadingZeros(p.licence), p);
    add(byName_, foldedName(p.name), p);
  }
}

void PlayersIndex::add(Entries& entries, const QString& key, const ListedPlayer& player) {
  const auto found = entries.constFind(key);
  if (found == entries.constEnd())
    entries.insert(key, player);
  else if (*found && ((*found)->licence != player.licence || (*found)->name != player.name))
    entries[key] = std::nullopt;  // two answer: the table must say which
}

std::optional<ListedPlayer> PlayersIndex::lookUp(const Entries& entries, const QString& key) {
  const auto found = entries.constFind(key);
  return found == entries.constEnd() ? std::nullopt : *found;
}

std::optional<ListedPlayer> PlayersIndex::find(const QString& licence, const QString& name) const {
  const QString typedLicence = licence.trimmed();
  if (!typedLicence.isEmpty()) return lookUp(byLicence_, withoutLeadingZeros(typedLicence));
  const QString typedName = foldedName(name);
  return typedName.isEmpty() ? std::nullopt : lookUp(byName_, typedName);
}

QString ValueOfResultText(const QString& text) { return ResultValue(ReadResultText(text)); }

QString ValueOfEcho(const EchoLine& echo) {
  const QString contract = echo.contract.toUpper();
  if (contract.isEmpty() || contract == QLatin1String("DELETE")) return {};
  if (isWord(contract) || contract.contains(QLatin1String(" - ")) || !isSeat(echo.declarer)) return contract;
  return echo.declarer + u' ' + contract;
}

std::optional<QString> NormalisedLead(const QString& raw) {
  const QString text = raw.trimmed().toUpper();
  if (text.size() < 2 || !QStringLiteral("PCKT").contains(text.back())) return std::nullopt;
  QString rank = text.chopped(1);
  const bool known = rank == QLatin1String("10") ||
                     (rank.size() == 1 && (QStringLiteral("ARDVX").contains(rank[0]) || (rank[0] >= u'2' && rank[0] <= u'9')));
  if (!known) return std::nullopt;
  if (rank == QLatin1String("X")) rank = QStringLiteral("x");  // a small card
  return rank + text.back();
}

QString ExchangeFolder::seriesFolder() const { return root_ + u'/' + exchange::SeriesFolderName(); }
QString ExchangeFolder::tableFolder(int table) const { return seriesFolder() + u'/' + exchange::TableFolderName(table); }
QString ExchangeFolder::prefsFile() const { return seriesFolder() + u'/' + exchange::kPrefsFile; }
QString ExchangeFolder::movementFile(int table) const { return tableFolder(table) + u'/' + exchange::kMovementFile; }
QString ExchangeFolder::byeFile() const { return seriesFolder() + u'/' + exchange::kByeFile; }
QString ExchangeFolder::echoFile(int table, int board) const {
  return tableFolder(table) + u'/' + exchange::KeptEchoFileName(board);
}
QString ExchangeFolder::resultFile(int table, int board) const {
  return tableFolder(table) + u'/' + exchange::ResultFileName(board);
}
QString ExchangeFolder::playersFile(int table) const { return tableFolder(table) + u'/' + exchange::kTablePlayersFile; }
QString ExchangeFolder::settledFile(int table, int board) const {
  return tableFolder(table) + u'/' + exchange::SettledBoardFileName(board);
}
QString ExchangeFolder::boardFile(int board) const { return root_ + u'/' + exchange::BoardFileName(board); }
QString ExchangeFolder::rankingFile() const { return root_ + u'/' + exchange::kRankingFile; }
QString ExchangeFolder::holdersFile() const { return root_ + u'/' + exchange::kHoldersFile; }
QString ExchangeFolder::takeoverLog() const { return root_ + QStringLiteral("/REPRISES.LOG"); }
QString ExchangeFolder::analysisFile() const {
  return root_ + u'/' + exchange::kDiagramsFolder + u'/' + exchange::kAnalysisCopyFile;
}

QString ExchangeFolder::diagramFile(int board) const {
  return root_ + u'/' + exchange::kDiagramsFolder + u'/' + exchange::DiagramFileName(board);
}

QString ExchangeFolder::pairNameFile(int pair, bool eastWest, const Prefs& prefs) const {
  return seriesFolder() + u'/' + exchange::kPairNamesFolder + u'/' +
         exchange::PairNameFileName(pair, eastWest, prefs.mitchellNumbering(), prefs.tableCount);
}

QString ExchangeFolder::playersListFile() const {
  for (const QString& name : {exchange::kOldPlayersListFile, exchange::kPlayersListFile}) {
    const QString path = root_ + u'/' + name;
    if (platform::fileExists(path)) return path;
  }
  return {};
}

std::optional<QStringList> ReadExchangeLines(const QString& path, qsizetype maxBytes) {
  if (path.isEmpty()) return std::nullopt;
  return platform::readRegularTextLines(path, maxBytes);
}

QString ReadExchangeText(const QString& path) {
  const auto lines = ReadExchangeLines(path, 4096);
  return lines ? lines->join(u' ').trimmed() : QString();
}

void WriteExchangeLine(const QString& path, const QString& line) {
  platform::TextWriter writer;
  writer.open(path, platform::WriteMode::Rewrite);
  writer.writeLine(line);
  writer.close();
}

}  // namespace tables
