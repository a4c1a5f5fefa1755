#include "publishing/ui/WebPageDirectorWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "publishing/WebPages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm77::TForm77(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(forms::WebPageDirector);
  setWindowTitle(QStringLiteral("Arbitre"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit2_ = new QLineEdit(this);
  edit2_->setObjectName(QStringLiteral("Edit2"));
  grid->addWidget(new QLabel(QStringLiteral("Arbitre"), this), 0, 0);
  grid->addWidget(edit1_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Eventuellement prédéfini\ndans le fichier \"arbitre.txt\""), this), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Ordinateur"), this), 1, 0);
  grid->addWidget(edit2_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Eventuellement prédéfini\ndans le fichier \n\"ordinateur.txt\""), this), 1, 2);
  layout->addLayout(grid);
  group_ = new QGroupBox(QStringLiteral("Pour un Mitchell"), this);
  group_->setObjectName(QStringLiteral("RadioGroup1"));
  auto* groupLayout = new QVBoxLayout(group_);
  items_[0] = new QRadioButton(QStringLiteral("Résultats panachés N/S+E/W"), group_);
  items_[1] = new QRadioButton(QStringLiteral("Résultats séparés N/S et E/W"), group_);
  for (QRadioButton* item : items_) groupLayout->addWidget(item);
  layout->addWidget(group_);
  ok_ = new QPushButton(QStringLiteral("&OK"), this);
  ok_->setObjectName(QStringLiteral("OK"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok_, 0, Qt::AlignHCenter);
}

int TForm77::ask(const ui::Choice& choice) {
  const int item = choice.extra.value(QStringLiteral("item"), 1).toInt();
  const QString caption = choice.extra.value(QStringLiteral("groupCaption"), Form77Fields.groupCaption).toString();
  group_->setTitle(caption.isEmpty() ? QStringLiteral("Pour un Mitchell") : caption);
  items_[item == 2 ? 1 : 0]->setChecked(true);
  edit1_->setText(Form77Fields.director);
  edit2_->setText(Form77Fields.scorer);
  // A name typed at once replaces the "?" of an unknown director.
  edit1_->setFocus();
  edit1_->selectAll();
  adjustSize();
  ui::CentreOnScreen(this);
  exec();
  Form77Fields.director = edit1_->text().trimmed();
  Form77Fields.scorer = edit2_->text().trimmed();
  return items_[1]->isChecked() ? 2 : 1;
}
