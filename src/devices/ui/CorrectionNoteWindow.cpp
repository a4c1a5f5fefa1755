#include "devices/ui/CorrectionNoteWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm109::TForm109(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(forms::CorrectionNote);
  setWindowTitle(QStringLiteral("Information"));
  setAutoFillBackground(true);
  QPalette yellow = palette();
  yellow.setColor(QPalette::Window, Qt::yellow);
  yellow.setColor(QPalette::WindowText, Qt::black);
  setPalette(yellow);
  Memo1 = new QLabel(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* note = new QLabel(QStringLiteral("Vous pouvez laisser cette fenêtre à l'écran..."), this);
  auto* keys = new QLabel(QStringLiteral("( = ENTER ou ESC )"), this);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  layout->addWidget(note, 0, Qt::AlignHCenter);
  layout->addWidget(keys, 0, Qt::AlignHCenter);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  ui::StyleWindow(this, {.cancelButton = Button1, .onEnter = [this] { hide(); }, .onEscape = [this] { hide(); }});
}

void TForm109::showText(const QString& text) {
  Memo1->setText(ui::PlainLines(text));
  adjustSize();
  show();
  raise();
  activateWindow();
  Button1->setFocus();
}
