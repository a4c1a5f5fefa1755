#include "core/Messages.h"

#include "core/Globals.h"
#include "core/Interaction.h"

void ShowMessageWindow(const QString& text) { ui::interaction().showMessage(text); }

void ShowAlert(const QString& text) {
  ui::interaction().beep();
  ShowMessageWindow(text);
}

void ShowAlertWithBeeps(int count, const QString& text) {
  for (int i = 0; i < count; ++i) {
    ui::interaction().beep();
    PauseMs(100);
  }
  ShowAlert(text);
}

void PauseMs(int milliseconds) {
  if (milliseconds > 0) ui::interaction().pause(milliseconds);
}

void ShowAboutMessage() {
  ShowMessageWindow(QStringLiteral("Talvaron version ") + VersionText +
                    QStringLiteral(" - calcul des tournois de bridge par paires - ") + DateYear);
}
