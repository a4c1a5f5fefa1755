#include "scoring/TableSheet.h"

#include "core/CompanionPrograms.h"
#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Questions.h"
#include "core/Texts.h"
#include "core/TournamentFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/Contract.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultStore.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

int LastSlot() { return std::clamp(BoardCount * ResultsPerBoard, 0, kMaxResultSlots); }

QStringList SkipWarning(const QString& opening) {
  return {QString(),
          opening,
          QStringLiteral(" du tour qui précède le saut"),
          QStringLiteral(" dans un tournoi Mitchell avec "),
          QStringLiteral(" nombre pair de tables."),
          QString(),
          QStringLiteral(" Je vous rappelle donc que les joueurs "),
          QStringLiteral(" vont devoir sauter au tour prochain.")};
}

// forms::SkipReminderBefore before the round that precedes the skip, forms::SkipReminderAfter after it.
void ShowSkipWarning(const QString& form, const QString& opening) {
  ui::interaction().beep();
  const QStringList lines = SkipWarning(opening);
  ui::Ask({.form = form,
           .caption = QStringLiteral("Message"),
           .text = lines.join(QStringLiteral("\r\n")),
           .buttons = {QStringLiteral("OK (ESC)")},
           .codes = {1},
           .extra = {{QStringLiteral("title"), QStringLiteral(" A t t e n t i o n ! ")},
                     {QStringLiteral("lines"), lines}}});
}

}  // namespace

QString SheetDeclarerText(int score, const QString& text) {
  const QString declarer = ResultDeclarerText(score, text);
  return declarer == QStringLiteral("?") ? QString() : declarer;
}

bool TableSheet::SkipCase() { return MitchellNumbering && ResultsPerBoard % 2 == 0 && MitchellType == 1; }

int TableSheet::SkipRound() {
  const int tables = std::clamp(ResultsPerBoard, 0, kMaxTables);
  // E/W pair by round and table; -1 where the movement has no slot.
  std::vector<std::array<int, kMaxTables + 1>> ew;
  for (int s = 1; s <= LastSlot(); ++s) {
    const int round = ResultRound[s];
    const int table = ResultTable[s];
    if (ResultNsPair[s] == 0 || round < 1 || round > kMaxBoards || table < 1 || table > tables) continue;
    if (static_cast<int>(ew.size()) <= round) {
      std::array<int, kMaxTables + 1> unknown;
      unknown.fill(-1);
      ew.resize(static_cast<std::size_t>(round) + 1, unknown);
    }
    ew[static_cast<std::size_t>(round)][static_cast<std::size_t>(table)] = ResultEwPair[s];
  }
  for (std::size_t r = 1; r + 1 < ew.size(); ++r)
    for (int t = 1; t <= tables; ++t) {
      const int moved = ew[r + 1][static_cast<std::size_t>(t)];
      const int before = ew[r][static_cast<std::size_t>(t == 1 ? tables : t - 1)];
      if (moved != -1 && before != -1 && moved != before) return static_cast<int>(r);
    }
  return 0;
}

bool TableSheet::RoundPlayable(int round) {
  if (round < 1 || round > RoundCount) return false;
  return !(SkipCase() && round >= ResultsPerBoard);
}

bool TableSheet::findSlot(int& found, bool& byTable) const {
  const int last = LastSlot();
  for (int s = 1; s <= last; ++s)
    if (ResultNsPair[s] != 0 && ResultRound[s] == LastSheetRound && ResultTable[s] == table_) {
      found = s;
      byTable = true;
      return true;
    }
  for (int s = 1; s <= last; ++s)
    if (ResultNsPair[s] != 0 && ResultRound[s] == LastSheetRound && ResultNsPair[s] == ns_) {
      found = s;
      byTable = false;
      return true;
    }
  return false;
}

void TableSheet::stepCounters(bool forward) {
  const int pairs = std::max(PairSlotCount, 1);
  const int tables = std::max(ResultsPerBoard, 1);
  if (forward) {
    ns_ = ns_ + 1 > pairs ? 1 : ns_ + 1;
    table_ = table_ + 1 > tables ? 1 : table_ + 1;
  } else {
    ns_ = ns_ - 1 < 1 ? pairs : ns_ - 1;
    table_ = table_ - 1 < 1 ? tables : table_ - 1;
  }
}

bool TableSheet::startRound() {
  forward_ = true;
  table_ = ns_ = 1;
  laidOut_ = false;
  return layOut();
}

bool TableSheet::layOut() {
  int found = 0;
  bool byTable = false;
  // Every table and pair is tried once before giving up.
  const int tries = std::max(PairSlotCount, ResultsPerBoard);
  for (int i = 0; !findSlot(found, byTable); ++i) {
    if (MitchellNumbering || i >= tries) {
      ShowAlert(QStringLiteral("Je n'ai pas trouvé la paire N/S ") + QString::number(ns_) + QStringLiteral(" au tour ") +
                QString::number(LastSheetRound) + QStringLiteral("!\r\nLe mouvement a été mal construit...\r\n"
                                                                 "Utilisez l'autre façon d'introduire les marques!"));
      return false;
    }
    stepCounters(forward_);
  }
  if (byTable)
    ns_ = ResultNsPair[found];
  else
    table_ = ResultTable[found];
  ew_ = ResultEwPair[found];
  set_ = BoardsPerTable > 0 && ResultsPerBoard > 0 ? ((found - 1) / ResultsPerBoard) / BoardsPerTable + 1 : 1;
  bye_ = IsByePairNumber(ns_) || IsByePairNumber(ew_);
  laidOut_ = true;
  current_ = 1;
  if (bye_) return true;
  // A board of the set that the sheet's pair does not play: the movement is
  // broken beyond what the sheet can show.
  for (int line = 1; line <= lineCount(); ++line)
    if (slotOfLine(line) == 0) {
      ShowAlert(QStringLiteral("FATAL in WRLINE %1 %2 %3 %4 %5")
                    .arg(ns_)
                    .arg(PairNumberText(ew_))
                    .arg(set_)
                    .arg(line)
                    .arg(boardOf(line)));
      StopCompanionsAndHalt();
    }
  for (int line = 1; line <= lineCount(); ++line)
    if (takesResult(line) && ResultScore[slotOfLine(line)] == kScoreNone) {
      current_ = line;
      break;
    }
  CurrentBoard = boardOf(current_);
  return true;
}

void TableSheet::nextTable() {
  forward_ = true;
  const int pairs = MitchellNumbering ? ResultsPerBoard : PairSlotCount;
  ns_ = ns_ + 1 > pairs ? 1 : ns_ + 1;
  table_ = table_ + 1 > ResultsPerBoard ? 1 : table_ + 1;
  layOut();
}

void TableSheet::previousTable() {
  forward_ = false;
  const int pairs = MitchellNumbering ? ResultsPerBoard : PairSlotCount;
  ns_ = ns_ - 1 < 1 ? std::max(pairs, 1) : ns_ - 1;
  table_ = table_ - 1 < 1 ? std::max(ResultsPerBoard, 1) : table_ - 1;
  layOut();
}

void TableSheet::down() {
  if (current_ + 1 <= lineCount()) ++current_;
  if (laidOut_ && !bye_) CurrentBoard = boardOf(current_);
}

void TableSheet::up() {
  if (current_ > 1) --current_;
  if (laidOut_ && !bye_) CurrentBoard = boardOf(current_);
}

int TableSheet::slotOfLine(int line) const {
  if (!laidOut_ || line < 1 || line > lineCount()) return 0;
  const int board = boardOf(line);
  if (board < 1 || board > kMaxBoards) return 0;
  const int first = (board - 1) * ResultsPerBoard + 1;
  const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
  for (int s = first; s <= last; ++s)
    if (ResultNsPair[s] == ns_) return s;
  return 0;
}

bool TableSheet::takesResult(int line) const {
  if (bye_) return false;
  const int s = slotOfLine(line);
  // Not beyond RoundsPlayed, as on the travellers: a result there would count where nothing shows or deletes it.
  return s != 0 && scoring::ExpectedSlots().expected(s);
}

TableSheet::SheetLine TableSheet::sheetCells(int line) const {
  const QString blank = QStringLiteral(" ");
  const int s = slotOfLine(line);
  if (bye_ || s == 0) return {blank, blank, blank, blank};
  SheetLine l{QString::number(boardOf(line)) + (ResultSwapped[s] ? QStringLiteral("*") : QString()), blank, blank, blank};
  const int score = ResultScore[s];
  if (score == kScoreNone) {
    if (takesResult(line)) l[1] = QStringLiteral("?");
    return l;
  }
  l[1] = ResultContract[s];
  if (score == 0)
    l[2] = l[3] = QStringLiteral("0");
  else if (score < kScoreAverage)
    l[score > 0 ? 2 : 3] = QString::number(std::abs(score));
  return l;
}

bool TableSheet::settled(int line) const { return !bye_ && BoardSettled(slotOfLine(line)); }

QString TableSheet::tableLabel() const {
  return QStringLiteral(" Table ") + (table_ == 0 ? QStringLiteral("?") : QString::number(table_)) + u' ';
}
QString TableSheet::roundLabel() const { return QStringLiteral(" Tour ") + QString::number(LastSheetRound) + u' '; }
QString TableSheet::nsLabel() const {
  if (bye_ && IsByePairNumber(ns_)) return QStringLiteral(" N/S BYE ");
  return QStringLiteral(" N/S ") + PairNumberText(ns_) + u' ';
}
QString TableSheet::ewLabel() const {
  if ((bye_ && !IsByePairNumber(ns_)) || ew_ == 0) return QStringLiteral(" E/W BYE ");
  return QStringLiteral(" E/W ") + PairNumberText(ew_) + u' ';
}

QString TableSheet::status() const {
  if (bye_) return QStringLiteral("Ne joue pas ce tour");
  if (LastSheetRound > RoundsPlayed) return QStringLiteral("Tour non joué...");
  return QStringLiteral("Donne ") + QString::number(board()) + QStringLiteral("    Résultat?");
}

QStringList TableSheet::optionTexts() const {
  QStringList options = ScoreSheet::OptionTexts();
  options[4] = SheetLineSkip ? QStringLiteral("Saut de ligne après le dernier contrat")
                             : QStringLiteral("Pas de saut de ligne après le dernier contrat");
  return options;
}

TableSheet::BoardLine TableSheet::boardCells(int line) const {
  const QString blank = QStringLiteral(" ");
  const int b = board();
  std::array<int, kMaxTables + 1> lineSlots{};
  const int count = BoardLineSlots(b, lineSlots);
  const int s = line >= 1 && line <= count ? lineSlots[static_cast<std::size_t>(line)] : 0;
  if (s == 0) {
    BoardLine l{QString::number(line), blank, blank, blank, blank};
    if (IsHowell) {
      l[0] = blank;
    } else if (SheetOrderByRounds && !IsAppendix && SkipCase()) {
      // The table that nobody plays at in the skip round: the smallest N/S
      // pair number the board does not hold.
      l[0] = blank;
      const int first = (b - 1) * ResultsPerBoard + 1;
      for (int k = 1; k <= ResultsPerBoard; ++k) {
        bool held = false;
        for (int t = first; t < first + ResultsPerBoard && !held; ++t) held = ResultNsPair[t] == k;
        if (!held) {
          l[0] = QString::number(k);
          break;
        }
      }
    }
    return l;
  }
  const ScoreSheet::Line cells = ScoreSheet::SlotCells(s, scoring::ExpectedSlots().expected(s));
  BoardLine l;
  for (int c = 0; c < kBoardColumns; ++c)
    l[static_cast<std::size_t>(c)] = cells[static_cast<std::size_t>(c)].isEmpty() ? blank : cells[static_cast<std::size_t>(c)];
  return l;
}

QString TableSheet::boardLabel() const { return QStringLiteral(" Donne numéro ") + QString::number(board()) + u' '; }
QString TableSheet::vulnerabilityLabel() const {
  return QStringLiteral(" Vulnérabilité: ") + VulnerabilityText(board()) + u' ';
}

bool TableSheet::toggleEntryMode(bool withRefusals) { return ScoreSheet::ToggleEntryMode(withRefusals); }

void TableSheet::editorBeeps() const {
  ui::interaction().beep();
  PauseMs(500);
  ui::interaction().beep();
}

void TableSheet::launchEditor() const {
  const int s = currentSlot();
  LaunchContractEditor(CurrentBoard, s != 0 ? ResultNsPair[s] : ns_, s != 0 ? ResultEwPair[s] : ew_);
}

bool TableSheet::readyForResult(SheetKey key) {
  if (!takesResult(current_)) return false;
  const int s = currentSlot();
  storing_ = s;
  undo_ = {true, s, ResultSlots::record(s)};
  if (ResultScore[s] != kScoreNone && !(key == SheetKey::Adjusted && AwaitsPercentages(s))) {
    ShowAlertWithBeeps(2, QStringLiteral("Résultat déjà introduit!\r\nSupprimez-le d'abord..."));
    return false;
  }
  return true;
}

bool TableSheet::beginTyping(QChar typed, QString& fieldText) const {
  const QChar c = typed.toUpper();
  fieldText.clear();
  if (QStringLiteral("AMNPSX !=").contains(c)) return false;
  if (c.isDigit()) {
    fieldText = c;
    return true;
  }
  if (!EntryByContracts) {
    if (c == u'+') return true;
    if (c == u'-' || c == u'E' || c == u'_' || c == u'.') {
      fieldText = QStringLiteral("-");
      return true;
    }
  }
  ShowAlertWithBeeps(2, QStringLiteral("Caractère impossible..."));
  return false;
}

bool TableSheet::validatesNumber(QChar typed, QString& text) {
  const QChar c = typed.toUpper();
  if (c == u'N') return true;
  if (c == u'-' && text == QStringLiteral("-")) return false;
  return ScoreSheet::validatesNumber(c, text);
}

bool TableSheet::validate(const QString& typed) {
  const QString text = TrimText(typed);
  if (text.isEmpty() || !laidOut_) return false;
  CurrentBoard = boardOf(current_);
  if (EntryByContracts) {
    const int score = ContractParser(text, true);
    if (score == -1) return false;
    store(ContractTextBuilt, score, ResultOrigin::Typed);
    return true;
  }
  const std::optional<int> number =
      TypedNumberScore(text, false, CurrentBoard, QStringLiteral("\" : nombre incorrect!"));
  if (!number) return false;
  if (*number == 0) {
    restoreUndo();
    return false;
  }
  ContractTextBuilt.clear();
  store(QString(), *number, ResultOrigin::Typed);
  return true;
}

void TableSheet::restoreUndo() {
  if (!undo_.held || undo_.slot < 1 || undo_.slot > kMaxResultSlots) return;
  PutBackResult(undo_.slot, undo_.record, ResultSource::TableSheet);
}

void TableSheet::store(const QString& text, int score, ResultOrigin origin) {
  const int slot = storing_ != 0 ? storing_ : currentSlot();
  if (slot == 0) return;
  CurrentBoard = boardOf(current_);
  storing_ = 0;
  StoreResult(slot, MakeResult(text, score, QStringLiteral("?"), SheetDeclarerText(score, text), ResultSource::TableSheet),
              origin);
  if (SheetLineSkip && current_ == lineCount())
    nextTable();
  else
    down();
}

bool TableSheet::storeAverage() {
  store(QStringLiteral("MOY."), kScoreAverage, ResultOrigin::Key);
  return true;
}

bool TableSheet::storePassedOut() {
  store(QStringLiteral("PASSE"), 0, ResultOrigin::Key);
  return true;
}

bool TableSheet::storeAdjusted() {
  if (ImpScoring) {
    ShowAlert(QStringLiteral("Désolé, pas d'ajustements de fréquences en IMP's"));
    return false;
  }
  const int slot = currentSlot();
  CurrentBoard = boardOf(current_);
  if (!AdjustOneResult(CurrentBoard, ResultNsPair[slot])) return false;
  store(QStringLiteral("AJU."), kScoreAdjusted, ResultOrigin::Adjusted);
  return true;
}

bool TableSheet::holdsResult(int line) const {
  const int s = slotOfLine(line);
  return s != 0 && ResultScore[s] != kScoreNone;
}

void TableSheet::deleteCurrent() {
  if (!takesResult(current_) && !holdsResult(current_)) {
    ui::interaction().beep();
    return;
  }
  // Lead, declarer, percentages and ".ADJ" line go too, not score and contract alone: none may outlive its result.
  EraseResult(currentSlot(), ResultSource::TableSheet);
  layOut();
}

void TableSheet::swapCurrent() {
  // Any line of the sheet, whatever it holds ("MOY.", "AJU.", nothing yet).
  const int s = currentSlot();
  if (bye_ || s == 0) return;
  SwapResult(s, ResultSource::TableSheet);
}

void EnterTableSheets(const std::function<void(TableSheet&)>& showSheet) {
  TableSheet sheet;
  const bool skip = TableSheet::SkipCase();
  const int skipRound = skip ? TableSheet::SkipRound() : 0;
  for (;;) {
    if (skipRound > 0 && LastSheetRound == skipRound)
      ShowSkipWarning(forms::SkipReminderAfter, QStringLiteral(" Vous venez d'introduire les résultats "));
    const int proposal = LastSheetRound + 1;
    if (!TableSheet::RoundPlayable(proposal)) {
      ShowAlert(QStringLiteral("Le tournoi est théoriquement temniné. Vous venez d'introduire le dernier tour... Du "
                               "moins, si vous avez introduit tous les tours..."));
      return;
    }
    const int round = AskNonNegativeInteger(QStringLiteral("Introduction du tour numéro?"), proposal);
    if (round == 0) return;
    if (!TableSheet::RoundPlayable(round)) {
      ui::interaction().beep();
      continue;
    }
    if (skipRound > 0 && round == skipRound)
      ShowSkipWarning(forms::SkipReminderBefore, QStringLiteral(" Vous allez introduire les résultats "));
    LastSheetRound = round;
    // A round the movement does not hold: the message is shown, the loop ends.
    if (!sheet.startRound()) return;
    showSheet(sheet);
  }
}
