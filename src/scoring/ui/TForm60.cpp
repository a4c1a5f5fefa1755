#include "scoring/ui/TForm60.h"

#include <QApplication>
#include <QLabel>

TForm60::TForm60(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(QStringLiteral("TForm60"));
  QFont f = label()->font();
  f.setPointSize(f.pointSize() + 4);
  f.setBold(true);
  label()->setFont(f);
}

void TForm60::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  // Beside the entry window the score was typed in, leaving its line visible.
  if (QWidget* entry = QApplication::activeWindow(); entry && entry != this)
    move(entry->frameGeometry().topLeft() + QPoint(400, 50));
}
