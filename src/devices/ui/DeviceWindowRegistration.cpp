#include "devices/ui/DeviceWindowRegistration.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/WindowInteraction.h"
#include "devices/ui/BridgeMatesFirstUseWindow.h"
#include "devices/ui/BridgeMatesSettingsWindow.h"
#include "devices/ui/ClubLicenceWindow.h"
#include "devices/ui/CollectionPauseWindow.h"
#include "devices/ui/CorrectionNoteWindow.h"
#include "devices/ui/TableStatusStripWindow.h"
#include "devices/ui/TabletPasswordWindow.h"

#include <QPointer>

namespace {

TForm109* informationWindow() {
  static QPointer<TForm109> window;
  if (!window) window = new TForm109;
  return window;
}

}  // namespace

void RegisterDeviceWindows() {
  ui::RegisterTextWindow(forms::ClubLicence, [](const ui::TextQuestion&) -> std::optional<QString> {
    TForm72 window;
    return window.ask();
  });
  ui::RegisterChoiceWindow(forms::BridgeMatesSettings, [](const ui::Choice& c) {
    TForm93 window;
    return window.exec() == QDialog::Accepted ? (c.codes.isEmpty() ? 1 : c.codes.first()) : c.cancelCode;
  });
  ui::RegisterChoiceWindow(forms::BridgeMatesFirstUse, [](const ui::Choice& c) {
    TForm97 window;
    window.setText(c.text);
    return window.exec() == QDialog::Accepted ? (c.codes.isEmpty() ? 1 : c.codes.first()) : c.cancelCode;
  });
  ui::RegisterChoiceWindow(forms::CollectionPause, [](const ui::Choice& c) {
    TForm66 window;
    return window.exec() == QDialog::Accepted ? window.answer() : c.cancelCode;
  });
  ui::RegisterTextWindow(forms::TabletPassword, [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm94 window;
    window.setCurrentPassword(q.text);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.typedPassword();
  });
  flowWindows().notices.insert(
      forms::CorrectionNote,
      {[](const QString& text) { informationWindow()->showText(text); }, [] { informationWindow()->hide(); }});
  RegisterTableStatusStrip();
}
