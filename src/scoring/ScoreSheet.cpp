#include "scoring/ScoreSheet.h"

#include "core/DeviceFiles.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/OptionFiles.h"
#include "core/ResultNews.h"
#include "core/Texts.h"
#include "core/TournamentFiles.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/Contract.h"
#include "scoring/Frequencies.h"
#include "scoring/LeadCheck.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultStore.h"
#include "setup/PairLookups.h"

#include <QtCore/qnamespace.h>

#include <algorithm>
#include <cstdlib>

namespace {

// The odd field's phantom: the highest pair number, seated N/S, never plays.
bool IsPhantom(int nsPair) { return PairCount != PairSlotCount && nsPair == PairSlotCount; }

bool IsNumberSign(QChar c) {
  return c == u'-' || c == u'_' || c == u'E' || c == u'e' || c == u'.';
}

}  // namespace

bool IsPossibleScore(int score) { return score >= 50 && score != 60 && score % 10 == 0 && score <= 7600; }

bool VulnerabilityCoherenceTest(int score, int board) {
  if (!CoherenceTest || score == 0) return true;
  const int vul = BoardVulnerability(board);
  const bool nsVul = vul == 1 || vul == 3;
  const bool ewVul = vul == 2 || vul == 3;
  const bool scorerVul = score > 0 ? nsVul : ewVul;
  const bool otherVul = score > 0 ? ewVul : nsVul;
  const int points = std::abs(score);
  if (points == 50) return !otherVul;
  if (points == 420 || points == 430 || points == 450 || points == 460 || points == 480 || points == 510) return !scorerVul;
  if (points == 620) return scorerVul;
  return true;
}

SheetKey SheetKeyFor(int key, const QString& text, bool keypad) {
  switch (key) {
    case Qt::Key_Right: return SheetKey::NextBoard;
    case Qt::Key_Left: return SheetKey::PreviousBoard;
    case Qt::Key_Down: return SheetKey::Down;
    case Qt::Key_Up: return SheetKey::Up;
    case Qt::Key_PageDown: return SheetKey::PageDown;
    case Qt::Key_PageUp: return SheetKey::PageUp;
    case Qt::Key_Return:
    case Qt::Key_Enter: return SheetKey::Enter;
    case Qt::Key_Escape: return SheetKey::Close;
    case Qt::Key_Delete: return SheetKey::Delete;
    case Qt::Key_F1: return SheetKey::ToggleCoherence;
    case Qt::Key_F2: return SheetKey::ToggleTimesTen;
    case Qt::Key_F3: return SheetKey::ToggleOrder;
    case Qt::Key_F4: return SheetKey::ToggleEntryMode;
    case Qt::Key_F5: return SheetKey::ToggleLineSkip;
    default: break;
  }
  if (text.isEmpty() || !text.at(0).isPrint()) return SheetKey::None;
  const QChar c = text.at(0).toUpper();
  if (keypad && c == u'*') return SheetKey::Swap;
  switch (c.unicode()) {
    case u'S': return SheetKey::Delete;
    case u'X': return SheetKey::ClearBoard;
    case u'Y':
    case u'$':
    case u';': return SheetKey::Swap;
    case u'M':
    case u'N': return SheetKey::Average;
    case u'P': return SheetKey::PassedOut;
    case u'A': return SheetKey::Adjusted;
    case u' ':
    case u'!': return SheetKey::Repeat;
    default: return SheetKey::Character;
  }
}

int BoardLineSlots(int board, std::array<int, kMaxTables + 1>& lineSlots) {
  lineSlots.fill(0);
  const int count = std::clamp(ResultsPerBoard, 0, kMaxTables);
  if (board < 1 || board > kMaxBoards) return count;
  const int first = (board - 1) * ResultsPerBoard + 1;
  const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
  int line = 0;
  auto add = [&](int s) {
    if (line < count) lineSlots[static_cast<std::size_t>(++line)] = s;
  };
  if (SheetOrderByRounds && !IsAppendix) {
    const int rounds = FederationMode ? RoundsScheduled : RoundCount;
    for (int r = 1; r <= rounds; ++r)
      for (int s = first; s <= last; ++s)
        if (ResultNsPair[s] != 0 && ResultRound[s] == r) add(s);
  } else if (!IsHowell) {
    for (int k = 1; k <= count; ++k)
      for (int s = first; s <= last; ++s)
        if (ResultNsPair[s] == k) {
          lineSlots[static_cast<std::size_t>(k)] = s;
          break;
        }
  } else {
    for (int p = 1; p <= PairSlotCount; ++p)
      for (int s = first; s <= last; ++s)
        if (ResultNsPair[s] == p) add(s);
  }
  return count;
}

std::optional<int> TypedNumberScore(const QString& text, bool ewColumn, int board, const QString& refusal) {
  // The E/W column counts for E/W; a sign typed as well is not doubled.
  int sign = ewColumn ? -1 : 1;
  QString digits = text;
  if (digits.startsWith(u'-')) {
    sign = -1;
    digits.remove(0, 1);
  } else if (digits.startsWith(u'+')) {
    digits.remove(0, 1);
  }
  if (!IsInteger(digits) || digits.startsWith(u'-') || digits.startsWith(u'+')) {
    ShowAlertWithBeeps(2, u'"' + text + QStringLiteral("\" n'est pas un nombre!"));
    return std::nullopt;
  }
  qint64 points = digits.toLongLong();
  if (ScoresTimesTen) points *= 10;
  if (points != 0 && !IsPossibleScore(static_cast<int>(std::min<qint64>(points, 1000000)))) {
    ShowAlertWithBeeps(2, u'"' + text + refusal);
    return std::nullopt;
  }
  if (points == 0) return 0;
  const int score = sign * static_cast<int>(points);
  if (!VulnerabilityCoherenceTest(score, board)) {
    ShowAlertWithBeeps(2, QStringLiteral("Vérifiez la vulnérabilité..."));
    return std::nullopt;
  }
  return score;
}

bool SwapResultSides(int slot) {
  if (ResultScore[slot] >= kScoreAverage) {
    ShowAlert(QStringLiteral("Impossible d'inverser un tel score! Supprimez-le et modifiez-le d'abord"));
    return false;
  }
  SwapResult(slot, ResultSource::BoardSheet);
  return true;
}

void WriteAskLeadMarker(bool on) {
  const QString name = ProgramFolder + kAskLeadFile;
  if (on)
    platform::writeTextLines(name, {QStringLiteral("Entame demandée")});
  else
    platform::deleteFile(name);
}

QString SettledLinesNote() {
  return QStringLiteral("En bleu : réglé par l'arbitre, la table ne peut plus le changer. S ou Suppr l'efface et "
                        "rend la donne à la table.");
}

ScoreSheet::ScoreSheet() { layOut(1); }

int ScoreSheet::slotOfLine(int line) const {
  return line >= 1 && line <= lineCount_ ? slots_[static_cast<std::size_t>(line)] : 0;
}

bool ScoreSheet::takesResult(int line) const {
  const int slot = slotOfLine(line);
  return slot != 0 && expected_.expected(slot);
}

bool ScoreSheet::reachable(int line) const {
  const int slot = slotOfLine(line);
  // A result typed before the rounds played were lowered can still be deleted.
  return takesResult(line) || (slot != 0 && ResultScore[slot] != kScoreNone);
}

void ScoreSheet::layOut(int board) {
  board_ = std::clamp(board, 1, std::max(1, std::min(BoardCount, kMaxBoards)));
  CurrentBoard = board_;
  expected_ = scoring::ExpectedSlots();
  lineCount_ = BoardLineSlots(board_, slots_);
  current_ = 1;
  for (int l = 1; l <= lineCount_; ++l)
    if (takesResult(l) && ResultScore[slotOfLine(l)] == kScoreNone) {
      current_ = l;
      break;
    }
  if (!reachable(current_)) down();
}

ScoreSheet::Line ScoreSheet::cells(int line) const {
  const int s = slotOfLine(line);
  if (s == 0) return {QStringLiteral("Donne"), QStringLiteral("non"), QStringLiteral("jouée"), {}, {}, {}};
  return SlotCells(s, takesResult(line));
}

bool ScoreSheet::settled(int line) const { return BoardSettled(slotOfLine(line)); }

ScoreSheet::Line ScoreSheet::SlotCells(int s, bool takes) {
  if (ResultRound[s] > RoundsPlayed && ResultScore[s] == kScoreNone) return {QStringLiteral("Tour"), QStringLiteral("non"), QStringLiteral("joué."), {}, {}, {}};
  const int ns = ResultNsPair[s];
  const int ew = ResultEwPair[s];
  const QString star = ResultSwapped[s] ? QStringLiteral("*") : QString();
  Line l;
  l[0] = (IsByePairNumber(ns) || IsPhantom(ns) ? QStringLiteral("BYE") : PairNumberText(ns)) + star;
  l[1] = (ew == 0 || IsByePairNumber(ew) ? QStringLiteral("BYE") : PairNumberText(ew)) + star;
  const int score = ResultScore[s];
  if (score == kScoreNone) {
    l[2] = takes ? QStringLiteral("?") : QStringLiteral(" ");
  } else {
    l[2] = ResultContract[s];
    if (score == 0) {
      l[3] = l[4] = QStringLiteral("0");
    } else if (score < kScoreAverage) {
      l[score > 0 ? 3 : 4] = QString::number(std::abs(score));
    }
  }
  const QString lead = ResultLead[s].trimmed();
  l[5] = lead.isEmpty() || lead == QStringLiteral("?") ? QStringLiteral(" ") : lead;
  return l;
}

QString ScoreSheet::status() const {
  const int s = currentSlot();
  if (s != 0 && ResultRound[s] > RoundsPlayed) return QStringLiteral("Tour non joué...");
  if (s == 0) return QStringLiteral("N/S ") + QString::number(current_) + QStringLiteral(" Ne joue pas cette donne!");
  const int ns = ResultNsPair[s];
  const int ew = ResultEwPair[s];
  if (IsByePairNumber(ns) || IsByePairNumber(ew)) return QStringLiteral("BYE");
  const QString head = QStringLiteral("N/S ") + PairNumberText(ns);
  if (ew == 0) return head + QStringLiteral(" BYE");
  return head + QStringLiteral(" contre E/W ") + PairNumberText(ew) + QStringLiteral("    Résultat? ");
}

QString ScoreSheet::boardLabel() const { return QStringLiteral(" Donne numéro ") + QString::number(board_) + u' '; }
QString ScoreSheet::vulnerabilityLabel() const {
  return QStringLiteral(" Vulnérabilité: ") + VulnerabilityText(board_) + u' ';
}

QStringList ScoreSheet::OptionTexts() {
  return {(CoherenceTest ? QStringLiteral("Avec") : QStringLiteral("Sans")) + QStringLiteral(" test de cohérence"),
          QStringLiteral("Nombres ") + (ScoresTimesTen ? QStringLiteral("* 10") : QStringLiteral("normaux")),
          QStringLiteral("Classement par ") + (SheetOrderByRounds ? QStringLiteral("tours") : QStringLiteral("N/S")),
          QStringLiteral("Introduction des résultats par ") +
              (EntryByContracts ? QStringLiteral("contrats") : QStringLiteral("nombres")),
          SheetLineSkip ? QStringLiteral("Saut de ligne après le dernier résultat")
                        : QStringLiteral("Pas de saut de ligne après le dernier résultat")};
}

void ScoreSheet::nextBoard() { layOut(board_ >= BoardCount ? 1 : board_ + 1); }
void ScoreSheet::previousBoard() { layOut(board_ <= 1 ? std::max(BoardCount, 1) : board_ - 1); }

void ScoreSheet::moveToTaking(int step) {
  while (!reachable(current_) && current_ + step >= 1 && current_ + step <= lineCount_) current_ += step;
}

void ScoreSheet::down() {
  if (current_ < lineCount_) ++current_;
  moveToTaking(1);
}

void ScoreSheet::up() {
  if (current_ > 1) --current_;
  moveToTaking(-1);
}

void ScoreSheet::pageDown() {
  current_ = std::min(current_ + page_, std::max(lineCount_, 1));
  moveToTaking(1);
}

void ScoreSheet::pageUp() {
  current_ = std::max(current_ - page_, 1);
  moveToTaking(-1);
}

void ScoreSheet::enter() {
  down();
  if (current_ == lineCount_) nextBoard();
}

void ScoreSheet::setCurrentLine(int line) {
  if (line >= 1 && line <= lineCount_) current_ = line;
}

void ScoreSheet::toggleCoherence() { CoherenceTest = !CoherenceTest; }
void ScoreSheet::toggleTimesTen() { ScoresTimesTen = !ScoresTimesTen; }
void ScoreSheet::toggleOrder() {
  SheetOrderByRounds = !SheetOrderByRounds;
  layOut(board_);
}
void ScoreSheet::toggleLineSkip() { SheetLineSkip = !SheetLineSkip; }

bool ScoreSheet::ToggleEntryMode(bool withRefusals) {
  if (withRefusals && FederationMode) {
    ShowAlert(QStringLiteral("Impossible d'utiliser la marque par nombres pour un tournoi FFB!"));
    return false;
  }
  if (withRefusals && TableDevicesMode) {
    ShowAlert(QStringLiteral("Impossible de modifier le type de marque avec les tablettes ou les BridgeMates! On doit "
                             "toujours les introduire par contrat..."));
    return false;
  }
  EntryByContracts = !EntryByContracts;
  return true;
}

bool ScoreSheet::setAskLead(bool on) {
  if (on && !EntryByContracts) {
    ShowAlert(QStringLiteral("Impossible d'utiliser l'option \"Demander l'entame\" quand on introduit les résultats par "
                             "nombres... Modifiez avec la touche F4."));
    AskOpeningLead = false;
    return false;
  }
  AskOpeningLead = on;
  WriteAskLeadMarker(on);
  return true;
}

bool ScoreSheet::readyForResult(SheetKey key) {
  if (FederationMode) AskOpeningLead = true;
  if (!takesResult(current_)) return false;
  const int s = currentSlot();
  undo_ = {s, ResultSlots::record(s)};
  if (ResultScore[s] != kScoreNone && !(key == SheetKey::Adjusted && AwaitsPercentages(s))) {
    ShowAlertWithBeeps(2, QStringLiteral("Résultat déjà introduit!\r\nSupprimez-le d'abord..."));
    return false;
  }
  return true;
}

void ScoreSheet::restoreUndo() {
  if (undo_.slot < 1 || undo_.slot > kMaxResultSlots) return;
  PutBackResult(undo_.slot, undo_.record, ResultSource::BoardSheet);
}

EntryColumn ScoreSheet::beginTyping(QChar typed, QString& fieldText) {
  const QChar c = typed.toUpper();
  fieldText.clear();
  if (EntryByContracts) {
    if (c.isDigit()) {
      fieldText = c;
      return EntryColumn::Result;
    }
  } else if (c.isDigit() && c != u'0') {
    fieldText = c;
    return EntryColumn::NsPoints;
  } else if (c == u'+') {
    return EntryColumn::NsPoints;
  } else if (c == u'0' || IsNumberSign(c)) {
    return EntryColumn::EwPoints;
  }
  ShowAlertWithBeeps(2, QStringLiteral("Caractère impossible..."));
  return EntryColumn::None;
}

bool ScoreSheet::validatesNumber(QChar typed, QString& text) {
  if (typed == u'+') return true;
  if (IsNumberSign(typed) && !text.isEmpty()) {
    if (!text.startsWith(u'-')) text.prepend(u'-');
    return true;
  }
  return false;
}

bool ScoreSheet::validate(const QString& typed, EntryColumn column) {
  QString text = TrimText(typed);
  if (text.isEmpty() || column == EntryColumn::None) return false;
  if (TableDevicesMode && IsInteger(text)) {
    ShowAlert(QStringLiteral("Désolé, avec les tablettes ou les BridgeMates, vous devez introduire les résultats par "
                             "contrat ( Ex: 3PN= )."));
    layOut(board_);
    return false;
  }
  CurrentBoard = board_;
  if (column == EntryColumn::Result) {
    const int score = ContractParser(text, true);
    if (score == -1) return false;
    store(ContractTextBuilt, score, Kind::Typed);
    return true;
  }
  const std::optional<int> number = TypedNumberScore(text, column == EntryColumn::EwPoints, board_);
  if (!number) return false;
  if (*number == 0) {
    restoreUndo();
    return false;
  }
  const int score = *number;
  ContractTextBuilt.clear();
  store(QString(), score, Kind::Typed);
  return true;
}

void ScoreSheet::store(const QString& text, int score, Kind kind) {
  const int slot = currentSlot();
  if (slot == 0) return;
  CurrentBoard = board_;
  const QString declarer = ResultDeclarerText(score, kind == Kind::Typed ? ContractTextBuilt : text);
  QString lead = QStringLiteral("?");
  if (kind != Kind::Key && AskOpeningLead) {
    if (kind == Kind::Repeat) ui::interaction().beep();
    // A lead that the player on lead does not hold in the deal is questioned;
    // the director may keep it, or give the lead again.
    for (;;) {
      const std::optional<QString> card = ui::interaction().askText(
          {.form = forms::OpeningLead, .caption = QStringLiteral("Entame"), .prompt = QStringLiteral("Entame:"), .text = {}});
      lead = card && !card->trimmed().isEmpty() ? card->trimmed() : QStringLiteral("?");
      const QString doubt = LeadNotHeldOnBoard(board_, declarer, lead);
      if (doubt.isEmpty() || ui::AskYesNo(doubt + QStringLiteral(" La garder quand même?")) == 6) break;
    }
  } else if (kind == Kind::Key && AskOpeningLead && text != QStringLiteral("PASSE")) {
    lead.clear();
  }
  lastText_ = text;
  lastScore_ = score;
  const ResultOrigin origin =
      kind == Kind::Typed ? ResultOrigin::Typed : (score == kScoreAdjusted ? ResultOrigin::Adjusted : ResultOrigin::Key);
  StoreResult(slot, MakeResult(text, score, lead, declarer, ResultSource::BoardSheet), origin);
  afterStoreMove();
}

void ScoreSheet::afterStoreMove() {
  const bool storedOnLast = current_ == lineCount_;
  down();
  if (SheetLineSkip && (storedOnLast || (current_ == lineCount_ && !takesResult(current_)))) nextBoard();
}

bool ScoreSheet::storeAverage() {
  store(QStringLiteral("MOY."), kScoreAverage, Kind::Key);
  return true;
}

bool ScoreSheet::storePassedOut() {
  store(QStringLiteral("PASSE"), 0, Kind::Key);
  return true;
}

bool ScoreSheet::storeAdjusted() {
  if (ImpScoring) {
    ShowAlert(QStringLiteral("Désolé, pas d'ajustements de fréquences en IMP's"));
    return false;
  }
  const int slot = currentSlot();
  if (!AdjustOneResult(board_, ResultNsPair[slot])) return false;
  store(QStringLiteral("AJU."), kScoreAdjusted, Kind::Key);
  return true;
}

bool ScoreSheet::storeRepeat() {
  if (!lastScore_) {
    ui::interaction().beep();
    return false;
  }
  // The last result may have been stored on another board: a contract is
  // scored again with this board's vulnerability, and points must still
  // agree with it.
  int score = *lastScore_;
  const ContractOutcome contract = ParseContract(lastText_, board_);
  if (contract.valid()) {
    score = contract.score;
  } else if (lastText_.isEmpty() && !VulnerabilityCoherenceTest(score, board_)) {
    ShowAlertWithBeeps(2, QStringLiteral("Vérifiez la vulnérabilité..."));
    return false;
  }
  store(lastText_, score, Kind::Repeat);
  return true;
}

void ScoreSheet::deleteCurrent() {
  const int s = currentSlot();
  if (s == 0 || ResultScore[s] == kScoreNone) {
    ui::interaction().beep();
    layOut(board_);
    return;
  }
  if (IsByePairNumber(ResultNsPair[s]) || IsByePairNumber(ResultEwPair[s]))
    ui::interaction().beep();
  else
    EraseResult(s, ResultSource::BoardSheet);
  layOut(board_);
}

void ScoreSheet::clearBoard() {
  if (TableDevicesMode) {
    ShowAlert(QStringLiteral("Désolé, avec les tablettes et/ou les BridgeMates, il faut supprimer les résultats un par un..."));
    return;
  }
  // Asked rather than cleared on the key alone: one stray "X" would wipe every table's result.
  if (ui::AskYesNo(QStringLiteral("Effacer tous les résultats de la donne ") + QString::number(board_) + QStringLiteral(" ?")) != 6)
    return;
  const int first = (board_ - 1) * ResultsPerBoard + 1;
  const int last = std::min(board_ * ResultsPerBoard, kMaxResultSlots);
  CurrentBoard = board_;
  for (int s = first; s <= last; ++s)
    if (ResultNsPair[s] != 0) DeleteSlotResult(s);
  SaveResults();
  layOut(board_);
}

void ScoreSheet::swapCurrent() {
  const int s = currentSlot();
  if (s == 0 || !takesResult(current_)) return;
  SwapResultSides(s);
}

void ScoreSheet::close() {
  if (TableDevicesMode) RecomputeResultsSilently();
  SaveResults();
  WriteBoardFiles(false);
}
