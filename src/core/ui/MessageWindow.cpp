#include "core/ui/MessageWindow.h"

#include "core/FormNames.h"
#include "core/ui/OkRow.h"
#include "core/ui/WindowStyle.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm26::TForm26(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::Message);
  setWindowTitle(QStringLiteral("Message"));
  ui::SetCreamBackground(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette palette = Memo1->palette();
  palette.setColor(QPalette::Text, Qt::blue);
  Memo1->setPalette(palette);
  Memo1->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  Button1 = ui::AddOkButton(this, layout, QStringLiteral("OK = ESC/Echap"));
  Memo1->setFont(ui::FontFor(QStringLiteral("Comic Sans MS"), 14));
  ui::StyleWindow(this, {.font = QStringLiteral("Comic Sans MS")});
}

void TForm26::setText(const QString& text) {
  Memo1->setPlainText(ui::PlainLines(text));
  ui::FitTextArea(Memo1, text);
}

QString TForm26::text() const { return Memo1->toPlainText(); }

void TForm26::showText(const QString& text) {
  TForm26 window;
  window.setText(text);
  window.exec();
}

void TForm26::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Button1->setFocus();
}

bool TForm26::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
