#include "devices/TabletFiles.h"

#include "core/DeviceFiles.h"
#include "core/ExchangeFiles.h"
#include "core/DealDiagrams.h"
#include "core/ExchangeLines.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/ResultsFolder.h"
#include "core/State.h"
#include "core/TournamentFileLines.h"
#include "devices/Companions.h"
#include "platform/FolderLock.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"
#include "setup/PairLookups.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>

using tournament_files::RewriteWholeFile;

namespace {

const QString kPlaceholder = QStringLiteral("Il n'y a pas encore d'affichage des resultats disponible.");

// The exchange folder emptied but for its lock file: the lock stays on the
// very file a second copy would open.
void emptyExchangeFolder() {
  const QString folder = platform::resolvePath(TabletSharedFolder);
  const QFileInfoList entries =
      QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  for (const QFileInfo& entry : entries)
    if (entry.fileName() != kExchangeLockFile) platform::deleteTree(entry.filePath());
  platform::makeFolder(TabletSharedFolder);
}

int adjustedPercentagesRound() {
  int round = PercentagesFromRound;
  if (round == 9999)
    round = RoundsPlayed % 2 == 1 ? RoundsPlayed / 2 + 1 : RoundsPlayed / 2;
  else
    round = std::min(std::max(round, 2), RoundsPlayed);
  return round;
}

// The table whose folder a Patton of an even number of tables does not use.
int unusedTable() { return IsPatton && TableCount % 2 == 0 ? TableCount : 0; }

// The movement and sit-out lines of the slotCount: MVT.TXT text per table and
// BYE.TXT text.
struct MovementFiles {
  std::array<QString, kMaxTables + 1> tables;
  QString byes;
};

const QString kCrLf = QStringLiteral("\r\n");

MovementFiles movementFiles() {
  MovementFiles files;
  const int perTable = std::max(BoardsPerTable, 1);
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int s = 1; s <= slotCount; ++s) {
    const int ns = ResultNsPair[s];
    const int ew = ResultEwPair[s];
    const int t = ResultTable[s];
    const int r = ResultRound[s];
    const int b = ResultBoard[s];
    if (ns == 0 && ew == 0 && t == 0) continue;
    const bool firstBoard = perTable == 1 || b % perTable == 1;
    const int set = (b + perTable - 1) / perTable;
    const bool tableKnown = t > 0 && t <= kMaxTables;
    const QString byeLine = exchange::ByeLineText({r, t, b, ns, ew}) + kCrLf;
    if (ns == 0 || ew == 0) {
      if (r == 0) continue;
      files.byes += byeLine;
      if (firstBoard && tableKnown) files.tables[t] += exchange::MovementLineText({r, 0, 0, 0, 0}) + kCrLf;
    } else if (IsByePairNumber(ns) || IsByePairNumber(ew)) {
      if (r == 0) continue;
      files.byes += byeLine;
      if (firstBoard && tableKnown)
        files.tables[t] += exchange::MovementLineText(
                               {r, t, IsByePairNumber(ns) ? 0 : ns, IsByePairNumber(ew) ? 0 : ew, set}) +
                           kCrLf;
    } else if (firstBoard && r <= RoundsPlayed && tableKnown) {
      files.tables[t] += exchange::MovementLineText({r, t, ns, ew, set}) + kCrLf;
    }
  }
  return files;
}

// The files both writers write: series, preferences, rounds, sit-outs and
// movement (existing folders are reused).
void writeMovementFiles() {
  RewriteWholeFile(TabletSharedFolder + QStringLiteral("/nSeries.TXT"), QStringLiteral("1\r\n"));
  const QString series = SeriesFolder();
  if (!TabletFolderIsReal(series)) return;
  platform::makeFolder(series);
  RewriteWholeFile(series + u'/' + exchange::kPrefsFile, TabletPrefsLine() + QStringLiteral("\r\n"));
  RewriteWholeFile(series + QStringLiteral("/nTours.TXT"), QStringLiteral("%1\r\n").arg(RoundsScheduled));
  const MovementFiles files = movementFiles();
  RewriteWholeFile(series + u'/' + exchange::kByeFile, files.byes);
  const int skipped = unusedTable();
  for (int t = 1; t <= std::min(TableCount, kMaxTables); ++t) {
    if (!TabletFolderIsReal(TableFolder(t))) continue;
    if (t == skipped) {
      platform::deleteTree(platform::resolvePath(TableFolder(t)));
      continue;
    }
    platform::makeFolder(TableFolder(t));
    RewriteWholeFile(TableFolder(t) + u'/' + exchange::kMovementFile, files.tables[t]);
  }
}

}  // namespace

QString TabletExchangeFolder() {
  QString documents;
  GetSpecialFolderPath(5, documents);
  return documents + QStringLiteral("/Quillmarke");
}

namespace {

// Consecutive failed reads of the files of the exchange folder, by path.
QHash<QString, int>& badReads() {
  static QHash<QString, int> counts;
  return counts;
}

// The files that could not be set aside, by path: never read again.
QSet<QString>& leftAlone() {
  static QSet<QString> paths;
  return paths;
}

}  // namespace

void RemoveTabletLeftovers() {
  const QString folder = TabletExchangeFolder();
  if (platform::folderExists(folder)) platform::removeLeftoverTemporariesBelow(folder);
}

std::optional<QString> ReadExchangeLine(const QString& path, QByteArray& bytes, int* error) {
  std::optional<QByteArray> read = platform::readRegularFile(path, kExchangeLineBytes, error);
  if (!read) return std::nullopt;
  bytes = std::move(*read);
  const QStringList lines = platform::splitLines(platform::decodeText(bytes));
  if (lines.isEmpty()) {
    if (error) *error = 0;
    return std::nullopt;
  }
  return lines.first();
}

std::optional<QString> ReadExchangeLine(const QString& path, int* error) {
  QByteArray bytes;
  return ReadExchangeLine(path, bytes, error);
}

std::optional<QStringList> ReadDiagramFileLines(const QString& path, int* error) {
  return platform::readRegularTextLines(path, kDiagramFileBytes, error);
}

void SetAside(const QString& path, const QString& refereeText, const QString& tail) {
  const QString aside = path + QStringLiteral(".BAD");
  platform::deleteFile(aside);
  if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) == 0) {
    CallReferee(refereeText + aside + tail);
  } else if (errno != ENOENT) {
    // Told once: the file is not read again.
    LeaveAlone(path, refereeText + path +
                         QStringLiteral(": il ne peut pas être renommé en \".BAD\" (erreur %1). Le fichier est laissé "
                                        "tel quel et n'est plus lu.")
                             .arg(errno));
  }
}

int SetAsideAfterBadReads(const QString& path, const QString& refereeText) {
  const int count = ++badReads()[path];
  if (count < kBadReadsBeforeSetAside) return count;
  badReads().remove(path);
  SetAside(path, refereeText, QStringLiteral(". Le fichier est ignoré."));
  return count;
}

bool IsLeftAlone(const QString& path) { return leftAlone().contains(path); }

bool LeaveAlone(const QString& path, const QString& refereeText) {
  if (leftAlone().contains(path)) return false;
  leftAlone().insert(path);
  CallReferee(refereeText);
  return true;
}

void ForgetBadReads(const QString& path) { badReads().remove(path); }

void ForgetAllBadReads() {
  badReads().clear();
  leftAlone().clear();
}

void SetTabletFolders() {
  TabletSharedFolder = TabletExchangeFolder();
  TabletSeriesFolder = TabletSharedFolder + u'/' + exchange::kSeriesFolderStem;
  TableFolderPath = SeriesFolder() + QStringLiteral("/Table");
  platform::makeFolder(TabletSharedFolder);
}

void ClearTabletFolder() {
  SetTabletFolders();
  emptyExchangeFolder();
}

bool LockExchangeFolder() {
  SetTabletFolders();
  const auto holder = platform::lockFolder(TabletSharedFolder, kExchangeLockFile);
  if (!holder) return true;
  ShowAlert(QStringLiteral("Une soirée avec tablettes ou BridgeMates tourne déjà sur le dossier d'échange ") +
            TabletSharedFolder + LockHolderText(*holder) +
            QStringLiteral(". Deux soirées sur le même dossier d'échange se prendraient leurs résultats: celle-ci ne "
                           "démarre pas. Terminez l'autre Talvaron, ou jouez ce tournoi sans appareils."));
  return false;
}

QString TabletPrefsLine() {
  PercentagesFromRound = adjustedPercentagesRound();
  QChar movement = u'H';
  if (IsPatton)
    movement = u'P';
  else if (MitchellNumbering)
    movement = u'M';
  QChar screen = u'N';
  if (platform::fileExists(ProgramFolder + QStringLiteral("MINIPCKT.TXT")))
    screen = u'S';
  else if (platform::fileExists(ProgramFolder + QStringLiteral("PCKT.TXT")))
    screen = u'Y';
  return exchange::PrefsLine({RoundsPlayed, DealCount, TableCount, BoardsPerTable, movement, MitchellType,
                              ByePresent, ByeNsPair, ByeEwPair, FederationMode, PairsEntered, RoundsShownCount,
                              PercentagesFromRound, EnterDealsAtTable, HerediaMovement != 0,
                              FederationMovementKind, screen, TabletPassword});
}

void WriteTabletSessionFiles() {
  platform::deleteFile(ProgramFolder + QStringLiteral("ADJUSTLIST.TXT"));
  if (FederationMode)
    SetTabletFolders();
  else
    ClearTabletFolder();
  platform::makeFolder(TabletSharedFolder);
  if (BoardsPerTable > 5)
    ShowAlert(QStringLiteral("Pour information, les écrans simplifiés de Quillmarke sur les tablettes ne seront pas "
                             "utilisés quand le nombre d'étuis par table est strictement plus grand que 5..."));
  writeMovementFiles();
  QStringList players;
  for (int p = 1; p <= std::min(PlayerCount, kMaxPlayers); ++p) players << PlayerFileLines[p];
  if (!PlayersFileName.isEmpty())
    RewriteWholeFile(TabletSharedFolder + '/' + QFileInfo(PlayersFileName).fileName(),
                     exchange::PlayersListCopy(players));
  for (const QString& name : {exchange::kRankingFile, exchange::kMergedRankingFile, QStringLiteral("SEANCE.TXT")})
    RewriteWholeFile(TabletSharedFolder + '/' + name, kPlaceholder + QStringLiteral("\r\n"));
  if (FederationMode) platform::makeFolder(DiagramFilesFolder());
}

void PrepareTabletServer() {
  SetTabletFolders();
  if (!platform::folderExists(DiagramFilesFolder())) emptyExchangeFolder();
  writeMovementFiles();
  if (!platform::fileExists(ProgramFolder + kTabletCompanionName)) {
    ui::interaction().beep();
    ui::interaction().showSystemMessage(
        QStringLiteral("Dans la version pour BridgeMates, le serveur \"TABLOSSE.EXE\" devrait être présent. Mettez-le "
                       "dans le même dossier que ce programme. On va malheureusemenr faire sans pour ce tournoi..."));
    return;
  }
  StartCompanionOrHalt(kTabletCompanionName, true);
}

int ImportTableCount() {
  if (TableCount > 0) return std::min(TableCount, kMaxTables);
  const int tables = HerediaMovement != 0 && BoardsPerTable > 0 ? DealCount / BoardsPerTable : PairSlotCount;
  return std::clamp(tables, 0, kMaxTables);
}
