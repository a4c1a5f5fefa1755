#include "publishing/ui/PbnFileChoiceWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "publishing/PbnImport.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {
constexpr int kLineRole = Qt::UserRole + 1;  // position + 1 in the caller's lines
}

TForm85::TForm85() : QDialog(nullptr) {
  setObjectName(forms::PbnFileChoice);
  setWindowTitle(QStringLiteral("Choix du diagramme"));
  Label1 = new QLabel(this);
  Label2 = new QLabel(this);
  Label3 = new QLabel(this);
  folderLabel = new QLabel(this);
  folderLabel->setObjectName(QStringLiteral("Label4"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  otherChoiceButton = new QPushButton(QStringLiteral("Autre choix..."), this);
  otherChoiceButton->setObjectName(QStringLiteral("Button1"));
  okButton = new QPushButton(QStringLiteral("&OK"), this);
  okButton->setObjectName(QStringLiteral("Button2"));
  okButton->setDefault(true);
  connect(otherChoiceButton, &QPushButton::clicked, this, [this] { done(kOtherPbnFile); });
  connect(okButton, &QPushButton::clicked, this, [this] { done(selectedAnswer()); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { done(selectedAnswer()); });
  ui::MakeChoiceList(ListBox1, [this] { done(selectedAnswer()); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(otherChoiceButton);
  buttons->addStretch();
  buttons->addWidget(okButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(Label3);
  layout->addWidget(folderLabel);
  layout->addWidget(ListBox1);
  layout->addLayout(buttons);
  resize(420, 460);
}

int TForm85::selectedAnswer() const {
  const int row = ui::ChosenRow(ListBox1);
  return row < 0 ? 0 : ListBox1->item(row)->data(kLineRole).toInt();
}

int TForm85::ask(const ui::ListChoice& choice) {
  QLabel* labels[3] = {Label1, Label2, Label3};
  for (int i = 0; i < 3; ++i) labels[i]->setText(i < choice.headings.size() ? choice.headings[i] : QString());
  folderLabel->setText(choice.hint);
  std::vector<int> order(static_cast<std::size_t>(choice.lines.size()));
  std::iota(order.begin(), order.end(), 0);
  if (choice.sorted)
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return choice.lines[a].compare(choice.lines[b], Qt::CaseInsensitive) < 0; });
  ListBox1->clear();
  for (const int i : order) {
    auto* item = new QListWidgetItem(choice.lines[i], ListBox1);
    item->setData(kLineRole, i + 1);
  }
  ui::StartChoiceAt(ListBox1, -1);
  ListBox1->setFocus();
  ui::CentreOnScreen(this);
  const int answer = exec();
  return answer == kOtherPbnFile || answer > 0 ? answer : 0;
}
