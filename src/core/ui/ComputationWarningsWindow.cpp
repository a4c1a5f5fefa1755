#include "core/ui/ComputationWarningsWindow.h"

#include "core/FormNames.h"
#include "core/ui/OkRow.h"
#include "core/ui/WindowStyle.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm22::TForm22(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ComputationWarnings);
  setWindowTitle(QStringLiteral("Attention"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  Button1 = ui::AddOkButton(this, layout, QStringLiteral("&OK / ENTER / ESC / Echap"));
  Button1->installEventFilter(this);
  ui::StyleWindow(this);
}

void TForm22::setText(const QString& text) {
  Memo1->setPlainText(ui::PlainLines(text));
  ui::FitTextArea(Memo1, text);
}

void TForm22::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Button1->setFocus();
}

bool TForm22::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_O || key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
    if (key == Qt::Key_Escape) {
      reject();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
