#include "devices/Companions.h"

#include "core/DeviceFiles.h"
#include "core/DeviceNumbers.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Notices.h"
#include "core/Settings.h"
#include "core/TournamentFileLines.h"
#include "devices/TablesServer.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kOverrideFile = QStringLiteral("overrideDBSettings.TXT");
const QString kPasswordFile = QStringLiteral("ANDROIDPASSWORD.TXT");

bool registryInPlay() { return ClubMode && BridgeMatesMode; }

}  // namespace

void SaveOverrideDBSettings() {
  if (!registryInPlay()) return;
  const QString file = ProgramFolder + kOverrideFile;
  if (platform::fileExists(file)) return;
  platform::Registry& r = platform::registry();
  QString value = QStringLiteral("yes");
  if (r.keyExists(platform::kBridgeMatesSettingsKey))
    value = r.value(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue).value_or(QString());
  tournament_files::RewriteWholeFile(file, value + QStringLiteral("\r\n"));
}

void SetOverrideDBSettings(const QString& value) {
  if (!registryInPlay()) return;
  platform::Registry& r = platform::registry();
  if (r.keyExists(platform::kBridgeMatesSettingsKey))
    r.setValue(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue, value);
}

void RestoreOverrideDBSettings() {
  if (!registryInPlay()) return;
  const QString file = ProgramFolder + kOverrideFile;
  const bool saved = platform::fileExists(file);
  const QString value = saved ? platform::tryReadFirstLine(file).value_or(QString()) : QStringLiteral("yes");
  platform::Registry& r = platform::registry();
  if (r.keyExists(platform::kBridgeMatesSettingsKey))
    r.setValue(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue, value);
  platform::deleteFile(file);
}

bool WindowsTabletServerPresent() { return platform::fileExists(ProgramFolder + kTabletServerName); }

void StartTabletServer() {
  if (WindowsTabletServerPresent()) StartCompanionOrHalt(kTabletServerName, false);
  StartTabletCompanion();
  WriteRecoveryCounters();
}

void StartTabletCompanion() {
  WriteRecoveryCounters();
  if (WindowsTabletServerPresent()) StartCompanionOrHalt(kTabletCompanionName, false);
  StartTablesServer();
}

void SetTabletPassword(const QString& typed) {
  TabletPassword = typed;
  const QString file = ProgramFolder + kPasswordFile;
  if (typed.compare(kDefaultTabletPassword, Qt::CaseInsensitive) != 0) {
    tournament_files::RewriteWholeFile(file, typed + QStringLiteral("\r\n"));
  } else {
    TabletPassword = kDefaultTabletPassword;
    platform::deleteFile(file);
  }
}

void ChangeTabletPassword() {
  ui::TextQuestion question;
  question.form = forms::TabletPassword;
  question.caption = QStringLiteral("Mot de passe");
  question.prompt = QStringLiteral("Nouveau mot de passe:");
  question.text = TabletPassword;
  const std::optional<QString> typed = ui::interaction().askText(question);
  if (!typed) {
    ChoiceResult = 0;
    return;
  }
  SetTabletPassword(*typed);
}
