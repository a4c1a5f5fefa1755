#include "publishing/ui/PbnHelpWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "publishing/PbnImport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm106::TForm106() : QDialog(nullptr) {
  setObjectName(forms::PbnHelp);
  setWindowTitle(QStringLiteral("Aide"));
  auto* title = new QLabel(QStringLiteral("Aide sur l'importation des diagrammes PBN"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setPlainText(ui::PlainLines(PbnHelpText()));
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(Memo1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  resize(520, 360);
}
