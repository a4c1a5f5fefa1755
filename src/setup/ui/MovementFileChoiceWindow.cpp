#include "setup/ui/MovementFileChoiceWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowStyle.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

TForm65::TForm65(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::MovementFileChoice);
  setWindowTitle(QStringLiteral("Choix du mouvement"));
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(Label1);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  layout->addWidget(ListBox1);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Panel1 = new QPushButton(QStringLiteral("Dorénavant, voir tous les mouvements"), this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  BitBtn1 = new QPushButton(QStringLiteral("&Quitter"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  connect(Button1, &QPushButton::clicked, this, [this] { done(selected()); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { done(selected()); });
  ui::MakeChoiceList(ListBox1, [this] { done(selected()); });
  connect(Panel1, &QPushButton::clicked, this, [this] { done(-1); });
  connect(BitBtn1, &QPushButton::clicked, this, [] { flowSteps().quitProgram(); });
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  layout->addWidget(Panel1);
  layout->addWidget(BitBtn1, 0, Qt::AlignRight);
  ui::StyleWindow(this);
}

void TForm65::fitListToLines() {
  const QFontMetrics metrics(ListBox1->font());
  int widest = metrics.horizontalAdvance(Label1->text());
  for (int i = 0; i < ListBox1->count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(ListBox1->item(i)->text()));
  const int frame = 2 * ListBox1->frameWidth();
  const int bar = ListBox1->verticalScrollBar()->sizeHint().width();
  // Every line whole, up to 20 lines and the screen's width; beyond, the
  // list scrolls.
  const int lines = std::clamp(ListBox1->count(), 3, 20);
  const int rowHeight = std::max(ListBox1->sizeHintForRow(0), metrics.height());
  int width = widest + 2 * metrics.averageCharWidth() + frame + bar;
  if (const QScreen* screen = this->screen()) width = std::min(width, screen->availableGeometry().width() * 9 / 10);
  ListBox1->setFixedSize(width, lines * rowHeight + frame + 2);
  adjustSize();
}

int TForm65::selected() const {
  return ui::ChosenRow(ListBox1) + 1;
}

int TForm65::ask(const ui::ListChoice& choice) {
  Label1->setText(choice.hint);
  ListBox1->clear();
  ListBox1->addItems(choice.lines);
  fitListToLines();
  ui::StartChoiceAt(ListBox1, choice.current - 1);
  Panel1->setVisible(ClubMode);
  ListBox1->setFocus();
  ui::CentreOnScreen(this);
  return exec();
}
