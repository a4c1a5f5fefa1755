#include "scoring/ui/PrintedResultsInfoWindow.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm19::TForm19(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::PrintedResultsInfo);
  setWindowTitle(QStringLiteral("Question"));
  Label1 = new QLabel(QStringLiteral("Message informatif pour ces résultats?"), this);
  Label2 = new QLabel(QStringLiteral("Exemples: \"Après 5 tours\", \"Fin du tournoi\", ..."), this);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Edit1, &QLineEdit::returnPressed, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(Edit1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  setMinimumWidth(420);
  ui::StyleWindow(this);
}

QString TForm19::ask(const QString& offered) {
  Edit1->setText(offered);
  Edit1->selectAll();
  Edit1->setFocus();
  exec();
  return Edit1->text();
}

void TForm19::reject() { accept(); }
