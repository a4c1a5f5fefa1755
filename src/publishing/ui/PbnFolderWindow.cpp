#include "publishing/ui/PbnFolderWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowStyle.h"
#include "publishing/PbnImport.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm92::TForm92() : QDialog(nullptr) {
  setObjectName(forms::PbnFolder);
  setWindowTitle(QStringLiteral("Dossier des diagrammes des étuis (PBN)"));
  Label1 = new QLabel(QStringLiteral("Dossier des diagrammes des étuis"), this);
  folderLabel = new QLabel(this);
  folderLabel->setObjectName(QStringLiteral("Label2"));
  Button1 = new QPushButton(QStringLiteral("Modifier"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(QStringLiteral("OK"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setDefault(true);
  Button3 = new QPushButton(QStringLiteral("Ne rien changer"), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  connect(Button1, &QPushButton::clicked, this, [this] {
    if (ChangeDiagramFolder()) folderLabel->setText(DiagramFolder);
  });
  connect(Button2, &QPushButton::clicked, this, [this] {
    KeepDiagramFolder(folderLabel->text());
    accept();
  });
  connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(folderLabel);
  layout->addLayout(buttons);
}

void TForm92::showEvent(QShowEvent* event) {
  folderLabel->setText(DiagramFolder);
  QDialog::showEvent(event);
  ui::CentreOnScreen(this);
  Button2->setFocus();
}
