#include "flows/Reload.h"

#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/State.h"
#include "core/TournamentFileLines.h"
#include "core/TournamentFiles.h"
#include "flows/TournamentMenu.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"
#include "publishing/HandRecords.h"
#include "scoring/Cumulative.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairsEntry.h"
#include "setup/Parameters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

using namespace tournament_files;

namespace {

constexpr int kMaxTournaments = 1000;
const QString kCrLf = QStringLiteral("\r\n");

QString FileOf(const QString& code, const char* extension) { return TournamentFileName(code, QLatin1String(extension)); }
bool Exists(const QString& code, const char* extension) { return platform::fileExists(FileOf(code, extension)); }

// A refusal: its message, then the start screen again.
bool Refuse(const QString& message) {
  ShowAlert(message);
  ShowStartScreen();
  return false;
}

QString CodeOf(const QString& fileName) { return fileName.section(u'.', 0, 0); }

QString DateOfFile(const QString& path) {
  return QFileInfo(platform::resolvePath(path)).lastModified().toString(QStringLiteral("dd/MM/yyyy"));
}

// ".DAT" for a tournament that lost it: the date of its pairs file and an
// unknown weekday, with the devices line when devices are in use.
void CreateMissingDatFile(const QString& code) {
  QString text = DateOfFile(FileOf(code, ".PAI")) + kCrLf + QStringLiteral("Jour: ?");
  if (TableDevicesMode) text += kCrLf + DatDevicesLine();
  RewriteWholeFile(FileOf(code, ".DAT"), text);
}

// Every file name of DataFolder whose code (the name before its first ".")
// is code, compared without regard to case.
QStringList FilesOfCode(const QString& code) {
  QStringList found;
  for (const QString& name : platform::listFolder(DataFolder, QStringLiteral("*")))
    if (CodeOf(name).compare(code, Qt::CaseInsensitive) == 0) found << name;
  return found;
}

// Lets the director choose among the saved tournaments. Empty when there is
// none, when there are too many, after a refused rename, or when cancelled
// (each with its message, the start screen shown again).
QString ChooseTournament() {
  const QStringList pairsFiles = platform::listFolder(DataFolder, QStringLiteral("*.PAI"));
  if (pairsFiles.size() > kMaxTournaments) {
    Refuse(QStringLiteral("Le nombre de tournois est plus grand que 1000! Utilisez d'abord le programme Purgassin.EXE "
                          "pour mettre de l'ordre... Désolé!"));
    return {};
  }
  QStringList codes;
  for (const QString& name : pairsFiles) {
    const QString code = CodeOf(name);
    if (code.isEmpty()) continue;
    const QString repaired = RepairedTournamentCode(name);
    if (repaired != code) {
      ShowAlert(QStringLiteral("Je trouve au moins un caractère non-alphanumérique ( aA...zZ 1...0) dans le nom du "
                               "fichier ") +
                name + QStringLiteral(". Je vais d'abord changer les noms des fichiers \"") + code +
                QStringLiteral("\" d'extensions .PAI, .VAR, .MUL, .ADJ, .PEN, .PAT, .AS, .CUM, .SEA, .DIA, .SPECS, .DAT "
                               "etc... en \"") +
                repaired + QStringLiteral("\"."));
      if (!RenameTournamentFiles(code, repaired)) {
        ShowStartScreen();
        return {};
      }
    }
    codes << repaired;
  }
  if (codes.isEmpty()) {
    Refuse(QStringLiteral("Pas trouvé de fichiers *.PAI dans le répertoire ") + DataFolder +
           QStringLiteral(". Aucun tournoi à recharger!"));
    return {};
  }
  for (const QString& code : codes)
    if (!Exists(code, ".DAT")) CreateMissingDatFile(code);

  const QStringList lines = TournamentChooserLines(codes);
  ui::ListChoice choice;
  choice.form = forms::TournamentChoice;
  choice.caption = QStringLiteral("Choix du tournoi ");
  choice.headings = {QStringLiteral("Choix du tournoi à recharger:")};
  choice.hint = QStringLiteral("Esc = Retour au menu");
  choice.lines = lines;
  choice.current = 1;  // highlighted at once: Enter resumes it
  const int chosen = ui::AskLine(choice);
  if (chosen < 1 || chosen > lines.size()) {
    ShowStartScreen();
    return {};
  }
  return lines[chosen - 1].section(QStringLiteral(" du "), 0, 0);
}

// The date and title: from ".DAT" (date parts trimmed, the title whatever the
// date), else from the pairs file's date.
void ReadTournamentDate() {
  if (const auto lines = platform::tryReadTextLines(FileOf(TournamentCode, ".DAT"))) {
    TournamentTitle = lines->value(1);
    int kind = 0;
    bool pairsEntered = false, dealsAtTable = false;
    TabletsInUse = BridgeMatesMode && ReadDatDevicesLine(kind, pairsEntered, dealsAtTable) && kind == 3;
    return;
  }
  TabletsInUse = false;
  const QDate date = QFileInfo(platform::resolvePath(FileOf(TournamentCode, ".PAI"))).lastModified().date();
  DateDay = date.toString(QStringLiteral("dd"));
  DateMonth = date.toString(QStringLiteral("MM"));
  DateYear = date.toString(QStringLiteral("yyyy"));
  TournamentTitle = FrenchWeekdayName(date);
}

// The frequency adjustments of ".ADJ" put back on their slots; lines that
// name no slot of the tournament are passed over.
void ReadAdjustments() {
  const auto lines = platform::tryReadTextLines(FileOf(TournamentCode, ".ADJ"));
  if (!lines) return;
  for (const QString& line : *lines) {
    const auto adj = scoring::ParseAdjustmentLine(line);
    if (!adj || adj->slot < 1 || adj->slot > ResultSlotCount) continue;
    ResultSlots::SetPercentages(adj->slot, adj->ns, adj->ew);
  }
}

}  // namespace

QString SavedTournamentNote(const QString& code) {
  const SavedTournamentSummary saved = SummariseSavedTournament(code);
  QString note = QStringLiteral("   (") + ResultsCountText(saved.results);
  if (saved.lastChange.isValid())
    note += QStringLiteral(", modifié le ") + saved.lastChange.toString(QStringLiteral("dd/MM/yyyy")) +
            QStringLiteral(" à ") + saved.lastChange.toString(QStringLiteral("HH:mm"));
  return note + u')';
}

QString RepairedTournamentCode(const QString& pairsFileName) {
  QString code = CodeOf(pairsFileName);
  // The parameters window's own test: "ſ" upper-cases to "S" but is no code character.
  for (QChar& c : code)
    if (!IsCodeCharacter(c)) c = u'X';
  return code;
}

bool RenameTournamentFiles(const QString& oldCode, const QString& newCode) {
  if (!FilesOfCode(newCode).isEmpty()) {
    ShowAlert(QStringLiteral("Impossible de changer les noms des fichiers \"") + oldCode + QStringLiteral("\" en \"") +
              newCode + QStringLiteral("\": il existe déjà des fichiers du tournoi \"") + newCode +
              QStringLiteral("\" dans le dossier ") + DataFolder +
              QStringLiteral(". Renommez ou déplacez ces fichiers avant de réessayer!"));
    return false;
  }
  for (const QString& name : FilesOfCode(oldCode)) {
    const QString target = DataFolder + newCode + name.mid(oldCode.size());
    if (!QFile::rename(DataFolder + name, target))
      throw platform::IoError(EIO, DataFolder + name,
                              QStringLiteral("Impossible de renommer le fichier ") + DataFolder + name +
                                  QStringLiteral(" en ") + target);
  }
  return true;
}

QStringList TournamentChooserLines(QStringList codes) {
  std::sort(codes.begin(), codes.end(), [](const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c > 0 : a > b;
  });
  QStringList lines;
  lines.reserve(codes.size());
  for (const QString& code : codes) {
    const QStringList dat = platform::tryReadTextLines(FileOf(code, ".DAT")).value_or(QStringList());
    lines << code + QStringLiteral(" du ") + dat.value(1) + u' ' + dat.value(0) + SavedTournamentNote(code);
  }
  return lines;
}

void CheckDateText(const QString& text) {
  ShowAlert(QStringLiteral("Erreur dans la date \"") + text + QStringLiteral("\". On garde ") + DateDay + u'/' + DateMonth +
            u'/' + DateYear + u'.');
}

bool TakeTypedDate(const QString& text) {
  const QStringList parts = text.split(u'/');
  int day = 0, month = 0, year = 0;
  const bool numbers = parts.size() == 3 && ToInteger(QStringView(parts[0]).trimmed(), day) &&
                       ToInteger(QStringView(parts[1]).trimmed(), month) &&
                       ToInteger(QStringView(parts[2]).trimmed(), year);
  const QDate date(year, month, day);
  if (!numbers || day < 1 || day > 31 || month < 1 || month > 12 || year < 1 || year > 3000 || !date.isValid()) {
    CheckDateText(text);
    return false;
  }
  DateDay = date.toString(QStringLiteral("dd"));
  DateMonth = date.toString(QStringLiteral("MM"));
  DateYear = QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
  DateShortText = DateDay + DateMonth + DateYear.right(2);
  TimeText = platform::now().toString(QStringLiteral("HHmmss"));
  TournamentTitle = FrenchWeekdayName(date);
  return true;
}

bool ReloadTournament(const QString& code) {
  DealsImported = false;
  if (code.isEmpty() || FederationMode) {
    const QString chosen = ChooseTournament();
    if (chosen.isEmpty()) return false;
    TournamentCode = chosen;
  } else {
    TournamentCode = code;
  }
  ReadDatFile();

  if (Exists(TournamentCode, ".CUM")) {
    ShowAlert(QStringLiteral("Vous recharchez le cumul d'un tournoi en plusieurs séances. Désolé! Il faut simplement "
                             "refaire le même cumul..."));
    HideStartScreen();
    ShowTournamentMenu();
    if (!CumulateTournaments(false, TournamentCode)) {
      HideTournamentMenu();
      ShowStartScreen();
    }
    return false;
  }

  IsPatton = Exists(TournamentCode, ".PAT");
  ImpScoring = IsPatton;
  ArrowSwitch = Exists(TournamentCode, ".AS");
  ArrowSwitchText.clear();
  if (ArrowSwitch) ArrowSwitchText = platform::readTextLines(FileOf(TournamentCode, ".AS")).value(0);

  if (!Exists(TournamentCode, ".PAI"))
    FatalStop(QStringLiteral("Impossible de lire le fichier de paires dans \"ChargerPaires\""));

  if (!Exists(TournamentCode, ".VAR") || !Exists(TournamentCode, ".MUL")) {
    platform::deleteFile(FileOf(TournamentCode, ".MUL"));
    ReadTournamentDate();
    ReadPairsFile(TournamentCode);
    for (int i = 0; i < 2; ++i) {
      ui::interaction().beep();
      PauseMs(100);
    }
    ui::TextQuestion question;
    question.form = forms::ReloadedTournamentParameters;
    question.caption = QStringLiteral("Paramètres du tournoi");
    question.prompt = QStringLiteral(
        "Vous venez de recharger un fichier de paires\r\nsans avoir réellement créé un tournoi.\r\nTapez la date à "
        "laquelle vous allez le jouer");
    question.text = DateDay + u'/' + DateMonth + u'/' + DateYear;
    const std::optional<QString> typed = ui::interaction().askText(question);
    if (typed && !typed->trimmed().isEmpty()) TakeTypedDate(typed->trimmed());
    SaveDatFile();
    HideStartScreen();
    ShowPairsEntry();
    return false;
  }

  ReadTournamentDate();
  const QStringList pairLines = ReadFileLines(FileOf(TournamentCode, ".PAI"));
  if (pairLines.size() > kMaxPairs) return Refuse(QStringLiteral("Trop de paires!"));
  ReadPairsFile(TournamentCode);

  ReadMulFile();
  ClearAllResults();
  ResultSlotCount = ResultsPerBoard * BoardCount;
  if (FederationMode && !Exists(TournamentCode, ".SPECS"))
    FatalStop(QStringLiteral("Pas de fichier ") + FileOf(TournamentCode, ".SPECS"));
  LoadResults();
  for (int b = 1; b <= kMaxBoards; ++b) DealDiagrams[b].clear();
  ReadDiaFile();
  StartDealAnalyses();  // read from ".DDM"; only a deal missing there is computed
  ReadAdjustments();
  return true;
}
