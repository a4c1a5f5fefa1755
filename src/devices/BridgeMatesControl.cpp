#include "devices/BridgeMatesControl.h"

#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/Settings.h"
#include "devices/SessionDatabase.h"
#include "platform/Process.h"
#include "platform/Registry.h"

#include <algorithm>

namespace {

void startControlProgram() {
  const int result = platform::processes().start(BridgeMatesControlProgram(), BridgeMatesControlArguments());
  if (result > 32) {
    WriteRecoveryCounters();
    return;
  }
  ShowAlert(QStringLiteral("Erreur ") + QString::number(result) + QStringLiteral(" au lancement de ") +
            kBridgeMatesControlName + QStringLiteral(". Impossible de continuer! On arrête"));
  StopCompanionsAndHalt();
}

}  // namespace

QStringList BridgeMatesControlArguments() {
  QStringList args = {QStringLiteral("/f:[") + BwsFileName + QStringLiteral("]"), QStringLiteral("/s"),
                      QStringLiteral("/h:[1]"), QStringLiteral("/r"), QStringLiteral("/m")};
  if (EnterDealsAtTable) args << QStringLiteral("/h[1]");
  return args;
}

void CheckControlProgramRegistry() {
  platform::Registry& reg = platform::registry();
  if (reg.keyExists(platform::kBridgeMatesSettingsKey)) {
    reg.setValue(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue, QStringLiteral("no"));
    return;
  }
  // There is no Windows registry here: the message says which key is missing,
  // in which file that stands for the registry, and what to write there.
  ShowAlert(QStringLiteral("Je ne trouve pas la clé RFCM de BMPro (la section [") + platform::kBridgeMatesSettingsKey +
            QStringLiteral("]) dans le fichier ") + reg.location() +
            QStringLiteral(", qui tient lieu ici de registre de Windows. Ajoutez-y cette ligne de section suivie de la "
                           "ligne ") +
            platform::kOverrideDbSettingsValue +
            QStringLiteral("=no (voir le README). Sinon, BMPro et les BridgeMates risquent de ne pas fonctionner "
                           "correctement..."));
}

void SetHandRecordSettings() {
  OpenSessionDatabase(BwsFileName);
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("[Settings]"));
  t.open();
  t.first();
  t.edit();
  t.setYesNo(QStringLiteral("BM2EnterHandRecord"), EnterDealsAtTable);
  if (EnterDealsAtTable) t.setInteger(QStringLiteral("BM2EnterHandRecordWhen"), 1);
  t.post();
  t.close();
  CloseSessionDatabase();
}

void StartBridgeMatesControl() {
  CheckControlProgramRegistry();
  SetHandRecordSettings();
  startControlProgram();
}

void RestartBridgeMatesControl() {
  CheckControlProgramRegistry();
  if (platform::processes().isRunning(kBridgeMatesControlName)) {
    platform::processes().stop(kBridgeMatesControlName);
    PauseMs(1000);
  }
  SetHandRecordSettings();
  startControlProgram();
}

// --- Settings of the scorers ------------------------------------------------

BridgeMatesParamsView BridgeMatesParamsOnShow() {
  BridgeMatesParamsView view;
  if (!SettingExists(QStringLiteral("BMParams.TXT"))) return view;
  view.checkBox1 = BmLeadCard;
  view.checkBox2 = BmValidateLeadCard;
  view.checkBox3 = BmShowPlayerNames;
  view.checkBox4 = BmNoBlankMemberNumber;
  view.radioGroup1Item = std::clamp(NameDisplayMode, 1, 3) - 1;
  view.edit1 = BridgeMatesPin;
  return view;
}

bool BridgeMatesParamsOk(BridgeMatesParamsView& view) {
  if (view.checkBox2 && !view.checkBox1) {
    ShowAlert(QStringLiteral("Désolé, vous ne pouvez pas cocher la validation de la carte d'entame si l'introduction "
                             "de celle-çi n'est pas cochée..."));
    view.checkBox2 = false;
    return false;
  }
  if (view.edit1.isEmpty()) {
    ShowAlert(QStringLiteral("Désolé, vous devez introduire un code PIN non vide..."));
    view.edit1 = BridgeMatesPin;
    return false;
  }
  if (view.edit1.size() != 4) {
    ShowAlert(QStringLiteral("Désolé, le code PIN de l'arbitre doit avoir 4 caractéres..."));
    return false;
  }
  bool digits = true;
  for (const QChar c : view.edit1) digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
  if (!digits) {
    ShowAlert(QStringLiteral("Désolé, le code PIN de l'arbitre doit avoir 4 chiffres..."));
    return false;
  }
  SaveBridgeMatesParams(view);
  return true;
}

void BridgeMatesNameModeClick(int item) {
  NameDisplayMode = item + 1;
  WriteSettingLine(QStringLiteral("AffichageNoms.TXT"), QString::number(NameDisplayMode));
}

void SaveBridgeMatesParams(const BridgeMatesParamsView& view) {
  BmLeadCard = view.checkBox1;
  BmValidateLeadCard = view.checkBox2;
  BmShowPlayerNames = view.checkBox3;
  BmNoBlankMemberNumber = view.checkBox4;
  NameDisplayMode = view.radioGroup1Item + 1;
  BridgeMatesPin = view.edit1;
  WriteBMParams();
}
