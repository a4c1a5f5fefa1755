#include "core/DeviceFiles.h"

#include "core/Counts.h"
#include "core/ExchangeFiles.h"
#include "core/ExchangeLines.h"
#include "core/Globals.h"
#include "core/Notices.h"
#include "core/TournamentFileLines.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <sys/stat.h>

using namespace tournament_files;

void WriteRecoveryCounters() {
  if (TabletSharedFolder.isEmpty()) return;
  // The collection writes the counters at every tick: the file is written
  // again only when they changed (or when it went missing).
  static QString lastFile;
  static QString lastText;
  const QString file = TabletSharedFolder + QStringLiteral("/nPLAY_RECUP.TXT");
  const QString text =
      QStringLiteral("%1 %2 %3 %4\r\n").arg(PlayersNamed).arg(PlayersExpected).arg(ResultsEntered).arg(ResultSlotCount);
  if (file == lastFile && text == lastText && QFileInfo::exists(file)) return;
  RewriteWholeFile(file, text);
  lastFile = file;
  lastText = text;
}

void ResetCounters() {
  ResultsEntered = 0;
  PlayersNamed = 0;
  PlayersExpected = CountPlayersExpected();
  if (PairsEntered) PlayersNamed = PlayersExpected;
  ShowCounters();
}

QString PairNameFileName(int pairNumber) {
  // An E/W pair is -k here, ResultsPerBoard + k in the movement.
  const bool eastWest = pairNumber < 0;
  return exchange::PairNameFileName(eastWest ? ResultsPerBoard - pairNumber : pairNumber, eastWest, MitchellNumbering,
                                    ResultsPerBoard);
}

void WritePairNameFiles() {
  if (!TableDevicesMode || TabletSeriesFolder.isEmpty()) return;
  const QString folder = SeriesFolder() + u'/' + exchange::kPairNamesFolder + u'/';
  if (!TabletFolderIsReal(folder)) return;
  platform::makeFolder(folder);
  const int last = std::min(PairCount, kMaxPairs);
  for (int s = 1; s <= last; ++s)
    if (PairNumbers[s] != 0) RewriteWholeFile(folder + PairNameFileName(PairNumbers[s]), PairLabels[s]);
}

QString SeriesFolder() { return TabletSeriesFolder + QString::number(exchange::kEveningSeries); }

QString TableFolder(int table) { return SeriesFolder() + u'/' + exchange::TableFolderName(table); }

QString SettledBoardFile(int table, int board) {
  return TableFolder(table) + u'/' + exchange::SettledBoardFileName(board);
}

bool BoardSettled(int slot) {
  if (!TableDevicesMode || TabletSeriesFolder.isEmpty() || slot < 1 || slot > kMaxResultSlots) return false;
  const auto lines = platform::readRegularTextLines(SettledBoardFile(ResultTable[slot], ResultBoard[slot]),
                                                   exchange::kSettledBoardFileBytes);
  return lines && exchange::ParseSettledBoardFile(*lines);
}

bool TabletFolderIsReal(const QString& folder) {
  if (TabletSharedFolder.isEmpty()) return false;
  const QString root = QDir::cleanPath(platform::resolvePath(TabletSharedFolder));
  const QString path = QDir::cleanPath(platform::resolvePath(folder));
  if (path == root || !path.startsWith(root + u'/')) return true;
  // Entries already told about: once each.
  static QSet<QString> told;
  QString entry = root;
  for (const QString& part : path.mid(root.size() + 1).split(u'/', Qt::SkipEmptyParts)) {
    entry += u'/' + part;
    struct stat st {};
    if (::lstat(QFile::encodeName(entry).constData(), &st) != 0) return true;  // created as a folder when needed
    if (S_ISDIR(st.st_mode)) continue;
    if (!told.contains(entry)) {
      told.insert(entry);
      CallReferee(QStringLiteral("Le dossier ") + entry +
                  (S_ISLNK(st.st_mode) ? QStringLiteral(" des tablettes est un lien")
                                       : QStringLiteral(" des tablettes n'est pas un dossier")) +
                  QStringLiteral(": il est ignoré, rien n'y est lu ni écrit. Remplacez-le par un vrai dossier."));
    }
    return false;
  }
  return true;
}
