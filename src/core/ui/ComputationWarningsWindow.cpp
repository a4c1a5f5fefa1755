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
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  Button1 = ui::AddOkButton(this, layout, QStringLiteral("&OK / ENTER / ESC / Echap"));
  // Enter closes it wherever the focus stands; Esc rejects it as any dialog.
  ui::StyleWindow(this, {.enterButton = Button1});
}

void TForm22::setText(const QString& text) {
  Memo1->setPlainText(ui::PlainLines(text));
  ui::FitTextArea(Memo1, text);
}

void TForm22::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Button1->setFocus();
}

void TForm22::keyPressEvent(QKeyEvent* event) {
  if (event->text().compare(QStringLiteral("o"), Qt::CaseInsensitive) == 0) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
