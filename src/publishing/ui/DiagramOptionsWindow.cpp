#include "publishing/ui/DiagramOptionsWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowStyle.h"
#include "publishing/PbnImport.h"
#include "publishing/ui/PbnFolderWindow.h"
#include "publishing/ui/PbnHelpWindow.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TForm107::TForm107() : QDialog(nullptr) {
  setObjectName(forms::DiagramOptions);
  setWindowTitle(QStringLiteral("Options des diagrammes"));
  title = new QLabel(QStringLiteral("Options d'importation des diagrammes"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  pbnFolder = new QLabel(this);
  pbnFolder->setObjectName(QStringLiteral("Label2"));
  Button8 = new QPushButton(QStringLiteral("Dossier des fichiers des étuis (PBN)"), this);
  Button8->setObjectName(QStringLiteral("Button8"));
  RadioGroup2 = new QGroupBox(QStringLiteral("Choix d'importation des diagrammes (PBN)"), this);
  RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
  Items = new QButtonGroup(this);
  auto* items = new QVBoxLayout(RadioGroup2);
  const QStringList captions{QStringLiteral("Demander à chaque importation à partir du dossier au-dessus."),
                             QStringLiteral("Prendre dans le dossier des résultats (avec le même code)."),
                             QStringLiteral("Les joueurs mélangent les cartes, donc pas d'importation."),
                             QStringLiteral("Toujours les trouver dans le fichier ci-dessous.")};
  for (int i = 0; i < captions.size(); ++i) {
    auto* item = new QRadioButton(captions[i], RadioGroup2);
    item->setObjectName(QStringLiteral("Item%1").arg(i + 1));
    Items->addButton(item, i);
    items->addWidget(item);
  }
  nameLabel = new QLabel(QStringLiteral("Nom du fichier PBN (sans l'extension):"), this);
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  namePlace = new QLabel(QStringLiteral("Se trouvant dans le dossier des étuis ci-dessus"), this);
  helpLink = new QLabel(QStringLiteral("<u>Aide?</u>"), this);
  helpLink->setObjectName(QStringLiteral("Label8"));
  helpLink->setCursor(Qt::PointingHandCursor);
  helpLink->installEventFilter(this);
  dealer4Hint = new QLabel(QStringLiteral("Si vous utilisez Dealer4, modifiez le dossier et cochez l'option 2 du choix. en-dessous"), this);
  dealer4Hint->setWordWrap(true);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);

  connect(Items, &QButtonGroup::idClicked, this, [this](int item) {
    SetPbnOptionItem(item);
    showNameField(item == 3);
  });
  connect(Edit2, &QLineEdit::editingFinished, this, &TForm107::nameFieldLeft);
  connect(Button8, &QPushButton::clicked, this, [this] {
    TForm92 folder;
    folder.exec();
    pbnFolder->setText(DiagramFolder);
  });
  connect(Button1, &QPushButton::clicked, this, [this] {
    nameFieldLeft();
    accept();
  });

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(pbnFolder, 1);
  folderRow->addWidget(Button8);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(helpLink);
  bottom->addStretch();
  bottom->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(folderRow);
  layout->addWidget(dealer4Hint);
  layout->addWidget(RadioGroup2);
  layout->addWidget(nameLabel);
  layout->addWidget(Edit2);
  layout->addWidget(namePlace);
  layout->addLayout(bottom);
}

void TForm107::showNameField(bool visible) {
  nameLabel->setVisible(visible);
  Edit2->setVisible(visible);
  namePlace->setVisible(visible);
}

void TForm107::nameFieldLeft() {
  if (Edit2->text() == shownName_) return;
  const QString kept = SetPbnName(Edit2->text());
  const QSignalBlocker blocker(Edit2);
  Edit2->setText(kept);
  shownName_ = kept;
}

void TForm107::showEvent(QShowEvent* event) {
  pbnFolder->setText(DiagramFolder);
  if (QAbstractButton* item = Items->button(PbnOption - 1)) {
    item->setChecked(true);
  } else if (QAbstractButton* checked = Items->checkedButton()) {
    Items->setExclusive(false);
    checked->setChecked(false);
    Items->setExclusive(true);
  }
  {
    const QSignalBlocker blocker(Edit2);
    Edit2->setText(PbnName);
  }
  shownName_ = PbnName;
  showNameField(PbnOption == 4);
  QDialog::showEvent(event);
  ui::CentreOnScreen(this);
  Button1->setFocus();
}

bool TForm107::eventFilter(QObject* watched, QEvent* event) {
  if (watched == helpLink && event->type() == QEvent::MouseButtonRelease) {
    TForm106 help;
    help.exec();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
