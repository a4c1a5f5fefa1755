#include "scoring/ui/AdjustmentWindows.h"

#include "core/FormNames.h"
#include "core/ui/OkRow.h"
#include "core/ui/WindowStyle.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm31::TForm31(QWidget* parent) : ChoiceDialog(parent) { setObjectName(forms::Adjustments); }

void TForm31::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  const QVariantList disabled = choice.extra.value(QStringLiteral("disabledCodes")).toList();
  for (int i = 0; i < buttons().size() && i < choice.codes.size(); ++i)
    buttons()[i]->setEnabled(!disabled.contains(choice.codes[i]));
  // A menu: the buttons one under the other.
  for (QPushButton* b : buttons()) {
    layout()->removeWidget(b);
    body_->addWidget(b);
  }
}

TForm34::TForm34(QWidget* parent) : ChoiceDialog(parent) { setObjectName(forms::AdjustmentErasure); }
TForm36::TForm36(QWidget* parent) : ChoiceDialog(parent) { setObjectName(forms::MatchpointPenalties); }
TForm37::TForm37(QWidget* parent) : ChoiceDialog(parent) { setObjectName(forms::ImpPenalties); }

TForm32::TForm32(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::AdjustedPair);
  setWindowTitle(QStringLiteral("Choix"));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  auto* direction = new QGroupBox(QStringLiteral("Direction:"), this);
  RadioNs = new QRadioButton(QStringLiteral("N/S"), direction);
  RadioEw = new QRadioButton(QStringLiteral("E/W"), direction);
  RadioNs->setChecked(true);
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(RadioNs);
  directionLayout->addWidget(RadioEw);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* number = new QHBoxLayout;
  number->addWidget(new QLabel(QStringLiteral("Numéro:"), this));
  number->addWidget(Edit1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Choix d'une paire:"), this));
  layout->addLayout(number);
  layout->addWidget(new QLabel(QStringLiteral("( Vide ou 0 ou ESC = fin)"), this));
  layout->addWidget(direction);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  ui::StyleWindow(this);
}

std::optional<QString> TForm32::ask() {
  Edit1->clear();
  Edit1->setFocus();
  if (exec() != Accepted) return std::nullopt;
  return Edit1->text() + u'\t' + (RadioEw->isChecked() ? QStringLiteral("E/W") : QStringLiteral("N/S"));
}

TForm33::TForm33(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::AdjustmentsListing);
  setWindowTitle(QStringLiteral("Ajustements"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  QFont mono = Memo1->font();
  mono.setFamily(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::TypeWriter);
  Memo1->setFont(mono);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  Button1 = ui::AddOkButton(this, layout, QStringLiteral("&OK = ESC/Echap"));
  resize(720, 420);
  ui::StyleWindow(this);
}

void TForm33::setText(const QString& text) { Memo1->setPlainText(ui::PlainLines(text)); }

namespace {
const QStringList kAdjustmentLines = {QStringLiteral("40%   -   40%"), QStringLiteral("40%   -   60%"),
                                      QStringLiteral("50%   -   50%"), QStringLiteral("60%   -   40%"),
                                      QStringLiteral("60%   -   60%"), QStringLiteral("Pas d'ajustement")};
}

TForm76::TForm76(QWidget* parent, bool freeFields) : QDialog(parent) {
  setObjectName(forms::FrequencyAdjustments);
  setWindowTitle(QStringLiteral("Ajustements des fréquences"));
  LabelInfo = new QLabel(this);
  LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->addItems(kAdjustmentLines);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { choose(ListBox1->row(item)); });
  // Enter chooses the highlighted line as a double-click does.
  ui::MakeChoiceList(ListBox1, [this] {
    if (const int row = ui::ChosenRow(ListBox1); row >= 0) choose(row);
  });
  EditNs = new QLineEdit(this);
  EditNs->setObjectName(QStringLiteral("EditNs"));
  EditEw = new QLineEdit(this);
  EditEw->setObjectName(QStringLiteral("EditEw"));
  Button1 = new QPushButton(QStringLiteral("Pas d'ajustement"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
  // Enter in a free field closes the window with what is typed.
  for (QLineEdit* edit : {EditNs, EditEw})
    connect(edit, &QLineEdit::returnPressed, this, [this] { choose(ListBox1->currentRow()); });
  auto* free = new QHBoxLayout;
  free->addWidget(new QLabel(QStringLiteral("N/S"), this));
  free->addWidget(EditNs);
  free->addWidget(new QLabel(QStringLiteral("E/W"), this));
  free->addWidget(EditEw);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabelInfo);
  layout->addWidget(ListBox1);
  layout->addLayout(free);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  if (!freeFields) {
    for (int i = 0; i < free->count(); ++i)
      if (QWidget* w = free->itemAt(i)->widget()) w->hide();
  }
  ui::StyleWindow(this);
}

std::optional<QString> TForm76::ask(const QString& info) {
  LabelInfo->setText(info);
  chosen_ = 0;
  ui::StartChoiceAt(ListBox1, -1);
  ListBox1->setFocus();
  exec();
  // The free fields count whichever way the window was left.
  const int line = chosen_ >= 1 && chosen_ <= 5 ? chosen_ : kNoAdjustmentLine;
  return QString::number(line) + u'\t' + EditNs->text() + u'\t' + EditEw->text();
}

void TForm76::choose(int row) {
  chosen_ = row + 1;
  if (chosen_ >= 1 && chosen_ <= 5)
    accept();
  else
    reject();
}

void TForm76::mousePressEvent(QMouseEvent* event) {
  ui::StartChoiceAt(ListBox1, -1);
  QDialog::mousePressEvent(event);
}

TForm89::TForm89(QWidget* parent) : TForm76(parent, false) {
  setObjectName(forms::BridgeMatesAdjustments);
  setWindowTitle(QStringLiteral("Ajustements pour BridgeMates"));
  LabelInfo->setText(QStringLiteral("Ajustements spécifiques pour les BridgeMates"));
}
