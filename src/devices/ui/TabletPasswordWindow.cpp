#include "devices/ui/TabletPasswordWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm94::TForm94(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::TabletPassword);
  setWindowTitle(QStringLiteral("Mot de passe"));
  Label3 = new QLabel(this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Edit1, &QLineEdit::returnPressed, Button1, &QPushButton::click);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  const QString memo = QStringLiteral(
      "Si vous tapez le mot de passe \"FarnelTosk\",\nc'est comme si vous reveniez à \nl'option de départ du "
      "programme\n(donc absence du fichier \nANDROIDPASSWORD.TXT).\nPar contre, en tapant un mot de passe vide\nle mot "
      "de passe sera effectivement\néquivalent à simplement enfoncer la touche ENTER.");
  Memo1->setPlainText(memo);
  ui::FitTextArea(Memo1, memo);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Ancien mot de passe:"), this), 0, 0);
  grid->addWidget(Label3, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Nouveau mot de passe:"), this), 1, 0);
  grid->addWidget(Edit1, 1, 1);
  grid->addWidget(Button1, 2, 0);
  grid->addWidget(new QLabel(QStringLiteral("( = ENTER )"), this), 2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Mot de passe pour les tablettes"), this));
  layout->addLayout(grid);
  layout->addWidget(new QLabel(QStringLiteral("ESC = pas de changement"), this));
  // The tables' server compares the password exactly (tables/TablesService.cpp).
  layout->addWidget(
      new QLabel(QStringLiteral("Les minuscules et les Majuscules comptent : les tables le tapent exactement comme ici"), this));
  layout->addWidget(Memo1);
  ui::StyleWindow(this, {.enterButton = Button1});
}

void TForm94::setCurrentPassword(const QString& password) {
  Label3->setText(password.isEmpty() ? QStringLiteral("Mot de passe vide...") : password);
}

QString TForm94::typedPassword() const { return Edit1->text(); }

void TForm94::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Edit1->clear();
  Edit1->setFocus();
}
