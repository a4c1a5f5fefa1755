#include "scoring/Adjustments.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Notices.h"
#include "core/PairsAndBoards.h"
#include "core/Printing.h"
#include "core/Questions.h"
#include "core/ResultNews.h"
#include "core/SafeFiles.h"
#include "core/Texts.h"
#include "core/TournamentFiles.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"
#include "scoring/ResultStore.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <cmath>
#include <optional>

using scoring::RewriteOrDelete;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsSlot(int slot) { return slot >= 1 && slot <= kMaxResultSlots; }

QStringList ReadLinesOrNothing(const QString& fileName) {
  return platform::tryReadTextLines(fileName).value_or(QStringList{});
}

void AppendLine(const QString& fileName, const QString& line) {
  TextFile out;
  SafeAppend(out, fileName);
  out.writeLine(line);
  CloseTextFile(out);
}

QString AdjustmentListingLine(const scoring::AdjustmentLine& a) {
  const QString unit = ImpScoring ? QStringLiteral(" IMPs") : QStringLiteral("%");
  const int ns = IsSlot(a.slot) ? ResultNsPair[a.slot] : 0;
  const int ew = IsSlot(a.slot) ? ResultEwPair[a.slot] : 0;
  return QStringLiteral("Donne ") + QString::number(a.board) + QStringLiteral(" : N/S ") + PairNumberText(ns) +
         QStringLiteral(" ( ") + scoring::FixedText(a.ns, 5, 1) + unit + QStringLiteral(" ) contre E/W ") +
         PairNumberText(ew) + QStringLiteral(" ( ") + scoring::FixedText(a.ew, 5, 1) + unit + QStringLiteral(" ) ");
}

QString PenaltyListingLine(const scoring::PenaltyLine& p) {
  const int slot = FindPairSlot(p.pair);
  return scoring::FixedText(p.value, 7, 2) + (ImpScoring ? QStringLiteral("VPs") : QStringLiteral("%")) +
         QStringLiteral(" à la paire ") + FormatPairNumber(p.pair) + QStringLiteral(" : ") +
         (slot > 0 ? PairLabels[slot] : QString());
}

QStringList Heading(const QString& title) { return {title, QString(title.size(), QLatin1Char('-')), QString()}; }

// Results marked adjusted whose percentages were never given.
QStringList ResultsToAdjustByHand() {
  QStringList lines;
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (ResultNsPair[s] != 0 && ResultEwPair[s] != 0 && AwaitsPercentages(s))
      lines << QStringLiteral("Il faut d'abord ajuster manuellement la donne ") + QString::number(ResultBoard[s]) +
                   QStringLiteral(" par ") + QString::number(ResultNsPair[s]) + QStringLiteral(" contre ") +
                   QString::number(ResultEwPair[s]) + u'.';
  return lines;
}

bool AskDelete() {
  return ui::Ask({.form = forms::AdjustmentErasure,
                  .caption = QStringLiteral("Question"),
                  .text = QStringLiteral("On efface?"),
                  .buttons = {QStringLiteral("&Oui"), QStringLiteral("ESC/Echap = &NON")},
                  .codes = {1, 2},
                  .cancelCode = 2}) == 1;
}

// The percentages chosen in the adjustment window; nothing when none.
std::optional<std::pair<int, int>> AskPercentages(int slot, int board) {
  const int nsSlot = FindPairSlot(ResultNsPair[slot]);
  const int ewSlot = FindPairSlot(ResultEwPair[slot]);
  const QString info =
      QStringLiteral("Donne ") + QString::number(board) + u'\n' + QStringLiteral("N/S ") +
      PairNumberText(ResultNsPair[slot]) + QStringLiteral(" : ") + (nsSlot > 0 ? PairLabels[nsSlot] : QString()) + u'\n' +
      QStringLiteral("E/W ") + PairNumberText(ResultEwPair[slot]) + QStringLiteral(" : ") +
      (ewSlot > 0 ? PairLabels[ewSlot] : QString()) + u'\n' + QStringLiteral("à ") +
      platform::now().toString(QStringLiteral("hh:mm:ss")) + u'\n' +
      QString::number(std::lround(ResultNsPercent[slot])) + QStringLiteral("% - ") +
      QString::number(std::lround(ResultEwPercent[slot])) + u'%';
  const bool devices = BridgeMatesMode;
  const ui::TextQuestion q{.form = devices ? forms::BridgeMatesAdjustments : forms::FrequencyAdjustments,
                           .caption = devices ? QStringLiteral("Ajustements pour BridgeMates")
                                              : QStringLiteral("Ajustements des fréquences"),
                           .prompt = info,
                           .text = {}};
  // The answer: the line chosen (1 to 5, any other number for "Pas
  // d'ajustement"), then the free N/S and E/W fields, separated by tabs,
  // however the window was left. Free values typed win over the line.
  const std::optional<QString> answer = ui::interaction().askText(q);
  if (!answer) return std::nullopt;
  const QStringList parts = answer->split(u'\t');
  static const int kValues[6][2] = {{0, 0}, {40, 40}, {40, 60}, {50, 50}, {60, 40}, {60, 60}};
  const int line = parts.value(0).toInt();
  const QString nsText = devices ? QString() : TrimText(parts.value(1));
  const QString ewText = devices ? QString() : TrimText(parts.value(2));
  if (nsText.isEmpty() && ewText.isEmpty()) {
    if (line < 1 || line > 5) return std::nullopt;
    return std::pair{kValues[line][0], kValues[line][1]};
  }
  struct Field {
    const QString& text;
    QString side;
  };
  int values[2] = {0, 0};
  const Field fields[2] = {{nsText, QStringLiteral("N/S")}, {ewText, QStringLiteral("E/W")}};
  for (int i = 0; i < 2; ++i) {
    if (!IsInteger(fields[i].text)) {
      ShowAlert(QStringLiteral("Erreur dans le pourcentage ") + fields[i].side + u'!');
      return std::nullopt;
    }
    values[i] = fields[i].text.toInt();
    if (values[i] < 0 || values[i] > 100) {
      ShowAlert(QStringLiteral("Le pourcentage ") + fields[i].side + QStringLiteral(" doit être compris entre 0 et 100!"));
      return std::nullopt;
    }
  }
  return std::pair{values[0], values[1]};
}

void AdjustFromMenu() {
  if (ImpScoring) {
    ShowAlert(QStringLiteral("Désolé, pas d'ajustements de fréquences en IMP's"));
    return;
  }
  const int board = AskNonNegativeInteger(QStringLiteral("Numéro de la donne?\r\n(0 ou vide = FIN)"), -1);
  if (board == 0) return;
  if (board > BoardCount) {
    ShowAlert(QStringLiteral("Donne plus grande que ") + QString::number(board) + u'!');
    return;
  }
  const int pair = AskPairNumber();
  if (pair == 0) return;
  if (AdjustOneResult(board, pair)) ShowMessageWindow(QStringLiteral("OK, c'est fait..."));
}

// Asks a positive real; 0 when cancelled, empty or not a number.
double AskValue(const QString& caption, const QString& offered) {
  QString text = offered;
  if (!AskForText(caption, text)) return 0;
  bool ok = false;
  const double value = ParseDecimalNumber(text, &ok);
  return ok ? value : 0;
}

void PenaltyFromMenu() {
  const int pair = AskPairNumber();
  if (pair == 0) return;
  int kind = 0;
  double value = 0;
  QString unit;
  if (!ImpScoring) {
    const QString top = QStringLiteral(" (=") + QString::number(std::round(10000.0 / std::max(BoardCount, 1)) / 100) +
                        QStringLiteral("%)");
    kind = ui::Ask({.form = forms::MatchpointPenalties,
                    .caption = QStringLiteral("Pénalités"),
                    .text = QStringLiteral("Type de pénalité ou bonus?"),
                    .buttons = {QStringLiteral("&Pénalité en valeur absolue"), QStringLiteral("&Bonification en valeur absolue"),
                                QStringLiteral("Pénalité en pourcentage d'un TOP") + top,
                                QStringLiteral("Bonification en pourcentage d'un TOP") + top, QStringLiteral("ESC/Echap = Fin")},
                    .codes = {1, 2, 3, 4, 5},
                    .cancelCode = 5});
    if (kind < 1 || kind > 4) return;
    const bool ofTop = kind >= 3;
    const QString what = (kind % 2 == 1) ? QStringLiteral("pénalité") : QStringLiteral("bonification");
    const QString caption = QStringLiteral("Valeur de la ") + what + kCrLf +
                            (ofTop ? QStringLiteral("... en % d'un TOP (Ex: 10 15 20) ? ")
                                   : QStringLiteral("... en % absolu (Ex: 0.25 0.5 1 2) ? "));
    value = AskValue(caption, ofTop ? QStringLiteral("20") : QStringLiteral("1"));
    if (value <= 0) return;
    if (value > (ofTop ? 100 : 2)) {
      ShowAlert(QStringLiteral("Erreur!"));
      return;
    }
    if (ofTop) value /= std::max(BoardCount, 1);
    unit = QStringLiteral(" % pour la paire ");
  } else {
    kind = ui::Ask({.form = forms::ImpPenalties,
                    .caption = QStringLiteral("Pénalités"),
                    .text = QString(),
                    .buttons = {QStringLiteral("&Pénalité en VP"), QStringLiteral("&Bonification en VP"),
                                QStringLiteral("ESC/Echap = Rien")},
                    .codes = {1, 2, 3},
                    .cancelCode = 3});
    if (kind != 1 && kind != 2) return;
    const QString what = kind == 1 ? QStringLiteral("pénalité") : QStringLiteral("bonification");
    value = AskValue(QStringLiteral("Valeur de la ") + what + QStringLiteral("? ") + QStringLiteral(" ( de 1 à 5 ) ? "),
                     QStringLiteral("1"));
    if (value <= 0) return;
    if (value > 5) {
      ShowAlert(QStringLiteral("Erreur!"));
      return;
    }
    unit = QStringLiteral(" VP pour la paire ");
  }
  const bool penalty = kind % 2 == 1;
  const double signedValue = penalty ? -value : value;
  AppendLine(scoring::PenaltiesFileName(), QString::number(pair) + u' ' + QString::number(signedValue, 'g', 15));
  ShowMessageWindow((penalty ? QStringLiteral("OK, pénalité de ") : QStringLiteral("OK, bonification de ")) +
                    QString::number(value, 'g', 15) + unit + FormatPairNumber(pair) + u'.');
}

}  // namespace

bool AwaitsPercentages(int slot) {
  return IsSlot(slot) && ResultScore[slot] == kScoreAdjusted && (ResultNsPercent[slot] == 0 || ResultEwPercent[slot] == 0);
}

QString AdjustmentRealText(double value) {
  // "6.00000000000000E+01" whatever the locale; the exponent gets 4 digits.
  QString text = QString::number(value, 'E', 14);
  const qsizetype e = text.indexOf(u'E');
  const QString digits = text.mid(e + 2);
  text = text.left(e + 2) + QString(std::max<qsizetype>(0, 4 - digits.size()), u'0') + digits;
  return value < 0 ? text : u' ' + text;
}

int AskPairNumber() {
  if (!MitchellNumbering) {
    for (;;) {
      const int pair = AskNonNegativeInteger(QStringLiteral("Numéro de paire?"), -1);
      if (pair <= PairCount) return pair;
      ui::interaction().beep();
    }
  }
  for (;;) {
    const std::optional<QString> answer = ui::interaction().askText(
        {.form = forms::AdjustedPair, .caption = QStringLiteral("Choix"), .prompt = QStringLiteral("Choix d'une paire:"), .text = {}});
    // The answer: the number typed, a tab, "N/S" or "E/W".
    if (!answer) return 0;
    const QString text = TrimText(answer->section(u'\t', 0, 0));
    const bool eastWest = answer->section(u'\t', 1, 1) == QStringLiteral("E/W");
    if (text.isEmpty() || text == QStringLiteral("0")) return 0;
    if (!IsInteger(text) || text.toInt() < 0) {
      ShowAlert(text + QStringLiteral(" n'est pas un nombre!"));
      continue;
    }
    const int n = text.toInt();
    const int limit = eastWest ? ResultsPerBoard - (PairSlotCount - PairCount) : ResultsPerBoard;
    if (n > limit) {
      ShowAlert(text + QStringLiteral(" : nombre trop grand!"));
      continue;
    }
    return eastWest ? ResultsPerBoard + n : n;
  }
}

bool AdjustOneResult(int board, int pair) {
  int slot = 0;
  if (board >= 1 && board <= kMaxBoards && ResultsPerBoard > 0) {
    const int first = (board - 1) * ResultsPerBoard + 1;
    const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
    for (int s = first; s <= last && slot == 0; ++s)
      if (ResultNsPair[s] != 0 && (ResultNsPair[s] == pair || ResultEwPair[s] == pair)) slot = s;
  }
  if (slot == 0) {
    ShowAlert(QStringLiteral("Cette paire ne doit pas jouer cette donne!"));
    return false;
  }
  // A table's arbitral score sent without its split waits for the director's.
  if (ResultScore[slot] == kScoreAdjusted && !AwaitsPercentages(slot)) {
    ShowAlert(QStringLiteral("Bien que cette donne soit déjà marquée comme ajustée, veuillez d'abord la supprimer ..."));
    return false;
  }
  if (ResultNsPercent[slot] == 0 && ResultEwPercent[slot] == 0) {
    if (ResultScore[slot] < kScoreAverage) {
      ShowAlert(QStringLiteral("Fréquences non calculées!!"));
      return false;
    }
    if (ResultScore[slot] == kScoreAverage) {
      ShowAlert(QStringLiteral("Impossible, vous aviez choisi la moyenne!") + kCrLf +
                QStringLiteral("Ré-introduisez ce résultat en spécifiant AJUSTE.") + kCrLf +
                QStringLiteral("Ensuite, vous pourrez l'ajuster."));
      return false;
    }
  }
  const auto values = AskPercentages(slot, board);
  if (!values) return false;
  // A 0 % is kept as 0.0001, so that the result still counts as adjusted.
  const double ns = values->first == 0 ? 0.0001 : values->first;
  const double ew = values->second == 0 ? 0.0001 : values->second;
  // The file line first: when it cannot be written, the slot stays as it was.
  AppendLine(scoring::AdjustmentsFileName(), QString::number(slot) + u' ' + QString::number(board) + u' ' +
                                                 AdjustmentRealText(ns) + u' ' + AdjustmentRealText(ew));
  SlotResult adjusted =
      MakeResult(QStringLiteral("AJU."), kScoreAdjusted, ResultLead[slot], ResultDeclarer[slot], ResultSource::Adjustment);
  adjusted.remark = QStringLiteral("Arbitral score (") + QString::number(values->first) + QStringLiteral("%-") +
                    QString::number(values->second) + QStringLiteral("%)");
  adjusted.percentages = std::pair{ns, ew};
  StoreResult(slot, adjusted, ResultOrigin::Adjusted);
  return true;
}

AdjustmentReplacements::Entry& AdjustmentReplacements::entry(int slot) {
  for (Entry& e : entries_)
    if (e.slot == slot) return e;
  entries_.append(Entry{slot, false, {}});
  return entries_.last();
}

void AdjustmentReplacements::set(int slot, int board, int nsPercent, int ewPercent) {
  Entry& e = entry(slot);
  e.hasLine = true;
  e.line = QStringLiteral("%1 %2 %3 %4").arg(slot).arg(board).arg(nsPercent).arg(ewPercent);
}

void AdjustmentReplacements::clear(int slot) {
  Entry& e = entry(slot);
  e.hasLine = false;
  e.line.clear();
}

void AdjustmentReplacements::write() const {
  if (entries_.isEmpty()) return;
  const QString fileName = scoring::AdjustmentsFileName();
  const QStringList old = platform::fileExists(fileName) ? platform::readTextLines(fileName) : QStringList{};
  // A slot's lines all go, whatever board they name: the frequencies apply a
  // line by its slot alone.
  QStringList kept;
  for (const QString& line : old) {
    const auto a = scoring::ParseAdjustmentLine(line);
    const bool named = a && std::any_of(entries_.cbegin(), entries_.cend(),
                                        [&](const Entry& e) { return e.slot == a->slot; });
    if (!named) kept << line;
  }
  for (const Entry& e : entries_)
    if (e.hasLine) kept << e.line;
  if (kept == old) return;
  RewriteOrDelete(fileName, kept);
}

void ListOrDeleteAdjustments(bool viewOnly) {
  if (const QStringList manual = ResultsToAdjustByHand(); !manual.isEmpty()) {
    scoring::ShowAttention(manual + QStringList{QStringLiteral("Sans cela, les résultats du tournoi ne pourront pas être corrects!")});
    return;
  }
  const QString adjName = scoring::AdjustmentsFileName();
  const QString penName = scoring::PenaltiesFileName();
  const bool hasAdj = platform::fileExists(adjName);
  const bool hasPen = platform::fileExists(penName);
  if (!hasAdj && !hasPen) {
    ShowAlert(QStringLiteral("Il n'y a aucun ajustement ni pénalité en cours!"));
    return;
  }
  QStringList memo = Heading(QStringLiteral("Ajustement des fréquences"));
  const QString form = forms::AdjustmentsListing;
  // Deletion: each entry is listed, then put to the director.
  auto offer = [&](const QString& line) {
    memo << line;
    if (viewOnly) return false;
    ui::ShowNotice(form, memo.join(kCrLf));
    return AskDelete();
  };
  bool adjustmentsDropped = false;
  QList<int> dropped;  // the slots whose adjustment went
  QStringList kept;
  const QStringList adjLines = ReadLinesOrNothing(adjName);
  for (const QString& line : adjLines) {
    const auto a = scoring::ParseAdjustmentLine(line);
    if (!a) {
      kept << line;
      continue;
    }
    if (offer(AdjustmentListingLine(*a))) {
      adjustmentsDropped = true;
      if (IsSlot(a->slot) && !dropped.contains(a->slot)) dropped << a->slot;
    } else {
      kept << line;
    }
  }
  if (!viewOnly && hasAdj && kept.size() != adjLines.size()) RewriteOrDelete(adjName, kept);

  memo << QString() << Heading(QStringLiteral("Pénalités ou bonus globaux"));
  kept.clear();
  const QStringList penLines = ReadLinesOrNothing(penName);
  for (const QString& line : penLines) {
    const auto p = scoring::ParsePenaltyLine(line);
    if (!p || !offer(PenaltyListingLine(*p))) kept << line;
  }
  if (!viewOnly && hasPen && kept.size() != penLines.size()) RewriteOrDelete(penName, kept);

  if (viewOnly) {
    ui::Ask({.form = form,
             .caption = QStringLiteral("Ajustements"),
             .text = memo.join(kCrLf),
             .buttons = {QStringLiteral("&OK = ESC/Echap")},
             .codes = {1},
             .cancelCode = 0});
    return;
  }
  ui::HideNotice(form);
  if (adjustmentsDropped) {
    // Erased at the desk as a sheet erases it: its lead, declarer and
    // percentages go with it, and the devices and the menu's counters hear
    // of it.
    for (const int slot : dropped) EraseResult(slot, ResultSource::BoardSheet);
    ShowMessageWindow(QStringLiteral("Les donnes dont l'ajustement a été supprimé devront être réencodées ou réajustées..."));
  }
}

void PrintAdjustmentsAndPenalties() {
  const QString adjName = scoring::AdjustmentsFileName();
  const QString penName = scoring::PenaltiesFileName();
  const bool hasAdj = platform::fileExists(adjName);
  const bool hasPen = platform::fileExists(penName);
  BeginTempPrintout();
  TextFile& out = PrintFileWriter;
  out.writeLine(QStringLiteral("Ajustement des fréquences"));
  out.writeLine(QStringLiteral("-------------------------"));
  out.writeLine();
  bool any = false;
  for (const QString& line : ReadLinesOrNothing(adjName))
    if (const auto a = scoring::ParseAdjustmentLine(line)) {
      out.writeLine(AdjustmentListingLine(*a));
      any = true;
    }
  if (!any) out.writeLine(QStringLiteral("Aucun ajustement des fréquences..."));
  out.writeLine();
  out.writeLine(QStringLiteral("Pénalités ou bonus globaux"));
  out.writeLine(QStringLiteral("--------------------------"));
  out.writeLine();
  any = false;
  for (const QString& line : ReadLinesOrNothing(penName))
    if (const auto p = scoring::ParsePenaltyLine(line)) {
      out.writeLine(PenaltyListingLine(*p));
      any = true;
    }
  if (!any) out.writeLine(QStringLiteral("Aucun..."));
  out.writeLine();
  if (!hasAdj && !hasPen) out.writeLine(QStringLiteral("*** Il n'y a aucun ajustement ni pénalité en cours!"));
  CloseTextFile(out);
  PrintTextFile(PrintFile, true, QStringLiteral("ajustements"));
}

void AdjustmentsAndPenaltiesMenu() {
  const int choice = ui::Ask({.form = forms::Adjustments,
                              .caption = QStringLiteral("Ajustements"),
                              .text = QStringLiteral("Ajustements-Pénalités-Ventilation"),
                              .buttons = {QStringLiteral("&Visualisation des ajustements et pénalités"),
                                          QStringLiteral("Im&pression des ajustements et pénalités"),
                                          QStringLiteral("&Ajustement des fréquences"), QStringLiteral("Pénalités ou bonus &globaux"),
                                          QStringLiteral("&Suppression d'un ajustement ou d'une pénalité"),
                                          QStringLiteral("Annuler  =ESC/Echap")},
                              .codes = {1, 2, 3, 4, 6, 7},
                              .cancelCode = 7,
                              .extra = {{QStringLiteral("disabledCodes"), FederationMode ? QVariantList{4} : QVariantList{}}}});
  switch (choice) {
    case 1: ListOrDeleteAdjustments(true); break;
    case 2: PrintAdjustmentsAndPenalties(); break;
    case 3: AdjustFromMenu(); break;
    case 4:
      if (!FederationMode) PenaltyFromMenu();
      break;
    case 6: ListOrDeleteAdjustments(false); break;
    default: break;
  }
}
