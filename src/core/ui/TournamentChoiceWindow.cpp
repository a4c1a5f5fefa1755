#include "core/ui/TournamentChoiceWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {
constexpr int kLineRole = Qt::UserRole + 1;  // position + 1 in the caller's lines
}

TForm83::TForm83(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::TournamentChoice);
  setWindowTitle(QStringLiteral("Choix du tournoi "));
  Headings = new QVBoxLayout;
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setFont(ui::FontFor(QStringLiteral("Courier New")));
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Hint = new QLabel(this);
  Hint->setObjectName(QStringLiteral("Hint"));
  connect(Button1, &QPushButton::clicked, this, [this] { done(selectedAnswer()); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { done(selectedAnswer()); });
  ui::MakeChoiceList(ListBox1, [this] { done(selectedAnswer()); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(Headings);
  layout->addWidget(ListBox1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  layout->addWidget(Hint);
  resize(520, 480);
  ui::StyleWindow(this);
}

int TForm83::selectedAnswer() const {
  const int row = ui::ChosenRow(ListBox1);
  return row < 0 ? 0 : ListBox1->item(row)->data(kLineRole).toInt();
}

int TForm83::ask(const ui::ListChoice& choice) {
  setWindowTitle(choice.caption.isEmpty() ? QStringLiteral("Choix du tournoi ") : choice.caption);
  while (QLayoutItem* item = Headings->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  const QStringList headings = choice.headings.isEmpty() ? QStringList{QStringLiteral("Choix du tournoi  à recharger:")} : choice.headings;
  for (const QString& heading : headings) Headings->addWidget(new QLabel(heading, this));
  Hint->setText(choice.hint);
  Hint->setVisible(!choice.hint.isEmpty());

  std::vector<int> order(static_cast<std::size_t>(choice.lines.size()));
  std::iota(order.begin(), order.end(), 0);
  if (choice.sorted)
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      const int c = choice.lines[a].compare(choice.lines[b], Qt::CaseInsensitive);  // as a folder listing
      return c != 0 ? c < 0 : choice.lines[a] < choice.lines[b];
    });
  ListBox1->clear();
  int start = -1;
  for (const int i : order) {
    auto* item = new QListWidgetItem(choice.lines[i], ListBox1);
    item->setData(kLineRole, i + 1);
    if (i + 1 == choice.current) start = ListBox1->count() - 1;
  }
  ui::StartChoiceAt(ListBox1, start);
  ListBox1->setFocus();
  const int answer = exec();
  return answer > 0 ? answer : 0;
}
