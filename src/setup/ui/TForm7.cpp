#include "setup/ui/TForm7.h"

#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm7::TForm7(QWidget* parent) : QuitOnEscapeDialog(parent) {
  setObjectName(QStringLiteral("TForm7"));
  setWindowTitle(QStringLiteral("Etuis"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(addLabel(QStringLiteral("Label1"), QStringLiteral("Les paires montent et les étuis descendent.")));
  layout->addWidget(addLabel(QStringLiteral("Label2"), QStringLiteral("Nombre d'étuis par table?")));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  layout->addWidget(Edit1);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
}

QString TForm7::ask(const ui::TextQuestion& question) {
  Edit1->setText(question.text);
  Edit1->selectAll();
  Edit1->setFocus();
  ui::CentreOnScreen(this);
  exec();
  return Edit1->text();
}
