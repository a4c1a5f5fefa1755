#include "devices/ui/ClubLicenceWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "devices/FederationSetup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm72::TForm72(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ClubLicence);
  setWindowTitle(QStringLiteral("Licence"));
  auto* layout = new QVBoxLayout(this);
  for (const QString& text : {QStringLiteral("Introduisez le numéro de la licence FFB de votre Club"),
                              QStringLiteral("Cela ne devra être fait qu'une seule fois"),
                              QStringLiteral("Notez que ce numéro est stocké dans le fichier LICENCEFFB.TXT "),
                              QStringLiteral("qui peut donc être modifié ou même effacé si nécessaire")})
    layout->addWidget(new QLabel(text, this));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  layout->addWidget(Edit1);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(Button1);
  row->addStretch();
  layout->addLayout(row);
  connect(Button1, &QPushButton::clicked, this, &TForm72::button1Click);
  ui::StyleWindow(this, {.onEscape = [this] { reject(); }});
}

void TForm72::button1Click() {
  QString number;
  if (!ClubNumberOk(Edit1->text(), number)) {
    Edit1->setFocus();
    return;
  }
  number_ = number;
  accept();
}

std::optional<QString> TForm72::ask() {
  Edit1->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return number_;
}
