#include "devices/ui/BridgeMatesSettingsWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "devices/ui/BridgeMatesSettingsHelpWindow.h"
#include "devices/ui/ScorerNamesHelpWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QLabel* clickableLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setCursor(Qt::PointingHandCursor);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, Qt::blue);
  label->setPalette(p);
  return label;
}
}  // namespace

TForm93::TForm93(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(forms::BridgeMatesSettings);
  setWindowTitle(QStringLiteral("Paramètres pour BridgeMates"));
  ui::SetCreamBackground(this);

  auto* title = new QLabel(QStringLiteral("Modifiez ces paramètres pour les BridgeMates"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);

  CheckBox1 = new QCheckBox(QStringLiteral("Introduction de la carte d'entame"), this);
  CheckBox2 = new QCheckBox(QStringLiteral("Vérifier la carte d'entame"), this);
  CheckBox3 = new QCheckBox(QStringLiteral("Montrer les noms des joueurs à chaque tour"), this);
  CheckBox4 = new QCheckBox(QStringLiteral("Permettre d'introduire un numéro de joueur vide"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
  CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
  CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
  Label7 = clickableLabel(QStringLiteral("<--- Aide?"), QStringLiteral("Label7"), this);

  auto* boxes = new QGridLayout;
  boxes->addWidget(CheckBox1, 0, 0);
  boxes->addWidget(CheckBox2, 1, 0);
  boxes->addWidget(CheckBox3, 2, 0);
  boxes->addWidget(CheckBox4, 3, 0);
  boxes->addWidget(Label7, 0, 1, 4, 1, Qt::AlignVCenter);

  auto* pinRow = new QHBoxLayout;
  pinRow->addWidget(new QLabel(QStringLiteral("Code de l'arbitre:"), this));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMaxLength(8);
  Edit1->setFixedWidth(Edit1->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
  pinRow->addWidget(Edit1);
  pinRow->addWidget(new QLabel(QStringLiteral("( Exactement 4  chiffres)"), this));
  pinRow->addStretch();

  auto* namesRow = new QHBoxLayout;
  namesRow->addWidget(new QLabel(QStringLiteral("Affichage des noms des joueurs"), this));
  Label5 = clickableLabel(QStringLiteral("Aide?"), QStringLiteral("Label5"), this);
  namesRow->addWidget(Label5);
  namesRow->addStretch();
  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  auto* radios = new QVBoxLayout(RadioGroup1);
  const QStringList items = {QStringLiteral("Accepter la limitation à 18 "), QStringLiteral("Envoyer les prénoms si la longueur > 18"),
                             QStringLiteral("Toujours n'envoyer que les prénoms")};
  for (int i = 0; i < 3; ++i) {
    RadioItems[i] = new QRadioButton(items[i], RadioGroup1);
    RadioItems[i]->setObjectName(QStringLiteral("RadioItem%1").arg(i));
    radios->addWidget(RadioItems[i]);
    connect(RadioItems[i], &QRadioButton::clicked, this, [i] { BridgeMatesNameModeClick(i); });
  }

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TForm93::Button1Click);
  auto* okRow = new QHBoxLayout;
  okRow->addStretch();
  okRow->addWidget(Button1);
  okRow->addWidget(new QLabel(QStringLiteral("= ENTER"), this));
  okRow->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addLayout(boxes);
  layout->addLayout(pinRow);
  layout->addLayout(namesRow);
  layout->addWidget(RadioGroup1);
  layout->addLayout(okRow);
  Label5->installEventFilter(this);
  Label7->installEventFilter(this);
  ui::StyleWindow(this);
}

void TForm93::applyView(const BridgeMatesParamsView& view) {
  CheckBox1->setChecked(view.checkBox1);
  CheckBox2->setChecked(view.checkBox2);
  CheckBox3->setChecked(view.checkBox3);
  CheckBox4->setChecked(view.checkBox4);
  RadioItems[std::clamp(view.radioGroup1Item, 0, 2)]->setChecked(true);
  Edit1->setText(view.edit1);
}

BridgeMatesParamsView TForm93::readView() const {
  BridgeMatesParamsView view;
  view.checkBox1 = CheckBox1->isChecked();
  view.checkBox2 = CheckBox2->isChecked();
  view.checkBox3 = CheckBox3->isChecked();
  view.checkBox4 = CheckBox4->isChecked();
  view.radioGroup1Item = 0;
  for (int i = 0; i < 3; ++i)
    if (RadioItems[i]->isChecked()) view.radioGroup1Item = i;
  view.edit1 = Edit1->text();
  return view;
}

void TForm93::showEvent(QShowEvent* event) {
  applyView(BridgeMatesParamsOnShow());
  QDialog::showEvent(event);
  adjustSize();
  ui::CentreOnScreen(this);
  Button1->setFocus();
}

void TForm93::Button1Click() {
  BridgeMatesParamsView view = readView();
  const bool ok = BridgeMatesParamsOk(view);
  CheckBox2->setChecked(view.checkBox2);
  Edit1->setText(view.edit1);
  if (ok) accept();
}

void TForm93::Label5Click() {
  if (!help105_) help105_ = new TForm105(this);
  help105_->show();
  help105_->raise();
}

void TForm93::Label7Click() {
  if (!help104_) help104_ = new TForm104(this);
  help104_->show();
  help104_->raise();
}

void TForm93::reject() {}

bool TForm93::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Label5) {
      Label5Click();
      return true;
    }
    if (watched == Label7) {
      Label7Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
