#include "scoring/ResultFiles.h"

#include "core/DeviceFiles.h"
#include "core/ExchangeFiles.h"
#include "core/ExchangeLines.h"
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

// 8 wide with 2 decimals after rounding to 0.01; 8 "-" for 0 in matchpoints.
void AppendRankingScore(double value, QString& text) { AppendScoreColumn(RoundTo2Decimals(value) + 0.0, text); }

// 8 wide with 2 decimals; 8 "-" for 0 whatever the scoring.
void AppendTeamScore(int value, QString& text) {
  text += value == 0 ? QString(8, QLatin1Char('-')) : scoring::FixedText(value, 8, 2);
}

void AppendRows(QString& text, const std::vector<RankedRow>& rows, const QString& sep) {
  for (const RankedRow& row : rows) {
    QString score;
    AppendRankingScore(row.value(RankingColumn::Score), score);
    text += exchange::RankingRowLine({row.text(RankingColumn::Place), row.text(RankingColumn::Pair),
                                      FitToWidth(row.text(RankingColumn::Names), 35), score},
                                     sep) +
            kCrLf;
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
    text += exchange::RankingTitleLine(QStringLiteral("Résultats fusionnés:"), sep) + kCrLf + kCrLf;
    AppendRows(text, table.rows(RankingList::Merged), sep);
  } else if (IsHowell) {
    AppendRows(text, table.rows(RankingList::Merged), sep);
  } else {
    text += exchange::RankingTitleLine(QStringLiteral("Résultats N/S:"), sep) + kCrLf + kCrLf;
    AppendRows(text, table.rows(RankingList::NorthSouth), sep);
    text += kCrLf + exchange::RankingTitleLine(QStringLiteral("Résultats E/W:"), sep) + kCrLf + kCrLf;
    AppendRows(text, table.rows(RankingList::EastWest), sep);
  }
  return text;
}

QString PattonRankingFileText(const QString& sep) {
  QString text;
  for (const TeamRow& team : RankedTeams()) {
    QString score;
    AppendTeamScore(team.total, score);
    text += exchange::RankingRowLine({team.place, QString::number(team.team), PairLabels[team.nsSlot], score}, sep) +
            kCrLf + exchange::RankingSecondLine(PairLabels[team.ewSlot], sep) + kCrLf;
  }
  return text;
}

QString BoardFileText(int board, bool reportEmpty) {
  std::vector<exchange::FrequencyRow> rows;
  const int first = (board - 1) * ResultsPerBoard + 1;
  const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
  int results = 0;
  for (int s = std::max(first, 1); ResultsPerBoard >= 1 && s <= last; ++s) {
    const int score = ResultScore[s];
    if (score == kScoreNone) continue;
    ++results;
    const int ns = ResultNsPair[s];
    const int ew = ResultEwPair[s];
    if (ns == 0 || ew == 0) continue;
    if (score == kScoreAverage || score == kScoreAdjusted) {
      const QString word = score == kScoreAverage ? QStringLiteral("MOY") : QStringLiteral("AJU");
      rows.push_back({word, {}, {}, ns, {}, ew, {}, {}});
      continue;
    }
    rows.push_back({ResultContract[s].isEmpty() ? QStringLiteral("?") : ResultContract[s], ResultDeclarer[s], score, ns,
                    WholePercent(ResultNsPercent[s]), ew, WholePercent(ResultEwPercent[s]),
                    ResultLead[s].isEmpty() ? QStringLiteral("?") : ResultLead[s]});
  }
  return exchange::BoardFileContent(board, rows, results == 0 && reportEmpty && ResultsPerBoard >= 1);
}

void WriteDeviceResultsFiles() {
  OneWinnerMitchell = IsHowell;
  tournament_files::RewriteWholeFile(RankingFilePath(exchange::kRankingFile), RankingFileText(false, Separator()));
}

void WriteMergedResultsFile() {
  OneWinnerMitchell = true;
  tournament_files::RewriteWholeFile(RankingFilePath(exchange::kMergedRankingFile), RankingFileText(true, Separator()));
}

void WritePattonResultsFile() {
  if (TableDevicesMode) platform::deleteFile(RankingFilePath(exchange::kMergedRankingFile));
  tournament_files::RewriteWholeFile(RankingFilePath(exchange::kRankingFile), PattonRankingFileText(Separator()));
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
    RewriteWhenChanged(TabletSharedFolder + u'/' + exchange::BoardFileName(b), BoardFileText(b, reportEmpty));
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
