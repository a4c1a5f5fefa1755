#include "publishing/ui/XmlRankingLayoutWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm79::TForm79(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(forms::XmlRankingLayout);
  setWindowTitle(QStringLiteral("Affichage"));
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  group_ = new QGroupBox(QStringLiteral("Votre choix pour un mouvement Mitchell :"), this);
  group_->setObjectName(QStringLiteral("RadioGroup1"));
  auto* groupLayout = new QVBoxLayout(group_);
  items_[0] = new QRadioButton(QStringLiteral("Résultats fusionnés"), group_);
  items_[1] = new QRadioButton(QStringLiteral("Résultats séparés N/S et E/W"), group_);
  for (QRadioButton* item : items_) groupLayout->addWidget(item);
  left->addWidget(group_);
  save_ = new QCheckBox(QStringLiteral("Sauver votre choix"), this);
  save_->setObjectName(QStringLiteral("CheckBox1"));
  left->addWidget(save_);
  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  left->addWidget(ok, 0, Qt::AlignHCenter);
  left->addWidget(new QLabel(QStringLiteral("( = ENTER )"), this), 0, Qt::AlignHCenter);
  layout->addLayout(left);
  auto* memo = new QLabel(QStringLiteral(
                              "Vous pouvez sauver le choix que \nvous venez de faire\npour qu'il soit mémorisé pour les "
                              "\nprochains tournois.\nEt donc le programme ne vous \nposera à priori plus cette question.\n"
                              "Si vous désirez sauver un autre \nchoix, vous effacez \nle fichier \"ChoixMitchell.TXT\" \n"
                              "sur votre disque dur\ndans le même dossier que Talvaron\net le programme vous affichera\n"
                              "à nouveau cette fenêtre.."),
                          this);
  memo->setObjectName(QStringLiteral("Memo1"));
  layout->addWidget(memo);
}

int TForm79::ask(const ui::Choice& choice) {
  const int item = choice.extra.value(QStringLiteral("item"), 2).toInt();
  const QString caption = choice.extra.value(QStringLiteral("groupCaption")).toString();
  if (!caption.isEmpty()) group_->setTitle(caption);
  items_[item == 1 ? 0 : 1]->setChecked(true);
  save_->setChecked(false);
  adjustSize();
  ui::CentreOnScreen(this);
  exec();
  return (items_[0]->isChecked() ? 1 : 2) + (save_->isChecked() ? 10 : 0);
}
