#include "scoring/ResultFiles.h"

#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "core/PairsFile.h"
#include "core/SafeFiles.h"
#include "core/Texts.h"
#include "core/TournamentFileLines.h"
#include "core/TournamentFiles.h"
#include "platform/Cp1252.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"
#include "scoring/Ranking.h"
#include "scoring/RankingTable.h"
#include "scoring/ResultListings.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString Separator() { return TableDevicesMode ? QStringLiteral("$") : QString(); }

// Where the ranking files go: the tablets' folder, or the home folder.
QString RankingFilePath(const QString& name) {
  if (TableDevicesMode) return TabletSharedFolder + QLatin1Char('/') + name;
  return platform::driveRootFolder() + name;
}

// A pair's label for a file whose columns sep separates: a sep inside a name
// becomes a blank, or the tablets would read one column too many.
QString LabelForColumns(const QString& label, const QString& sep) {
  return sep.isEmpty() ? label : QString(label).replace(sep, QStringLiteral(" "));
}

// 8 wide with 2 decimals after rounding to 0.01; 8 "-" for 0 in matchpoints.
void AppendRankingScore(double value, QString& text) { AppendScoreColumn(RoundTo2Decimals(value) + 0.0, text); }

// 8 wide with 2 decimals; 8 "-" for 0 whatever the scoring.
void AppendTeamScore(int value, QString& text) {
  text += value == 0 ? QString(8, QLatin1Char('-')) : scoring::FixedText(value, 8, 2);
}

void AppendRows(QString& text, const std::vector<RankedRow>& rows, const QString& sep) {
  for (const RankedRow& row : rows) {
    QString line = row.text(RankingColumn::Place) + sep + row.text(RankingColumn::Pair) + sep + QLatin1Char(' ') +
                   FitToWidth(LabelForColumns(row.text(RankingColumn::Names), sep), 35) + sep;
    AppendRankingScore(row.value(RankingColumn::Score), line);
    text += line + kCrLf;
  }
}

int WholePercent(double value) { return static_cast<int>(std::nearbyint(value)); }

// Rewrites a file only when its bytes change: after one new result the other
// boards' files stay as they are, without the cost of a safe rewrite each.
// What stands in the tablets' folder under that name is read only when it is
// a regular file (never a link or a FIFO).
void RewriteWhenChanged(const QString& fileName, const QString& text) {
  tournament_files::RewriteFileIfChanged(fileName, platform::toCp1252(text));
}

}  // namespace

QString RankingFileText(bool merged, const QString& sep) {
  const RankingTable table = BuildRankingTable();
  QString text;
  if (merged) {
    text += sep + sep + QStringLiteral("Résultats fusionnés:") + kCrLf + kCrLf;
    AppendRows(text, table.rows(RankingList::Merged), sep);
  } else if (IsHowell) {
    AppendRows(text, table.rows(RankingList::Merged), sep);
  } else {
    text += sep + sep + QStringLiteral("Résultats N/S:") + kCrLf + kCrLf;
    AppendRows(text, table.rows(RankingList::NorthSouth), sep);
    text += kCrLf + sep + sep + QStringLiteral("Résultats E/W:") + kCrLf + kCrLf;
    AppendRows(text, table.rows(RankingList::EastWest), sep);
  }
  return text;
}

QString PattonRankingFileText(const QString& sep) {
  QString text;
  for (const TeamRow& team : RankedTeams()) {
    QString line = team.place + sep + QString::number(team.team) + sep + QLatin1Char(' ') + LabelForColumns(PairLabels[team.nsSlot], sep) + sep;
    AppendTeamScore(team.total, line);
    text += line + kCrLf + sep + sep + QLatin1Char(' ') + LabelForColumns(PairLabels[team.ewSlot], sep) + kCrLf;
  }
  return text;
}

QString BoardFileText(int board, bool reportEmpty) {
  QString text = QStringLiteral("Donne %1").arg(board) + kCrLf + kCrLf;
  if (ResultsPerBoard < 1) return text;
  const int first = (board - 1) * ResultsPerBoard + 1;
  const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
  int results = 0;
  for (int s = std::max(first, 1); s <= last; ++s) {
    const int score = ResultScore[s];
    if (score == kScoreNone) continue;
    ++results;
    const int ns = ResultNsPair[s];
    const int ew = ResultEwPair[s];
    if (ns == 0 || ew == 0) continue;
    if (score == kScoreAverage || score == kScoreAdjusted) {
      text += (score == kScoreAverage ? QStringLiteral("MOY") : QStringLiteral("AJU")) +
              QStringLiteral(" -- %1 -- %2 -- --").arg(ns).arg(ew) + kCrLf;
      continue;
    }
    const QString contract = ResultContract[s].isEmpty() ? QStringLiteral("?") : ResultContract[s];
    const QString pairs = QStringLiteral(" %1 %2 %3 %4")
                              .arg(ns)
                              .arg(WholePercent(ResultNsPercent[s]))
                              .arg(ew)
                              .arg(WholePercent(ResultEwPercent[s]));
    if (score == 0) {
      text += contract + QStringLiteral(" 0") + pairs + kCrLf;
    } else {
      const QString lead = ResultLead[s].isEmpty() ? QStringLiteral("?") : ResultLead[s];
      text += contract + QLatin1Char('/') + ResultDeclarer[s] + QLatin1Char(' ') + QString::number(score) + pairs +
              QLatin1Char(' ') + lead + kCrLf;
    }
  }
  if (results == 0 && reportEmpty) text += QStringLiteral("Aucun résultat introduit") + kCrLf;
  return text;
}

void WriteDeviceResultsFiles() {
  OneWinnerMitchell = IsHowell;
  tournament_files::RewriteWholeFile(RankingFilePath(QStringLiteral("RESULTS.TXT")), RankingFileText(false, Separator()));
}

void WriteMergedResultsFile() {
  OneWinnerMitchell = true;
  tournament_files::RewriteWholeFile(RankingFilePath(QStringLiteral("RESULTSF.TXT")), RankingFileText(true, Separator()));
}

void WritePattonResultsFile() {
  if (TableDevicesMode) platform::deleteFile(RankingFilePath(QStringLiteral("RESULTSF.TXT")));
  tournament_files::RewriteWholeFile(RankingFilePath(QStringLiteral("RESULTS.TXT")), PattonRankingFileText(Separator()));
}

void WriteResultFiles() {
  if (IsPatton) {
    WritePattonResultsFile();
    return;
  }
  WriteDeviceResultsFiles();
  WriteMergedResultsFile();
}

void WriteBoardFiles(bool reportEmpty) {
  if (!TableDevicesMode || (ImpScoring && !IsPatton)) return;
  const int last = std::min(DealCount, kMaxBoards);
  for (int b = 1; b <= last; ++b)
    RewriteWhenChanged(TabletSharedFolder + QStringLiteral("/DONNE%1.TXT").arg(b), BoardFileText(b, reportEmpty));
}

void WriteSessionFile() {
  if (TournamentCode.isEmpty()) return;
  const QString name = DataFolder + TournamentCode + QStringLiteral(".SEA");
  const int last = std::clamp(PairCount, 0, kMaxPairs);
  for (int i = 1; i <= last; ++i) {
    if (RankingOrder[i] > 0) continue;
    platform::deleteFile(name);
    ShowMessageWindow(QStringLiteral("Pour info: résultats non calculés ou tous à zéro! Fichier \"") + TournamentCode +
                      QStringLiteral(".SEA\" non sauvé! Les autres fichiers (PAI, VAR, DIA, ...) sont bien sauvés."));
    return;
  }
  QString text;
  bool first = true;
  const RankingTable table = BuildRankingTable();
  for (const RankedRow& row : table.rows(RankingList::Merged)) {
    text += QStringLiteral("0 ") + scoring::FixedText(row.value(RankingColumn::Score) + 0.0, 8, 4) + QStringLiteral(" 0 0 ") +
            row.text(RankingColumn::Player1) + QLatin1Char('/') + row.text(RankingColumn::Player2);
    if (first && ImpScoring) text += QStringLiteral("\\BUTLER");
    text += kCrLf;
    first = false;
  }
  tournament_files::RewriteWholeFile(name, text);
  if (TableDevicesMode && !TabletSharedFolder.isEmpty()) {
    const QString copy = TabletSharedFolder + QStringLiteral("/SEANCE.TXT");
    tournament_files::RewriteWholeFile(copy, text);
  }
}

void SaveTournamentAll() {
  SaveDatFile();
  SavePairsFile();
  SaveResults();
  WriteSessionFile();
}
