#include "setup/PairsEntry.h"

#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsFile.h"
#include "core/PlayerNames.h"
#include "core/Printing.h"
#include "core/Questions.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Texts.h"
#include "core/TournamentFiles.h"
#include "setup/ClubMembers.h"
#include "setup/Pairs.h"

#include <algorithm>

namespace {

const QString kBye = QStringLiteral("BYE");
const QString kClickErases = QStringLiteral("ClickOK.TXT");
const QString kInfoHidden = QStringLiteral("MSG1.TXT");
constexpr int kRememberTicked = 10;  // added to the answer of "Message" when its box is ticked

bool IsFreeName(const QString& name) {
  const int count = std::clamp(PlayerChoiceCount, 0, PlayerChoiceLines.capacity);
  for (int i = 1; i <= count; ++i)
    if (PlayerChoiceLines[i] == name) return true;
  return false;
}

// A name leaving a grid becomes free again (once); "?" is nobody.
void GiveBack(const QString& name) {
  const QString n = TrimText(name);
  if (n.isEmpty() || n == QLatin1String("?")) return;
  const QString free = n.compare(kBye, Qt::CaseInsensitive) == 0 ? kBye : n;
  if (!IsFreeName(free)) AddPlayerToList(free);
}

void Take(const QString& name) {
  const QString n = TrimText(name);
  if (n.isEmpty()) return;
  RemovePlayerFromList(n.compare(kBye, Qt::CaseInsensitive) == 0 ? kBye : n);
}

// Any case and blanks around, as every later test of the pairs reads a label;
// the row is then stored as "BYE" exactly, the one spelling the files keep.
bool IsByeCell(const QString& cell) { return TrimText(cell).compare(kBye, Qt::CaseInsensitive) == 0; }

// Either cell "BYE" makes the row the absent pair, whatever the other holds.
bool RowIsBye(const PairsGrid& grid, int row) { return IsByeCell(grid.cell(1, row)) || IsByeCell(grid.cell(2, row)); }

// One grid into slots first.., numbered 1.. (N/S) or -1.. (E/W); returns the
// number of rows stored.
int StoreGrid(PairsGrid& grid, int first, int sign) {
  int last = 0;
  for (int r = 1; r <= kMaxTables; ++r)
    if (!TrimText(grid.cell(1, r)).isEmpty() || !TrimText(grid.cell(2, r)).isEmpty()) last = r;
  for (int r = 1; r <= last; ++r) {
    const int slot = first + r - 1;
    PairNumbers[slot] = sign * r;
    if (RowIsBye(grid, r)) {
      // The partner typed beside "BYE" leaves the grid: back to the free names.
      for (int c = 1; c <= 2; ++c)
        if (!IsByeCell(grid.cell(c, r))) GiveBack(grid.cell(c, r));
      Take(kBye);
      grid.cell(1, r) = kBye;
      grid.cell(2, r).clear();
      Player1Names[slot] = kBye;
      Player2Names[slot].clear();
      PairLabels[slot] = kBye;
      continue;
    }
    for (int c = 1; c <= 2; ++c) {
      grid.cell(c, r) = TrimText(grid.cell(c, r));
      if (grid.cell(c, r).isEmpty()) grid.cell(c, r) = QStringLiteral("?");
    }
    Player1Names[slot] = grid.cell(1, r);
    Player2Names[slot] = grid.cell(2, r);
    PairLabels[slot] = Player1Names[slot] + QStringLiteral(" - ") + Player2Names[slot];
  }
  return last;
}

void ClearGrid(PairsSide side, const QString& question) {
  if (ui::AskYesNo(question) == 7) return;
  PairsGrid& grid = GridOf(side);
  for (int r = 1; r <= kMaxTables; ++r) {
    for (int c = 1; c <= 2; ++c) {
      GiveBack(grid.cell(c, r));
      grid.cell(c, r).clear();
    }
  }
  FillPlayersListBox();
}

// The yes/no question before a name is erased by a click: true for yes.
bool ConfirmErase(PairsSide side, const QString& name) {
  if (side == PairsSide::EastWest) ui::interaction().beep();
  const int answer = ui::Ask({.form = forms::EraseNameQuestion,
                              .caption = QStringLiteral("Message"),
                              .text = QStringLiteral("Effacer ") + name,
                              .buttons = {QStringLiteral("OUI=ENTER"), QStringLiteral("NON = ESC")},
                              .codes = {1, 0},
                              .cancelCode = 0,
                              .extra = {{QStringLiteral("checkBox"), QStringLiteral("Mémoriser \"Click = Effacer\"")}}});
  ChoiceResult = answer % kRememberTicked;
  if (answer >= kRememberTicked)
    WriteSettingLine(kClickErases, side == PairsSide::NorthSouth ? QStringLiteral("Cliquerer=effacer")
                                                                   : QStringLiteral("Cliquer=effacer"));
  return ChoiceResult == 1;
}

void PlaceChosenPair(PairsGrid& grid, int row) {
  if (TableDevicesMode) {
    ShowAlert(QStringLiteral("On ne peut pas modifier manuellement avec BridgeMates ou tablettes!"));
    return;
  }
  if (RowIsBye(grid, row)) {
    ShowAlert(QStringLiteral("Supprimez d'abord la paire BYE avant d'introduire une paire..."));
    return;
  }
  const QString text = TrimText(PairChoiceText);
  const qsizetype slash = text.indexOf(u'/');
  const QString first = TrimText(slash < 0 ? text : text.left(slash));
  QString second = slash < 0 ? QString() : TrimText(text.mid(slash + 1).left(100));
  if (second.isEmpty()) second = QStringLiteral("?");
  Take(first);
  Take(second);
  GiveBack(grid.cell(1, row));
  GiveBack(grid.cell(2, row));
  grid.cell(1, row) = first;
  grid.cell(2, row) = second;
}

void PlaceSelectedName(PairsSide side, PairsGrid& grid, int column, int row) {
  const QString name = TrimText(PairsGridCellText);
  QString& cell = grid.cell(column, row);
  if (side == PairsSide::EastWest && TrimText(grid.cell(1, row)) == QLatin1String("?")) {
    grid.cell(1, row).clear();
  } else if (RowIsBye(grid, row)) {
    for (int c = 1; c <= 2; ++c) {
      GiveBack(grid.cell(c, row));
      grid.cell(c, row).clear();
    }
    cell = name;
    Take(name);
  } else if (IsByeNames(name, QString())) {
    GiveBack(grid.cell(1, row));
    GiveBack(grid.cell(2, row));
    grid.cell(1, row) = kBye;
    grid.cell(2, row).clear();
    Take(kBye);
  } else {
    Take(name);
    GiveBack(cell);
    cell = name;
  }
}

int UsedSlots() {
  int count = 0;
  for (int s = 1; s <= kMaxPairs; ++s)
    if (PairNumbers[s] != 0) ++count;
  return count;
}

}  // namespace

PairsGrid& GridOf(PairsSide side) { return side == PairsSide::NorthSouth ? NsGrid : EwGrid; }

void ShowPairsEntry() {
  if (PairCount == 0 && TableDevicesMode) AskPairCount();
  FillPairsGrids();
  if (TableDevicesMode && PairsEntered && !SettingExists(kInfoHidden)) {
    const QString text =
        BridgeMatesMode
            ? QStringLiteral("Les paires ont été créées d'avance (N1 - S1, N2 - S2, ...). Avec les BridgeMates, vous devez "
                             "maintenant introduire ici le nom de chaque joueur, en le choisissant dans la liste des "
                             "joueurs.")
            : QStringLiteral("Les paires ont été créées d'avance (N1 - S1, N2 - S2, ...). Vous pouvez maintenant "
                             "introduire ici le nom de chaque joueur, en le choisissant dans la liste des joueurs.");
    ui::Ask({.form = BridgeMatesMode ? forms::BridgeMatesNamesInfo : forms::TabletNamesInfo,
             .caption = QStringLiteral("Info sur l'introduction des noms des paires"),
             .text = text,
             .buttons = {QStringLiteral("&OK ou ESC")},
             .codes = {1}});
  }
  PairsGridCellText.clear();
}

void StorePairsGrid() {
  ClearPairSlots();
  const int northSouth = StoreGrid(NsGrid, 1, 1);
  StoreGrid(EwGrid, northSouth + 1, -1);
}

void FillPairsGrids() {
  for (PairsGrid* grid : {&NsGrid, &EwGrid}) {
    for (int r = 1; r <= kMaxTables; ++r)
      for (int c = 1; c <= 2; ++c) GiveBack(grid->cell(c, r));
    grid->clear();
  }
  for (int s = 1; s <= kMaxPairs; ++s) {
    const int number = PairNumbers[s];
    if (number == 0 || std::abs(number) > kMaxTables) continue;
    PairsGrid& grid = number > 0 ? NsGrid : EwGrid;
    const int row = std::abs(number);
    if (IsByeNames(Player1Names[s], Player2Names[s])) {
      grid.cell(1, row) = kBye;
      grid.cell(2, row).clear();
    } else {
      grid.cell(1, row) = Player1Names[s];
      grid.cell(2, row) = Player2Names[s];
    }
    Take(grid.cell(1, row));
    Take(grid.cell(2, row));
  }
  FillPlayersListBox();
  if (flowWindows().showPairsEntry) flowWindows().showPairsEntry();
}

QStringList PlayersListBoxLines() {
  QStringList lines;
  const int count = std::clamp(PlayerChoiceCount, 0, PlayerChoiceLines.capacity);
  for (int i = 1; i <= count; ++i) {
    const QString line = TrimText(PlayerChoiceLines[i]);
    if (!line.isEmpty()) lines << line;
  }
  return lines;
}

void FillPlayersListBox() {
  if (flowWindows().refreshPairsEntry) flowWindows().refreshPairsEntry();
}

int FindListEntry(const QStringList& entries, const QString& typed) {
  if (typed.isEmpty()) return -1;
  for (qsizetype i = 0; i < entries.size(); ++i)
    if (entries[i].startsWith(typed, Qt::CaseInsensitive)) return static_cast<int>(i);
  return -1;
}

void ClearNorthSouthPairs() {
  ClearGrid(PairsSide::NorthSouth, QStringLiteral("Voulez-vous vraiment effacer les paires N/S?"));
}

void ClearEastWestPairs() {
  ClearGrid(PairsSide::EastWest, QStringLiteral("Voulez-vous vraiment effacer les paires E/W?"));
}

bool AskPairCount() {
  int count = 0;
  for (;;) {
    const std::optional<QString> answer = ui::interaction().askText(
        {.form = forms::PairCount,
         .caption = QStringLiteral("Nombre de paires"),
         .prompt = QStringLiteral("Nombre de paires ?"),
         .text = QString()});
    if (!answer) return false;
    const QString text = TrimText(*answer);
    if (!IsInteger(text)) {
      ShowAlert(QStringLiteral("Ceci n'est pas un nombre!"));
      continue;
    }
    count = text.toInt();
    if (count <= 0) {
      ShowAlert(QStringLiteral("Ce nombre n'est pas correct!"));
    } else if (count > kMaxPairs) {
      ShowAlert(QStringLiteral("Trop de paires!"));
    } else if (count < 3) {
      // Fewer than 3 pairs cannot make the 4 places of a tournament.
      ShowAlert(QStringLiteral("Trop peu de paires!"));
    } else {
      break;
    }
  }

  ClearPairSlots();
  const int even = count + count % 2;
  const int tables = even / 2;
  int byeDirection = 0;
  int byeNumber = 0;
  if (count % 2 == 1) PlaceByePair(tables, byeDirection, byeNumber);
  const auto setPair = [](int slot, int number, const QString& first, const QString& second, bool bye) {
    PairNumbers[slot] = number;
    Player1Names[slot] = bye ? kBye : first;
    Player2Names[slot] = bye ? QString() : second;
    PairLabels[slot] = bye ? kBye : first + QStringLiteral(" - ") + second;
  };
  for (int k = 1; k <= tables; ++k)
    setPair(k, k, QStringLiteral("N%1").arg(k), QStringLiteral("S%1").arg(k), byeDirection == 1 && byeNumber == k);
  for (int k = tables + 1; k <= even; ++k)
    setPair(k, -(k - tables), QStringLiteral("E%1").arg(k), QStringLiteral("W%1").arg(k),
            byeDirection == 2 && byeNumber == k - tables);
  PairCount = even;
  PairSlotCount = even;
  TableCount = tables;
  return true;
}

void PairsGridClick(PairsSide side, int column, int row) {
  if (column >= 1 && column <= 2 && row >= 1 && row <= kMaxTables) {
    PairsGrid& grid = GridOf(side);
    QString& cell = grid.cell(column, row);
    if (!TrimText(PairChoiceText).isEmpty()) {
      PlaceChosenPair(grid, row);
    } else if (TrimText(cell) == QLatin1String("?")) {
      cell.clear();
    } else if (TrimText(PairsGridCellText).isEmpty()) {
      if (!TrimText(cell).isEmpty() && (SettingExists(kClickErases) || ConfirmErase(side, TrimText(cell)))) {
        GiveBack(cell);
        cell.clear();
      }
    } else {
      PlaceSelectedName(side, grid, column, row);
    }
  }
  PairsGridCellText.clear();
  PairChoiceText.clear();
  FillPlayersListBox();
}

bool PairsGridCellTyped(PairsSide side, int column, int row, const QString& text) {
  if (column < 1 || column > 2 || row < 1 || row > kMaxTables) return false;
  if (RefuseTypedPlayerName(TrimText(text))) return false;
  GridOf(side).cell(column, row) = text;
  return true;
}

bool IsPairChooserKey(const QString& typed) {
  return typed.size() == 1 && QStringLiteral("=@!?%$&").contains(typed[0]);
}

void ChoosePairFromFile() {
  if (TableDevicesMode || FederationMode) {
    ShowAlert(QStringLiteral("Désolé, le fichier de paires (PAIRES.TXT) ne peut être utilisé dans la version pour "
                             "tablettes ou BridgeMates"));
    return;
  }
  PairChoiceText = ChoosePairName();
}

void QuickCreatePairs() {
  if (TableDevicesMode) {
    ShowAlert(QStringLiteral("Désolé, vous ne pouvez pas modifier le nombre de paires à ce stade pour un tournoi avec "
                             "tablettes ou BridgeMates!"));
    return;
  }
  if (AskPairCount()) FillPairsGrids();
}

void ReloadPairsIntoGrids() {
  // The grids go to the slots first, so that giving up the choice changes
  // nothing.
  StorePairsGrid();
  ReloadPairsFile();
  FillPairsGrids();
}

void SavePairsBackup() {
  StorePairsGrid();
  SavePairsFile();
  FillPlayersListBox();
}

void PrintPairs() {
  StorePairsGrid();
  FillPlayersListBox();
  PrintPairsList();
}

void DrawPairsIntoGrids() {
  StorePairsGrid();
  DrawPairs();
  FillPairsGrids();
}

void CheckPairsEntry() {
  StorePairsGrid();
  FillPlayersListBox();
  if (CheckPairs()) ShowMessageWindow(QStringLiteral("Vos paires sont en ordre..."));
}

void PairsGeneralOptions() {
  GeneralOptionsMode = true;
  flowSteps().runGeneralOptions();
}

void AddOrChangePlayers() {
  ShowMembersWindow();
  FillPlayersListBox();
}

void PairsEntryStop() {
  StorePairsGrid();
  PairCount = UsedSlots();
  if (PairCount > 0) {
    SavePairsFile();
    DeleteCurrentResultFiles();
    ShowAlert(QStringLiteral("Vous sauvez uniquement vos paires... Vous pourrez plus tard recharger ce tournoi. Il vous "
                             "demandera les nouveaux paramètres..."));
  } else {
    ShowAlert(QStringLiteral("Vous n'avez introduit aucune paire! On quitte immédiatement!"));
  }
  StopCompanionsAndHalt(0);
}

void PairsEntryOk() { flowSteps().startTournament(); }

void AutoConfirmPairsEntry() {
  if (TableDevicesMode && !PairsEntered) PairsEntryOk();
}

void SetPairsEntryInfoHidden(bool hidden) {
  if (hidden)
    WriteSettingLine(kInfoHidden, QStringLiteral("Cacher"));
  else
    DeleteSetting(kInfoHidden);
}
