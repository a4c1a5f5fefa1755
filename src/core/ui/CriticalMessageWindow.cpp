#include "core/ui/CriticalMessageWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm114::TForm114(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(forms::CriticalMessage);
  setWindowTitle(QStringLiteral("Message critique"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  Memo1->setFont(ui::FontFor(QStringLiteral("MS Sans Serif"), 14, true));
  ui::StyleWindow(this);
}

void TForm114::showText(const QString& text) {
  Memo1->setPlainText(ui::PlainLines(text));
  ui::FitTextArea(Memo1, text);
  show();
  raise();
  activateWindow();
}
