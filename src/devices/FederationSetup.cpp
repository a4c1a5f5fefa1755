#include "devices/FederationSetup.h"

#include "core/Backups.h"
#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsFile.h"
#include "core/Settings.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesControl.h"
#include "devices/BridgeMatesDatabase.h"
#include "devices/Companions.h"
#include "devices/TableStates.h"
#include "devices/TabletFiles.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"
#include "setup/Movements.h"
#include "setup/Parameters.h"

#include <QFileInfo>

namespace {

const QString kClubNumberFile = QStringLiteral("LICENCEFFB.TXT");
const QString kFolderFile = QStringLiteral("FFBFOLDER.TXT");
const QStringList kKinds = {QStringLiteral("TPP"), QStringLiteral("IMP"), QStringLiteral("SIMUL"), QStringLiteral("MULTI"),
                            QStringLiteral("PATTON")};
const QString kSuffixes = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890");
constexpr int kMaxCandidates = 26;

QString today() { return DateYear + DateMonth + DateDay; }

// The file-open prompt for a session database; cancelling stops the program.
QString askDatabase(const QString& caption) {
  ui::PathQuestion question;
  question.caption = caption;
  question.folder = FederationFolder;
  question.filter = QStringLiteral("Fichiers BWS (*.BWS *.bws)");
  const auto chosen = ui::interaction().chooseFile(question);
  if (!chosen || chosen->trimmed().isEmpty()) StopCompanionsAndHalt();
  return chosen->trimmed();
}

bool tournamentExists(const QString& code) { return platform::fileExists(DataFolder + code + QStringLiteral(".PAI")); }

}  // namespace

bool ClubNumberOk(const QString& typed, QString& number) {
  number = typed.trimmed();
  if (!number.isEmpty()) return true;
  ShowAlert(QStringLiteral("Le champ ne peut être vide!"));
  return false;
}

void ReadClubFederationNumber() {
  if (SettingExists(kClubNumberFile)) {
    const QStringList lines = platform::readTextLines(SettingsPath(kClubNumberFile));
    const QString number = lines.isEmpty() ? QString() : lines.first().trimmed();
    if (!number.isEmpty()) {
      ClubFederationNumber = number;
      return;
    }
  }
  for (;;) {
    ui::TextQuestion question;
    question.form = forms::ClubLicence;
    question.caption = QStringLiteral("Licence");
    question.prompt = QStringLiteral("Introduisez le numéro de la licence FFB de votre Club");
    const auto typed = ui::interaction().askText(question);
    if (!typed) {
      flowSteps().quitProgram();
      continue;  // the quit was not confirmed: the number is still needed
    }
    QString number;
    if (!ClubNumberOk(*typed, number)) continue;
    ClubFederationNumber = number;
    WriteSettingLine(kClubNumberFile, number);
    return;
  }
}

QString NormaliseFederationFolder(const QString& folder) {
  QString f = folder.trimmed();
  f.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!f.endsWith(QLatin1Char('/'))) f += QLatin1Char('/');
  return f;
}

void AskFederationFolder() {
  ShowAlert(QStringLiteral("Pas trouvé le chemin vers FFBClubNet. Je vais vous demander de montrer ce dossier..."));
  ui::PathQuestion question;
  question.caption = QStringLiteral("Montrez le répertoire FFBClubNet. !! Annuler arrête Talvaron!");
  question.folder = platform::driveRootFolder();
  const auto chosen = ui::interaction().chooseFolder(question);
  if (!chosen || chosen->trimmed().isEmpty()) StopCompanionsAndHalt();
  FederationFolder = NormaliseFederationFolder(*chosen);
}

QStringList FederationCandidateFiles() {
  QStringList found;
  for (const QString& kind : kKinds) {
    const QString stem = FederationFolder + ClubFederationNumber + kind + today();
    QStringList names = {stem + QStringLiteral(".BWS")};
    for (const QChar c : kSuffixes) names << stem + c + QStringLiteral(".BWS");
    for (const QString& name : names) {
      if (found.size() >= kMaxCandidates) return found;
      if (platform::fileExists(name)) found << platform::resolvePath(name);
    }
  }
  return found;
}

void ChooseFfbBwsFile() {
  ReadClubFederationNumber();
  QString folder = platform::driveRootFolder() + QStringLiteral("FFBCLUBNET/");
  if (SettingExists(kFolderFile)) {
    const QStringList lines = platform::readTextLines(SettingsPath(kFolderFile));
    folder = lines.isEmpty() ? QString() : lines.first().trimmed();
    if (folder.isEmpty()) FatalStop(QStringLiteral("Le chemin vers FFBClubFile dans FFBFOLDER.TXT est vide... On quitte!"));
  }
  FederationFolder = NormaliseFederationFolder(folder);
  if (!platform::folderExists(FederationFolder)) AskFederationFolder();
  WriteSettingLine(kFolderFile, FederationFolder);

  if (ResumeChosen != 0) {
    FederationBwsFile = askDatabase(QStringLiteral("Choisissez le bon BWS. Si vous annulez, on quitte Talvaron!"));
    return;
  }
  const QStringList found = FederationCandidateFiles();
  const QString pattern = ClubFederationNumber + QStringLiteral("xxx") + today() + QStringLiteral("y") + QStringLiteral(".BWS");
  if (found.isEmpty())
    FatalStop(QStringLiteral("Je n'ai trouvé aucun fichier du type ") + QLatin1Char('"') + pattern + QLatin1Char('"') +
              QStringLiteral(" dans ") + FederationFolder + QStringLiteral(": on arrête Talvaron!"));
  if (found.size() == 1) {
    FederationBwsFile = found.first();
    return;
  }
  ShowAlert(QStringLiteral("J'ai trouvé ") + QString::number(found.size()) + QStringLiteral(" fichiers possibles du type ") +
            QLatin1Char('"') + pattern + QStringLiteral(" dans ") + FederationFolder +
            QStringLiteral(" : vous allez choisir le bon..."));
  FederationBwsFile = askDatabase(QStringLiteral("Choisissez le BWS. Si vous annulez, on quitte Talvaron!"));
}

void FederationParametersCreate(FederationParametersView& view) {
  view.date = TodayDateText();
  view.name = DefaultTournamentName();
  view.code = QStringLiteral("TEST");
}

int FederationCodeCheck(const QString& code) {
  TournamentCode = code;
  if (!tournamentExists(code)) return 1;
  if (code.compare(FederationTournamentCode(), Qt::CaseInsensitive) == 0) {
    // This import's own files, left by an earlier try of the same hour.
    for (const char* ext : {".PAI", ".VAR", ".MUL", ".ADJ", ".PEN", ".SEA", ".DAT"})
      platform::deleteFile(DataFolder + code + QLatin1String(ext));
    return 1;
  }
  const int answer = AskAboutExistingTournament(code);
  TournamentCode = code;
  if (answer != kEraseOld) return answer;
  SetAsideTournamentFiles(code, ConfirmedEraseFolder());
  return 1;
}

bool FederationParametersOk(FederationParametersView& view, const std::function<void()>& hideWindow) {
  DateText = view.date.isEmpty() ? QStringLiteral("Aujourd'hui") : view.date;
  TournamentName = view.name.isEmpty() ? QStringLiteral("Tournoi standard") : view.name;
  const QString code = view.code;
  TournamentCode = code;
  if (code.isEmpty()) {
    ShowAlert(QStringLiteral("Le code du tournoi ne peut être vide! Recommencez..."));
    return false;
  }
  for (const QChar c : code)
    if (!IsCodeCharacter(c)) {
      ShowAlert(QStringLiteral("Désolé, uniquement des caractères alphanumériques: aA...zZ 1...0"));
      return false;
    }
  DeleteSetting(QStringLiteral("NOMBM.TXT"));
  if (FederationCodeCheck(code) != 1) return false;
  TournamentCode = code;
  DeleteCurrentTournamentFiles();

  if (hideWindow) hideWindow();
  try {
    // The rounds: fixed when FFBClubNet already chose fewer than the movement has.
    // Against RoundsScheduled rather than RoundCount, which already equals RoundsPlayed here and would never differ.
    if (RoundsPlayed < RoundsScheduled) {
      if (MitchellType != 2)
        ShowAlert(QStringLiteral("Ce tournoi comporte en théorie ") + QString::number(RoundsScheduled) +
                  QStringLiteral(" tours. ") + QStringLiteral("Dans FFBClubNet, vous avez déjà choisi de n'en jouer que ") +
                  QString::number(RoundsPlayed) + QStringLiteral(".") +
                  QStringLiteral(" Donc, au contraire du programme standard, vous n'avez plus le choix du nombre de "
                                 "tours réellement joués..."));
    } else {
      AskRoundsToPlay();
    }

    ShowTournamentMenu();
    BwsFileName = DataFolder + code + QStringLiteral(".BWS");
    CopySessionDatabase(FederationBwsFile, BwsFileName);

    SaveDatFile();
    SavePairsFile();
    SaveResults();
    WritePairNameFiles();
    if (TableDevicesMode) PrepareTabletServer();

    ResetCounters();

    if (TableDevicesMode && TabletsMode) {
      StartTabletServer();
      flowSteps().startTabletRetrieval();
    }
    if (TableDevicesMode && BridgeMatesMode) {
      ShowTableStatusStrip();
      RestartBridgeMatesControl();
      flowSteps().startBridgeMatesRetrieval();
    }
    SavePairsFile();
    SaveResults();
    SaveDatFile();
  } catch (const FatalStopError&) {
    throw;
  } catch (...) {
    // Never left without a window.
    ShowStartScreen();
    throw;
  }
  return true;
}

QString FederationTournamentCode() { return DateYear + DateMonth + DateDay + TimeText.left(2); }

FederationSummary BuildFederationSummary() {
  FederationSummary f;
  f.code = TournamentCode;
  if (IsPatton) {
    f.movement = QStringLiteral("Patton");
  } else if (HerediaMovement != 0) {
    f.movement = QStringLiteral("Hérédia");
  } else {
    if (IsHowell)
      f.movement = QStringLiteral("Howell");
    else if (MitchellType == 0)
      f.movement = QStringLiteral("Mitchell standard");
    else if (MitchellType == 2)
      f.movement = QStringLiteral("Mitchell-Relais=Guéridon");
    else
      f.movement = QStringLiteral("Skip-Mitchell");
    if (FederationMovementKind == 1 || FederationMovementKind == 3) f.movement += QStringLiteral(" *RecEO*");
    if (FederationMovementKind == 2 || FederationMovementKind == 4) f.movement += QStringLiteral(" *NoRec*");
  }
  f.pairs = QString::number(PairCount);
  f.tables = HerediaMovement != 0 ? QString::number(TableCount) + QStringLiteral(" (au début)")
                                  : QString::number(ResultsPerBoard);
  if (!ByePresent)
    f.bye = QStringLiteral("NON");
  else if (IsHowell)
    f.bye = QString::number(ByePairNumber);
  else if (ByePairNumber <= TableCount)
    f.bye = QStringLiteral("N/S %1").arg(ByePairNumber);
  else
    f.bye = QStringLiteral("E/W %1").arg(ByePairNumber - TableCount);
  f.pairsNote = PairsEntered ? QStringLiteral("<- Déjà introduites dans FFBClubNet")
                             : QStringLiteral("<- A introduire sur les tablettes");
  return f;
}
