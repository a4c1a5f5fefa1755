#include "devices/ui/CollectionPauseWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm66::TForm66(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::CollectionPause);
  setWindowTitle(QStringLiteral("Arrêt de la récupération des résultats"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  ui::SetCreamBackground(this);
  Memo1 = new QLabel(QStringLiteral("Voulez-vous (temporairement) arrêter\nla récupération des résultats?"), this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFont(ui::FontFor(QStringLiteral("Tahoma"), 24));
  Memo1->setStyleSheet(QStringLiteral("color: blue;"));
  Button1 = new QPushButton(QStringLiteral("&Oui (ENTER)"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("&Non (Esc/Echap)"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  for (QPushButton* b : {Button1, Button2}) b->setFont(ui::FontFor(QStringLiteral("Tahoma"), 32));
  connect(Button1, &QPushButton::clicked, this, [this] { close(1); });
  connect(Button2, &QPushButton::clicked, this, [this] { close(2); });
  auto* row = new QHBoxLayout;
  row->addWidget(Button1);
  row->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  layout->addLayout(row);
  ui::StyleWindow(this, {.enterButton = Button1, .onEnter = [this] { close(1); }, .onEscape = [this] { close(2); }});
}

void TForm66::close(int answer) {
  answer_ = answer;
  accept();
}

void TForm66::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  adjustSize();
  ui::CentreOnScreen(this);
  Button1->setFocus();
  answer_ = 1;
}
