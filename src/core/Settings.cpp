#include "core/Settings.h"

#include "core/CompanionPrograms.h"
#include "core/ErrorReports.h"
#include "core/ExchangeFiles.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/State.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/TextFiles.h"

#include <QSet>

#include <optional>

namespace {

// A text that converts to an integer.
std::optional<int> integerOf(const QString& text) {
  bool ok = false;
  const int n = text.toInt(&ok);
  if (!ok) return std::nullopt;
  return n;
}

// The integer a line begins with (blanks before it skipped; the rest of the
// line, after a blank, is free text).
std::optional<int> leadingInteger(const QString& line) {
  const QString t = line.trimmed();
  qsizetype end = 0;
  while (end < t.size() && !t[end].isSpace()) ++end;
  return integerOf(t.left(end));
}

void warn(const QString& text) {
  ui::interaction().beep();
  ui::interaction().showSystemMessage(text);
}

// A value file read as one integer: absent gives the default silently; a
// content that is not a number, or a number out of range, gives the default
// after a beep and a message naming the file, the text and the value used.
int readCheckedValue(const QString& name, int low, int high, int fallback, bool wholeLine) {
  const auto line = SettingFirstLine(name);
  if (!line) return fallback;
  const QString text = line->trimmed();
  const std::optional<int> n = wholeLine ? integerOf(text) : leadingInteger(text);
  if (!n) {
    warn(name + QStringLiteral(" ne contient pas un nombre (") + text + QStringLiteral("). Il est mis à %1...").arg(fallback));
    return fallback;
  }
  if (*n < low || *n > high) {
    warn(name + QStringLiteral(" contient un nombre incorrect (%1). Il est mis à %2...").arg(*n).arg(fallback));
    return fallback;
  }
  return *n;
}

QString withSlash(QString folder) {
  if (!folder.endsWith('/')) folder += '/';
  return folder;
}

void setMovementFolders() {
  const QString howells = ProgramFolder + QStringLiteral("Howells/");
  if (ClubMode) {
    platform::makeFolder(platform::resolvePath(howells));
    MovementFolder = withSlash(platform::resolvePath(howells));
    const QString club = MovementFolder + QStringLiteral("Bralmet/");
    platform::makeFolder(platform::resolvePath(club));
    ClubMovementFolder = withSlash(platform::resolvePath(club));
    MovementFolderInUse = ClubMovementFolder;
  } else {
    MovementFolder = platform::folderExists(howells) ? withSlash(platform::resolvePath(howells)) : ProgramFolder;
    MovementFolderInUse = MovementFolder;
  }
}

// Writes a value file's default. A failed write (a read-only program folder)
// is reported once per file and the default is used all the same.
void writeDefault(const QString& name, const QString& line) {
  static QSet<QString> reported;
  try {
    WriteSettingLine(name, line);
  } catch (const platform::IoError&) {
    const QString path = SettingsPath(name);
    if (reported.contains(path)) return;
    reported.insert(path);
    ReportEscapedError(std::current_exception());
  }
}

// A value file holding one line, created with its default when absent.
QString lineOrCreate(const QString& name, const QString& fallback) {
  if (const auto line = SettingFirstLine(name)) return *line;
  writeDefault(name, fallback);
  return fallback;
}

int readPbnOption() {
  const auto line = SettingFirstLine(QStringLiteral("OPTIONPBN.TXT"));
  if (!line) {
    writeDefault(QStringLiteral("OPTIONPBN.TXT"), QString::number(kDefaultPbnOption));
    return kDefaultPbnOption;
  }
  // A number outside 1..4 is kept: the PBN import reports it and resets it.
  return leadingInteger(*line).value_or(kDefaultPbnOption);
}

const QString kNeverRunText = QStringLiteral(
    "BMPro.EXE (BCS) n'a jamais été lancé!\r\n\r\n"
    "La clé HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\r\n"
    "\\RFCM\\Settings pour BMPro n'existe pas dans le registre de Windows.\r\n\r\n"
    "Dès que BMPro est lancé, vous devez absolument:\r\n\r\n"
    "1) Mettre BMPro en Français s'il est en Anglais:\r\n"
    "utilisez le menu \"Tools-> Language\" ou \"Outils->Langage\"\r\n\r\n"
    "2) Décider que c'est BCS qui gère les paramètres de BMPro:\r\n"
    "utilisez le menu \"Outils->Options->Bridgemate\"\r\n"
    "ou \"Tools->Otions/BridgeMate\"\r\n"
    "et cochez, à droite audessus, le bouton \"BridgeMate Control\"\r\n\r\n"
    "3) Quitter BMPro.\r\n\r\n"
    "Si vous ne faites pas cela, BMPro et les BridgeMates\r\n"
    "risquent de ne pas fonctionner correctement.");

// First use of BridgeMates in club mode: the control program's registry
// value is set to "no", after a first run of the control program when its
// key does not exist yet.
void prepareControlProgramRegistry() {
  platform::Registry& reg = platform::registry();
  if (reg.keyExists(platform::kBridgeMatesSettingsKey)) {
    reg.setValue(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue, QStringLiteral("no"));
    return;
  }
  const QString exe = QStringLiteral("BMPro.EXE");
  if (platform::processes().isRunning(exe)) {
    platform::processes().stop(exe);
    PauseMs(1000);
  }
  const int result = platform::processes().start(BridgeMatesControlProgram(), {});
  if (result == platform::kStartNotFound) {
    ShowAlert(QStringLiteral("Pas trouvé ") + exe + QStringLiteral(". Impossible de continuer!"));
    StopCompanionsAndHalt();
  }
  if (result <= 32) {
    ShowAlert(QStringLiteral("Erreur %1 au lancement de ").arg(result) + exe + QStringLiteral(". Impossible de continuer! On arrête"));
    StopCompanionsAndHalt();
  }
  ui::Ask({.form = forms::BridgeMatesFirstUse,
           .caption = QStringLiteral("Message"),
           .text = kNeverRunText,
           .buttons = {QStringLiteral("OK")},
           .codes = {1}});
  // The key is opened, never created: without it nothing is written.
  reg.setValue(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue, QStringLiteral("no"));
}

}  // namespace

QString SettingsPath(const QString& name) { return ProgramFolder + name; }

bool SettingExists(const QString& name) { return platform::fileExists(SettingsPath(name)); }

std::optional<QString> SettingFirstLine(const QString& name) { return platform::tryReadFirstLine(SettingsPath(name)); }

void CreateEmptySetting(const QString& name) {
  TextFile f;
  SafeRewrite(f, SettingsPath(name));
  CloseTextFile(f);
}

void WriteSettingLine(const QString& name, const QString& line) {
  TextFile f;
  SafeRewrite(f, SettingsPath(name));
  f.writeLine(line);
  CloseTextFile(f);
}

void DeleteSetting(const QString& name) { platform::deleteFile(SettingsPath(name)); }

platform::ProgramFolderStart MakeProgramFolder() {
  return platform::prepareProgramFolder({exchange::kPlayersListFile});
}

void CheckPlayerFile() {
  const bool f = SettingExists(exchange::kOldPlayersListFile);
  const bool j = SettingExists(exchange::kPlayersListFile);
  if (!f && !j) {
    warn(QStringLiteral("Attention! Un des fichiers de joueurs FICHIER.TXT ou JOUEURS.TXT doit absolument être présent. "
                        "Désolé, on arrête..."));
    HaltProgram();
  }
  if (f && j) {
    warn(QStringLiteral("Vous avez créé les deux fichiers FICHIER.TXT et JOUEURS.TXT. Le premier est juste historique. "
                        "Effacez-le et recommencez!"));
    HaltProgram();
  }
  PlayersFileFound = true;
  PlayersFileName = f ? exchange::kOldPlayersListFile : exchange::kPlayersListFile;
}

void LoadStartupOptions() {
  Interactive = false;
  TabletPassword = SettingFirstLine(QStringLiteral("ANDROIDPASSWORD.TXT")).value_or(kDefaultTabletPassword);
  // The club's name heads every printout and export; a club without the
  // file has none.
  ClubName = SettingFirstLine(QStringLiteral("CLUB.TXT")).value_or(QString()).simplified();
  setMovementFolders();
  ClubMovements = SettingExists(QStringLiteral("MouvementsBralmet.TXT"));
  AskOpeningLead = SettingExists(kAskLeadFile);

  CoherenceTest = true;
  MitchellNumbering = true;
  IsHowell = false;
  ArrowSwitch = false;
  ClearPairSlots();

  SheetOrderByRounds = !SettingExists(kSheetsByNsFile);
  CumulativeTotals = false;
  AutoVentilation = !SettingExists(kVentilationOffFile);
  SheetLineSkip = SettingExists(kLineSkipFile);
  ImpScoring = false;

  MixingPercent = readCheckedValue(kMixingFile, 0, 100, kDefaultMixingPercent, false);
  // 1 skip at half-time, 2 relay table; anything else asks (0).
  SavedMitchellType = 0;
  if (const auto line = SettingFirstLine(kMitchellTypeFile))
    if (const auto n = leadingInteger(*line); n && *n >= 0 && *n <= 2) SavedMitchellType = *n;
  RoundsShownCount = readCheckedValue(QStringLiteral("nToursAffichage.TXT"), -1, 10, kDefaultRoundsShown, true);
  PercentagesFromRound =
      readCheckedValue(QStringLiteral("nToursPourcentages.TXT"), 0, 9998, kDefaultPercentagesFromRound, true);

  ScoresTimesTen = SettingExists(kTimesTenFile);

  PbnOption = readPbnOption();
  if (PbnOption == 4) PbnName = lineOrCreate(QStringLiteral("NOMPBN.TXT"), QStringLiteral("TEST"));
}

void ReadPbnOptions() {
  PbnOption = readPbnOption();
  PbnName = lineOrCreate(QStringLiteral("NOMPBN.TXT"), QStringLiteral("TEST"));
  const QString folder = lineOrCreate(QStringLiteral("DOSSIERPBN.TXT"), DataFolder).trimmed();
  DiagramFolder = folder.isEmpty() ? DataFolder : withSlash(folder);
}

void ReadBMParams() {
  if (const auto lines = platform::tryReadTextLines(SettingsPath(QStringLiteral("BMParams.TXT")))) {
    auto line = [&](int n) { return n <= lines->size() ? std::optional<QString>(lines->at(n - 1)) : std::nullopt; };
    // A flag is on only when its line begins with 1; a missing line keeps the default (on).
    auto flag = [&](int n) {
      const auto l = line(n);
      return l ? leadingInteger(*l) == 1 : true;
    };
    BmLeadCard = flag(1);
    BmValidateLeadCard = flag(2);
    BmShowPlayerNames = flag(3);
    BmNoBlankMemberNumber = flag(4);
    const std::optional<int> mode = line(5) ? leadingInteger(*line(5)) : std::nullopt;
    NameDisplayMode = mode && *mode >= 1 && *mode <= 3 ? *mode : 1;
    BridgeMatesPin = line(6) ? line(6)->left(4) : kDefaultBridgeMatesPin;
    return;
  }
  ShowAlert(QStringLiteral("La première fois que vous utilisez les BridgeMates, vous allez devoir créer certains "
                           "paramètres. Vous pourrez encore les modifier plus tard dans les options du programme..."));
  BmLeadCard = BmValidateLeadCard = BmShowPlayerNames = BmNoBlankMemberNumber = true;
  NameDisplayMode = 1;
  BridgeMatesPin = kDefaultBridgeMatesPin;
  ui::Ask({.form = forms::BridgeMatesSettings,
           .caption = QStringLiteral("Paramètres pour BridgeMates"),
           .text = QStringLiteral("Modifiez ces paramètres pour les BridgeMates"),
           .buttons = {QStringLiteral("OK")},
           .codes = {1}});
  // The window writes the file at its OK; it is written in any case, so that
  // the first-use message is shown once.
  if (!SettingExists(QStringLiteral("BMParams.TXT"))) WriteBMParams();
  if (ClubMode && BridgeMatesMode) prepareControlProgramRegistry();
}

bool ReadDeviceKind() {
  QString kind = SettingFirstLine(QStringLiteral("QUILLMARKE.TXT")).value_or(QString());
  if (kind != kTabletsKind && kind != kBridgeMatesKind) {
    if (!kind.isEmpty())
      ShowAlert(QStringLiteral("Problème: les dispositifs ne sont ni des tablettes ni des BridgeMates! On suppose des tablettes..."));
    kind = kTabletsKind;
    writeDefault(QStringLiteral("QUILLMARKE.TXT"), kind);
  }
  BridgeMatesMode = kind == kBridgeMatesKind;
  TabletsMode = !BridgeMatesMode;
  return BridgeMatesMode;
}

void WriteDeviceKind(const QString& kind) { WriteSettingLine(QStringLiteral("QUILLMARKE.TXT"), kind); }

namespace {

QString onOff(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

void WriteBMParams() {
  const QStringList lines = {onOff(BmLeadCard) + QStringLiteral(" LeadCard"),
                             onOff(BmValidateLeadCard) + QStringLiteral(" BM2ValidateLeadCard"),
                             onOff(BmShowPlayerNames) + QStringLiteral(" BM2ShowPlayerNames"),
                             onOff(BmNoBlankMemberNumber) + QStringLiteral(" MemberNumbersNoBlankEntry"),
                             QString::number(NameDisplayMode) + QStringLiteral(" AffichageNoms"),
                             BridgeMatesPin + QStringLiteral(" BM2PinCode")};
  TextFile f;
  SafeRewrite(f, SettingsPath(QStringLiteral("BMParams.TXT")));
  for (const QString& line : lines) f.writeLine(line);
  CloseTextFile(f);
}

void SetPbnCountHidden(bool hidden) {
  const QString name = ProgramFolder + QStringLiteral("MSG2.TXT");
  if (!hidden) {
    platform::deleteFile(name);
    return;
  }
  TextFile file;
  SafeRewrite(file, name);
  file.writeLine(QStringLiteral("Ne plus afficher le nombre d'étuis lus dans le PBN"));
  CloseTextFile(file);
}
