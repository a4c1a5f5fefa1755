#include "scoring/ui/ScoreConfirmationWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QApplication>
#include <QLabel>

#include <algorithm>

TForm60::TForm60(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(forms::ScoreConfirmation);
  label()->setFont(ui::FontFor(QStringLiteral("MS Sans Serif"), std::max(QApplication::font().pointSize(), 9) + 4, true));
  // It places itself beside the entry window.
  ui::StyleWindow(this, {.centre = false});
}

void TForm60::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  // Beside the entry window the score was typed in, leaving its line visible.
  if (QWidget* entry = QApplication::activeWindow(); entry && entry != this)
    move(entry->frameGeometry().topLeft() + QPoint(400, 50));
}
