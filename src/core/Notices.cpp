#include "core/Notices.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "platform/Clock.h"
#include "platform/Speech.h"

namespace ui {

void ShowNotice(const QString& form, const QString& text) {
  const NoticeWindow w = flowWindows().notices.value(form);
  if (w.show) w.show(text);
}

void HideNotice(const QString& form) {
  const NoticeWindow w = flowWindows().notices.value(form);
  if (w.hide) w.hide();
}

}  // namespace ui

void CallReferee(const QString& text) {
  for (int i = 0; i < 3; ++i) {
    if (i > 0) PauseMs(200);
    ui::interaction().beep();
  }
  ui::ShowNotice(forms::CriticalMessage,
                 platform::now().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" - ") + text);
  platform::speak(QStringLiteral("J'appelle l'arbitre"));
}
