#include "scoring/ResultListings.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "core/Printing.h"
#include "core/SafeFiles.h"
#include "core/Texts.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"
#include "scoring/Ranking.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <cmath>

namespace {

const QChar kBlank = QLatin1Char(' ');

QString Blanks(int count) { return QString(std::max(count, 0), kBlank); }
QString RightAligned(const QString& text, int width) { return text.rightJustified(width, kBlank, false); }
QString Rule(int count, char c) { return QString(count, QLatin1Char(c)); }

// Blanks appended up to width; a longer text is left as it is.
void PadToColumn(int width, QString& text) {
  if (text.size() < width) text += Blanks(width - static_cast<int>(text.size()));
}

QString ScoreText(double value, int decimals) { return RankingScoreText(value, decimals); }

QString NowText() { return platform::now().toString(QStringLiteral("HH:mm:ss")); }

bool ShowsMixing() { return MitchellNumbering && !ImpScoring && ComputeMixingCount() > 0; }

// --- Results window ---------------------------------------------------------

void AppendWindowList(QStringList& memo, const std::vector<RankedRow>& rows) {
  for (const RankedRow& row : rows) {
    QString line = row.text(RankingColumn::Place);
    PadToColumn(7, line);
    line += row.text(RankingColumn::Pair);
    PadToColumn(14, line);
    line += row.text(RankingColumn::Names).left(49);
    PadToColumn(67, line);
    memo << line + row.text(RankingColumn::Score);
  }
}

QString WindowHeader(const QString& first, const QString& last) {
  QString header = first;
  PadToColumn(14, header);
  header += QStringLiteral("Joueurs");
  PadToColumn(67, header);
  return header + last;
}

// --- Printed listings and Documents files -----------------------------------

// Two files written line by line together: the printout and its copy.
struct Outputs {
  TextFile* print = nullptr;
  TextFile* copy = nullptr;
  void line(const QString& text = {}) const {
    if (print) print->writeLine(text);
    if (copy) copy->writeLine(text);
  }
};

void WriteDocumentsHead(TextFile& file, const QStringList& lines) {
  file.writeLine();
  file.writeLine(PrintoutClubLine());
  for (const QString& l : lines) file.writeLine(l);
  file.writeLine(Rule(75, '_'));
  file.writeLine();
}

QString ListingHeader(const QString& first, const QString& last) {
  return first + Blanks(10) + RightAligned(QStringLiteral("Joueurs"), 10) + Blanks(30) + RightAligned(last, 15);
}

QString ScoreHeading() { return ImpScoring ? QStringLiteral("VPs") : QStringLiteral("Pourcentage"); }

// The label cut to 50 characters and dotted to column 57.
QString DottedLabel(const QString& label) {
  const QString cut = label.left(50);
  return cut + QString(57 - static_cast<int>(cut.size()), QLatin1Char('.'));
}

QString MergedTitle() {
  QString title = QStringLiteral("Résultats ");
  if (ShowsMixing()) title += QStringLiteral("(panachage des %1 premiers)").arg(ComputeMixingCount());
  return title;
}

void WriteTitle(const Outputs& out, const QString& title, int dashes) {
  out.line(title);
  out.line(Rule(dashes, '-'));
  out.line();
}

void WriteListingHeader(const Outputs& out) {
  out.line(ListingHeader(QStringLiteral("Place Numéro"), ScoreHeading()));
  out.line(Rule(77, '-'));
}

// The rows of one list; the printout's score follows the scoring, the
// Documents file always has 2 decimals.
void WriteListingRows(const Outputs& out, const std::vector<RankedRow>& rows) {
  for (const RankedRow& row : rows) {
    const QString head = RightAligned(row.text(RankingColumn::Place), 4) + RightAligned(row.text(RankingColumn::Pair), 6) +
                         Blanks(2) + DottedLabel(row.text(RankingColumn::Names));
    if (out.print) out.print->writeLine(head + row.text(RankingColumn::Score));
    if (out.copy) out.copy->writeLine(head + ScoreText(row.value(RankingColumn::Score), 2));
  }
}

// 1 (always) or 2 (never) from "SautAutomatique.TXT", else the director's
// answer; 1 means a page break between the N/S and the E/W lists.
int PageBreakChoice() {
  const QString name = ProgramFolder + QStringLiteral("SautAutomatique.TXT");
  if (const auto lines = platform::tryReadTextLines(platform::resolvePath(name))) {
    const QString value = lines->isEmpty() ? QString() : lines->first().trimmed();
    if (IsInteger(value)) return value.toInt();
    ShowAlert(QStringLiteral("Contenu de SautAutomatique.TXT corrompu! On suppose 1 = saut automatique lors de "
                             "l'impression des résultats N/S et E/W...!"));
    return 1;
  }
  return ui::Ask({.form = forms::PageBreak,
                  .caption = QStringLiteral("Sauts de page"),
                  .buttons = {QStringLiteral("&Impression \"continue\": ne jamais faire de sauts de page "),
                              QStringLiteral("&Toujours faire un saut de page automatique entre les N/S et E/W ")},
                  .codes = {2, 1},
                  .cancelCode = 0});
}

}  // namespace

// --- Ranking lists ------------------------------------------------------------

std::vector<RankedRow> RankedRows(RankingList list) {
  const RankingTable table = BuildRankingTable();
  return table.rows(list);
}

std::vector<TeamRow> RankedTeams() {
  std::vector<TeamRow> teams;
  const int count = std::clamp(PairSlotCount / 2, 0, kMaxPairs / 2);
  for (int t = 1; t <= count; ++t) {
    const int nsSlot = FindPairSlot(t);
    const int ewSlot = FindPairSlot(t + count);
    if (nsSlot == 0 || ewSlot == 0) continue;
    const int total = static_cast<int>(std::nearbyint(PairFinalScore[t] + PairFinalScore[t + count]));
    teams.push_back({t, nsSlot, ewSlot, total, {}});
  }
  // The pairs' ordering rule, so that 50, 50, 60 orders teams as it orders pairs.
  const std::vector<int> order = RankByScore(static_cast<int>(teams.size()),
                                             [&](int k) { return teams[static_cast<std::size_t>(k - 1)].total; });
  std::vector<TeamRow> ranked;
  for (std::size_t i = 1; i < order.size(); ++i) {
    ranked.push_back(teams[static_cast<std::size_t>(order[i] - 1)]);
    const std::size_t n = ranked.size();
    ranked.back().place = n > 1 && ranked[n - 1].total == ranked[n - 2].total ? QStringLiteral("==") : QString::number(n);
  }
  return ranked;
}

// --- Results window -------------------------------------------------------------

ResultsView PairResultsView() {
  ResultsView view;
  view.merged = OneWinnerMitchell || IsHowell || CumulativeMode;
  if (ImpScoring)
    view.label3 = QStringLiteral("( Formule Butler )");
  else if (AutoVentilation)
    view.label3 = QStringLiteral("(Fréquences ventilées)");
  else
    view.label3 = QStringLiteral("(Calcul comme à la main)");
  view.label4 = TournamentName + kBlank + NowText() + QStringLiteral(" (") + TournamentCode + QLatin1Char(')');
  if (view.merged) {
    view.label1 = QStringLiteral("Résultats ");
    view.memo1 << (ShowsMixing() ? QStringLiteral("(Panachage des %1 premiers)").arg(ComputeMixingCount()) : QString());
    if (CumulativeMode) view.memo1.last() = CumulativeTitleLine;
  } else {
    view.label1 = QStringLiteral("Résultats N/S");
    view.label2 = QStringLiteral("Résultats E/W");
  }
  view.memo1 << QString();
  view.memo2 << QString();
  const QString header = WindowHeader(QStringLiteral("Place Numéro"), ImpScoring ? QStringLiteral("      VPs") : QStringLiteral("Pourcentage"));
  view.memo1 << header << Rule(79, '-');
  if (!view.merged) view.memo2 << header << Rule(79, '-');
  const RankingTable table = BuildRankingTable();
  AppendWindowList(view.memo1, table.rows(view.merged ? RankingList::Merged : RankingList::NorthSouth));
  if (!view.merged) AppendWindowList(view.memo2, table.rows(RankingList::EastWest));
  return view;
}

ResultsView PattonResultsView() {
  ResultsView view;
  view.patton = true;
  view.label1 = QStringLiteral("Résultats");
  view.label3 = QStringLiteral("( Formule PATTON )");
  view.label4 = TournamentCode + kBlank + DateText + kBlank + NowText();
  view.memo1 << QString();
  view.memo2 << QString();
  view.memo1 << WindowHeader(QStringLiteral("Place Equipe"), QStringLiteral("IMPs totauxs")) << Rule(79, '-');
  for (const TeamRow& team : RankedTeams()) {
    QString line = team.place;
    PadToColumn(7, line);
    line += QString::number(team.team);
    PadToColumn(14, line);
    line += PairLabels[team.nsSlot];
    PadToColumn(67, line);
    line += QString::number(team.total);
    view.memo1 << line << Blanks(14) + PairLabels[team.ewSlot] << QString();
  }
  return view;
}

void ShowPairResults() {
  if (IsHowell || CumulativeMode) {
    OneWinnerMitchell = true;
  } else {
    const int answer = scoring::AskOneOfTwo(forms::ShownResultsLayout, QStringLiteral("Affichage"),
                                            QStringLiteral("Affichage des résultats"), QStringLiteral("&Séparés"),
                                            QStringLiteral("&Fusionnés"));
    if (answer == 0) return;
    OneWinnerMitchell = answer == 2;
  }
  const ResultsView view = PairResultsView();
  if (flowWindows().showResults) flowWindows().showResults(view);
}

void ShowPattonResults() {
  const ResultsView view = PattonResultsView();
  if (flowWindows().showResults) flowWindows().showResults(view);
}

// --- Printed listings ---------------------------------------------------------

void WriteScoreToPrintFile(double value) { PrintFileWriter.write(ScoreText(value, ImpScoring ? 0 : 2)); }

void PrintPairResults(bool askLayout) {
  QString info;
  if (!CumulativeMode) {
    if (IsHowell) {
      OneWinnerMitchell = true;
    } else if (askLayout) {
      const int answer = scoring::AskOneOfTwo(forms::PrintedResultsLayout, QStringLiteral("Impression"),
                                              QStringLiteral("Impression des résultats"), QStringLiteral("&Séparés"),
                                              QStringLiteral("&Fusionnés"));
      if (answer == 0) return;
      OneWinnerMitchell = answer == 2;
    }
    const QString offered = QStringLiteral("Fin du tournoi");
    info = ui::interaction()
               .askText({.form = forms::PrintedResultsInfo,
                         .caption = QStringLiteral("Question"),
                         .prompt = QStringLiteral("Message informatif pour ces résultats?"),
                         .text = offered})
               .value_or(offered);
  } else {
    TournamentName = QStringLiteral("Cumul du ") + DateDay + QLatin1Char('/') + DateMonth + QLatin1Char('/') + DateYear;
  }
  const bool merged = OneWinnerMitchell || IsHowell || CumulativeMode;

  BeginTempPrintout();
  scoring::PrintoutGuard guard;
  TextFile copy;
  SafeRewrite(copy, ResultsTextFile);
  QString method = QStringLiteral("--> Calculs comme à la main");
  int column = 50;
  if (ImpScoring) {
    method = QStringLiteral("--> Formule Butler");
  } else if (AutoVentilation) {
    method = QStringLiteral("--> Avec fréquences ventilées");
    column = 40;
  }
  WriteDocumentsHead(copy, {QString(), QString(), method, QString(), QString()});
  const Outputs out{&PrintFileWriter, &copy};
  if (CumulativeMode)
    out.line(info + CumulativeTitleLine);
  else
    out.line(info + Blanks(column - static_cast<int>(info.size())) + method);
  out.line();
  if (!CumulativeMode) WriteTitle(out, merged ? MergedTitle() : QStringLiteral("Résultats N/S"), merged ? 9 : 13);
  const RankingTable table = BuildRankingTable();
  WriteListingHeader(out);
  WriteListingRows(out, table.rows(merged ? RankingList::Merged : RankingList::NorthSouth));
  if (!merged) {
    if (PageBreakChoice() == 1) out.line(QString(QChar(12)));
    out.line();
    WriteTitle(out, QStringLiteral("Résultats E/W"), 13);
    WriteListingHeader(out);
    WriteListingRows(out, table.rows(RankingList::EastWest));
  }
  CloseTextFile(copy);
  CloseTextFile(PrintFileWriter);
  // Nothing goes to the tablets: their "RESULTS.TXT" keeps the layout their
  // server reads, and every computation has already written it.
  PrintTextFile(PrintFile, true, QStringLiteral("resultats"));
}

void PrintPattonResults() {
  BeginTempPrintout();
  scoring::PrintoutGuard guard;
  TextFile copy;
  SafeRewrite(copy, ResultsTextFile);
  WriteDocumentsHead(copy, {QString(), QString(), QString(), QString()});
  const Outputs out{&PrintFileWriter, &copy};
  out.line();
  out.line();
  out.line(QStringLiteral("Résultats du tournoi PATTON"));
  out.line();
  PrintFileWriter.writeLine(ListingHeader(QStringLiteral("Place Equipe"), QStringLiteral("IMPs totauxs")));
  copy.writeLine(ListingHeader(QStringLiteral("Place Equipe"), QStringLiteral("IMPs totaux")));
  out.line(Rule(77, '-'));
  for (const TeamRow& team : RankedTeams()) {
    const QString head = RightAligned(team.place, 4) + RightAligned(QString::number(team.team), 6) + Blanks(2) +
                         DottedLabel(PairLabels[team.nsSlot]);
    PrintFileWriter.write(head);
    WriteScoreToPrintFile(team.total);
    PrintFileWriter.writeLine();
    copy.writeLine(head + ScoreText(team.total, 2));
    out.line(Blanks(12) + DottedLabel(PairLabels[team.ewSlot]));
  }
  CloseTextFile(copy);
  CloseTextFile(PrintFileWriter);
  PrintTextFile(PrintFile, true, QStringLiteral("resultats"));
}

void WriteResultsFile(bool merged) {
  TextFile file;
  SafeRewrite(file, merged ? ResultsFTextFile : ResultsTextFile);
  WriteDocumentsHead(file, {QString(), QString()});
  QString info = QStringLiteral("Fin du tournoi");
  if (ImpScoring) {
    info += kBlank;
  } else if (AutoVentilation) {
    PadToColumn(40, info);
    info += QStringLiteral("( Fréquences ventilées automatiques )");
  } else {
    PadToColumn(50, info);
    info += QStringLiteral("( Fréquences non ventilées )");
  }
  const Outputs out{nullptr, &file};
  out.line(info);
  out.line();
  WriteTitle(out, merged ? MergedTitle() : QStringLiteral("Résultats N/S"), merged ? 9 : 13);
  const RankingTable table = BuildRankingTable();
  WriteListingHeader(out);
  WriteListingRows(out, table.rows(merged ? RankingList::Merged : RankingList::NorthSouth));
  if (!merged) {
    out.line();
    WriteTitle(out, QStringLiteral("Résultats E/W"), 13);
    WriteListingHeader(out);
    WriteListingRows(out, table.rows(RankingList::EastWest));
  }
  CloseTextFile(file);
}

void SaveAutoPageBreakChoice(bool remember) {
  const QString name = ProgramFolder + QStringLiteral("SautAutomatique.TXT");
  if (!remember) {
    platform::deleteFile(name);
    return;
  }
  TextFile file;
  SafeRewrite(file, name);
  file.writeLine(QString::number(ChoiceResult));
  CloseTextFile(file);
}
