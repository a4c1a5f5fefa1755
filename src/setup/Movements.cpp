#include "setup/Movements.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Texts.h"
#include "core/TournamentFiles.h"
#include "platform/TextFiles.h"
#include "setup/MovementFiles.h"
#include "setup/Pairs.h"

namespace {

const QString kNoRoundsQuestion = QStringLiteral("PASDEMANDERNTOURS.TXT");

QString patFile() { return DataFolder + TournamentCode + QStringLiteral(".PAT"); }

void deletePatFile() {
  if (!TournamentCode.isEmpty()) platform::deleteFile(patFile());
}

void writePatFile() { platform::writeTextLines(patFile(), {QStringLiteral("C'est un tournoi PATTON")}); }

void fillSlot(int round, int table, int ew, int set) {
  const int tables = ResultsPerBoard;
  for (int b = (set - 1) * BoardsPerTable + 1; b <= set * BoardsPerTable && b <= kMaxBoards; ++b) {
    const int slot = (b - 1) * tables + table;
    ResultSlots::LayOut(slot, {.ns = table, .ew = ew, .round = round, .table = table, .board = b}, true);
  }
}

// "Etuis": the boards per table, asked until the answer is 1..16.
int askBoardsPerTable() {
  ui::TextQuestion question;
  question.form = forms::MitchellBoards;
  question.caption = QStringLiteral("Etuis");
  question.prompt = QStringLiteral("Nombre d'étuis par table?");
  for (;;) {
    question.text = QStringLiteral("3");
    const QString text = TrimText(ui::interaction().askText(question).value_or(QString()));
    if (!IsInteger(text)) {
      ShowAlert(QStringLiteral("Ce n'est pas un nombre!"));
      continue;
    }
    const int n = text.toInt();
    if (n >= 17) {
      ShowAlert(QStringLiteral("Désolé, pas plus de 16 étuis par table!"));
    } else if (n < 1) {
      ShowAlert(QStringLiteral("Nombre incorrect!"));
    } else {
      return n;
    }
  }
}

// "Type de Mitchell" for an even number of tables: 1 skip, 2 relay.
int askMitchellType(int tables) {
  const int half = tables / 2;
  ui::Choice choice;
  choice.form = forms::MitchellType;
  choice.caption = QStringLiteral("Type de Mitchell");
  choice.text = QStringLiteral("Ce mouvement est un MITCHELL avec nombre pair de tables.");
  choice.buttons = {QStringLiteral("On &saute à la moitié du tournoi"), QStringLiteral("Il y a une table-&relais")};
  choice.codes = {1, 2};
  choice.extra.insert(QStringLiteral("Label6"), QStringLiteral(" - une table vide entre les tables ") +
                                                   QString::number(half) + QStringLiteral(" et ") +
                                                   QString::number(half + 1) + QStringLiteral(" avec une série d'étuis."));
  choice.extra.insert(QStringLiteral("Label7"), QStringLiteral(" - les étuis sont joués en parallèle aux tables 1 et ") +
                                                   QString::number(tables) + QStringLiteral("."));
  return ui::Ask(choice) == 1 ? 1 : 2;
}

// What "Mouvement" answered; the Patton mark is cleared each time it shows.
int askMovementKind() {
  IsPatton = false;
  deletePatFile();
  ui::Choice choice;
  choice.form = forms::MovementKind;
  choice.caption = QStringLiteral("Mouvement");
  choice.buttons = {QStringLiteral("&MITCHELL     (Option standard)")};
  choice.cancelCode = 0;
  choice.extra.insert(QStringLiteral("appendix7"), PairSlotCount >= 14 && PairSlotCount <= 28);
  choice.extra.insert(QStringLiteral("appendix9"), PairSlotCount >= 18 && PairSlotCount <= 36);
  choice.extra.insert(QStringLiteral("club"), ClubMode);
  return ui::Ask(choice);
}

// Code 11 of the window: Panel1, which makes the club's movements the only
// ones shown from now on, then lists them as Panel2 (code 10).
constexpr int kClubOnlyFromNow = 11;

enum class Next { Restart, ShowChoice, Read, Abandon };

// The listing of code 2 or 10: the file chosen, or where to go on.
Next chooseListedFile(bool clubFolder, QString& path) {
  QString name;
  ChooseMovementFile(name);
  if (name == QLatin1String("Changer")) return Next::ShowChoice;
  if (name.isEmpty() || name == QLatin1String("VIDE")) {
    ShowAlert(QStringLiteral("Désolé, vous devez choisir un mouvement ou quitter le programme..."));
    return Next::Restart;
  }
  if (!clubFolder && !FederationMode && name.toUpper().contains(QLatin1String("HEREDIA"))) {
    ShowAlert(QStringLiteral("Désolé, pas de mouvements Hérédia si on n'est pas en mode FFB..."));
    return Next::Abandon;
  }
  path = MovementFolderInUse + name;
  return Next::Read;
}

Next appendixFile(int base, int lowest, int highest, const QString& refusal, QString& path) {
  if (PairSlotCount < lowest || PairSlotCount > highest) {
    ShowAlert(refusal);
    return Next::Restart;
  }
  MitchellNumbering = true;
  IsHowell = false;
  path = MovementFolder + QStringLiteral("A%1-%2.TXT").arg(base).arg(PairSlotCount / 2 - base);
  return Next::Read;
}

Next pattonFile(QString& path) {
  if (BridgeMatesMode) {
    ShowAlert(QStringLiteral("Désolé, impossible de jouer un PATTON avec les BridgeMates!"));
    return Next::ShowChoice;
  }
  if (ByePresent) {
    ShowAlert(QStringLiteral("Désolé, pas de BYE pour un PATTON. Mettez une paire bidon à cet endroit..."));
    return Next::Abandon;
  }
  if (PairSlotCount > 30) {
    ShowAlert(QStringLiteral("Désolé, les PATTONS ne sont programmés que jusque 15 équipes (30 paires)!"));
    return Next::Abandon;
  }
  const QString name = QStringLiteral("PATTON") + QString::number(PairSlotCount / 2) + QStringLiteral(".TXT");
  if (!platform::fileExists(MovementFolder + name)) {
    ShowAlert(QStringLiteral("Pas trouvé le fichier ") + name + QStringLiteral(" dans le dossier ") + MovementFolder);
    IsPatton = false;
    deletePatFile();
    ImpScoring = false;
    return Next::Abandon;
  }
  IsPatton = true;
  writePatFile();
  ImpScoring = true;
  path = MovementFolder + name;
  return Next::Read;
}

Next clubFile(bool fromNowOn, QString& path) {
  if (fromNowOn) {
    WriteSettingLine(QStringLiteral("MouvementsBralmet.TXT"), QStringLiteral("Ne montrer que les mouvements du Bralmet"));
    ClubMovements = true;
  }
  if (ClubMovementFolder.isEmpty() || !platform::folderExists(ClubMovementFolder)) {
    ShowAlert(QStringLiteral("Désolé! Le sous-dossier Bralmet n'existe pas dans ") + MovementFolder +
              QStringLiteral(". Il doit contenir les mouvements spécifiques au Bralmet..."));
    return Next::Abandon;
  }
  MovementFolderInUse = ClubMovementFolder;
  return chooseListedFile(true, path);
}

Next openFile(QString& path) {
  ui::PathQuestion question;
  question.caption = QStringLiteral("Montrez le fichier contenant la description du tournoi");
  question.folder = MovementFolder;
  const auto chosen = ui::interaction().chooseFile(question);
  if (!chosen || chosen->isEmpty()) return Next::Abandon;
  path = *chosen;
  return Next::Read;
}

}  // namespace

void ComputeTablesAndRounds() {
  TableCount = ResultsPerBoard = PairSlotCount / 2;
  const int tables = TableCount;
  OddTables = tables % 2 == 1;
  RoundCount = (!OddTables && SavedMitchellType == 1) ? tables - 1 : tables;
}

void AskRoundsToPlay(bool fromOptions) {
  if (!FederationMode && !fromOptions) {
    RoundsScheduled = RoundCount;
    RoundsPlayed = RoundCount;
  }
  const bool ask = fromOptions || (RoundsPlayed >= RoundsScheduled && !SettingExists(kNoRoundsQuestion));
  if (!ask) return;
  ui::TextQuestion question;
  question.form = forms::RoundsPlayed;
  question.caption = QStringLiteral("Tours?");
  question.prompt = QStringLiteral("Ce tournoi comporte maximum ") + QString::number(RoundCount) +
                    QStringLiteral(" tours.\r\nIl y a ") + QString::number(BoardsPerTable) +
                    QStringLiteral(" étuis joués à chaque tour.");
  question.text = QString::number(fromOptions && RoundsPlayed >= 1 ? RoundsPlayed : RoundCount);
  for (;;) {
    const auto answer = ui::interaction().askText(question);
    if (!answer) break;
    const QString text = TrimText(*answer);
    question.text = *answer;
    if (!IsInteger(text)) {
      ShowAlert(QStringLiteral("Désolé, \"") + text + QStringLiteral("\" n'est pas un nombre..."));
      continue;
    }
    const int n = text.toInt();
    if (n >= 1 && n <= RoundCount) {
      RoundsPlayed = n;
      break;
    }
    ShowAlert(QStringLiteral("Désolé, \"") + QString::number(n) + QStringLiteral("\" : nombre incorrect!"));
  }
  if (RoundsQuestionSilenced)
    WriteSettingLine(kNoRoundsQuestion, QStringLiteral("On ne demande pas le nombre de tours à jouer"));
}

void GenerateMitchell() {
  const int tables = ResultsPerBoard;
  const int half = tables / 2;
  const bool even = tables % 2 == 0;
  const bool oddPairs = PairSlotCount != PairCount;
  if (FederationMovementKind >= 1 && FederationMovementKind <= 4) {
    for (int r = 1; r <= RoundsPlayed; ++r)
      for (int t = 1; t <= tables; ++t) {
        int s = r + t;
        if (s > tables) s -= tables;
        int e = 0;
        switch (FederationMovementKind) {
          case 1: e = t - r + 1; break;
          case 2: e = t - r; break;
          case 3: e = r < half ? t - r + 1 : t - r; break;
          default: e = r < half ? t - r : t - r - 1; break;
        }
        while (e < 1) e += tables;
        fillSlot(r, t, e, s);
      }
    return;
  }
  const bool relay = even && MitchellType == 2;
  const int rounds = (even && !relay) ? tables - 1 : tables;
  for (int r = 1; r <= rounds; ++r)
    for (int t = 1; t <= tables; ++t) {
      int e = t - r + 1;
      int s = 0;
      if (relay)
        s = t == tables ? r : (t <= half ? r + t - 1 : r + t);
      else {
        if (even && r > half) --e;
        s = r + t - 1;
      }
      if (e < 1) e += tables;
      if (s > tables) s -= tables;
      if (e == tables && oddPairs) e = 0;
      fillSlot(r, t, e, s);
    }
}

bool AskMitchellBoardsPerTable() {
  const int tables = FederationMode ? ResultsPerBoard : PairSlotCount / 2;
  if (!FederationMode) {
    TableCount = ResultsPerBoard = tables;
    BoardsPerTable = askBoardsPerTable();
    if (BoardsPerTable * tables > kMaxBoards) {
      ShowAlert(QStringLiteral("Il n'y a pas assez d'étuis en jeu pour jouer\r\n") + QString::number(BoardsPerTable) +
                QStringLiteral(" étuis/table!"));
      return false;
    }
    BoardCount = (MitchellNumbering ? tables : BoardSetCount) * BoardsPerTable;
    if (tables % 2 == 0) {
      MitchellType = SavedMitchellType;
      if (MitchellType == 0) {
        MitchellType = askMitchellType(tables);
        if (MitchellType == 1) RoundCount = tables - 1;
        if (MitchellTypeRemembered) {
          SavedMitchellType = MitchellType;
          WriteSettingLine(kMitchellTypeFile, QString::number(MitchellType));
        }
      }
    } else {
      MitchellType = 0;
    }
    AskRoundsToPlay();
  }
  GenerateMitchell();
  ComputeDealCount();
  RenumberMitchellEastWest();
  SaveResults();
  return true;
}

bool ChooseMovement() {
  if (!CheckPairs()) return false;
  SavePairsFile();
  ImpScoring = false;
  IsPatton = false;
  deletePatFile();
  for (;;) {
    BoardCount = kMaxBoards;
    ClearAllResults();
    ResultSlotCount = ResultsPerBoard * kMaxBoards;
    MitchellType = 0;
    Next next = Next::ShowChoice;
    QString path;
    while (next == Next::ShowChoice) {
      int choice = (ClubMode && ClubMovements) ? 10 : askMovementKind();
      if (choice == kClubOnlyFromNow) ChoiceResult = 10;
      switch (choice) {
        case 0: return false;
        case 1:
          MitchellNumbering = true;
          IsHowell = false;
          ComputeTablesAndRounds();
          IsAppendix = false;
          ArrowSwitch = false;
          ArrowSwitchText.clear();
          MovementFileName.clear();
          if (!AskMitchellBoardsPerTable()) {
            next = Next::Restart;
            break;
          }
          ComputeDealCount();
          SaveResults();
          return true;
        case 2:
          MovementFolderInUse = MovementFolder;
          next = chooseListedFile(false, path);
          break;
        case 4:
          next = appendixFile(7, 14, 28, QStringLiteral("Ce Mitchell-Appendix est impossible!"), path);
          break;
        case 5:
          next = appendixFile(9, 18, 36, QStringLiteral("Ce Mitchell/Appendice est impossible!"), path);
          break;
        case 7: next = openFile(path); break;
        case 9: next = pattonFile(path); break;
        case 10:
        case kClubOnlyFromNow: next = clubFile(choice == kClubOnlyFromNow, path); break;
        default: break;  // the Barometer is not offered
      }
      if (next == Next::Read && !platform::fileExists(path)) {
        ShowAlert(QStringLiteral("Pas trouvé le fichier \"") + path + QStringLiteral("\" !"));
        next = Next::ShowChoice;
      }
    }
    if (next == Next::Abandon) return false;
    if (next == Next::Restart) continue;
    if (!ReadMovementFile(platform::resolvePath(path))) return false;
    if (MitchellNumbering) RenumberMitchellEastWest();
    AskRoundsToPlay();
    ComputeDealCount();
    SaveResults();
    return true;
  }
}
