#include "publishing/ui/DiagramsWindow.h"

#include "core/FormNames.h"
#include "core/ui/ListingView.h"
#include "core/ui/WindowStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm64::TForm64() : QDialog(nullptr) {
  setObjectName(forms::Diagrams);
  setWindowTitle(QStringLiteral("Diagrammes"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Memo1 = ui::MakeListingView(this, QStringLiteral("Memo1"));
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Imprimer au format TEXTE"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button3 = new QPushButton(QStringLiteral("Imprimer au format WYSIWYG"), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Label2 = new QLabel(QStringLiteral("( Ou création d'un PDF )"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label3 = new QLabel(QStringLiteral("Vous pouvez également utiliser\nles touches flèchées pour vous\ndéplacer dans la liste."), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  connect(Button1, &QPushButton::clicked, this, [this] { done(0); });
  connect(Button2, &QPushButton::clicked, this, [this] { done(1); });
  connect(Button3, &QPushButton::clicked, this, [this] { done(2); });
  auto* side = new QGridLayout;
  side->addWidget(Button1, 0, 0);
  side->addWidget(Button2, 1, 0);
  side->addWidget(Button3, 2, 0);
  side->addWidget(Label2, 3, 0, Qt::AlignHCenter);
  side->addWidget(Label3, 4, 0);
  side->setRowStretch(5, 1);
  auto* body = new QHBoxLayout;
  body->addWidget(Memo1, 1);
  body->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addLayout(body);
  resize(640, 560);
}

int TForm64::ask(const QString& title, const QStringList& diagrams) {
  Label1->setText(title);
  QString text;
  for (const QString& diagram : diagrams) text += diagram;
  Memo1->setPlainText(ui::PlainLines(text));
  ui::CentreOnScreen(this);
  Memo1->setFocus();
  const int answer = exec();
  return answer == 1 || answer == 2 ? answer : 0;
}
