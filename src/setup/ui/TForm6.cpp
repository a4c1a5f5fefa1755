#include "setup/ui/TForm6.h"

#include "core/ui/WindowStyle.h"
#include "setup/Movements.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm6::TForm6(QWidget* parent) : QuitOnEscapeDialog(parent) {
  setObjectName(QStringLiteral("TForm6"));
  setWindowTitle(QStringLiteral("Tours?"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(addLabel(QStringLiteral("Label3"), QStringLiteral("Combien de tours seront réellement joués?")));
  layout->addWidget(addLabel(QStringLiteral("Label4"), QStringLiteral("Vous pourrez encore changer\nen cours de tournoi...")));
  Label1 = addLabel(QStringLiteral("Label1"), {});
  Label2 = addLabel(QStringLiteral("Label2"), {});
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  layout->addWidget(Edit1);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  CheckBox1 = new QCheckBox(QStringLiteral("Ne plus poser cette question"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  layout->addWidget(CheckBox1);
  layout->addWidget(addLabel(QStringLiteral("Label5"),
                             QStringLiteral("(Effacez le fichier PASDEMANDERNTOURS.TXT pour que la question revienne)")));
}

QString TForm6::ask(const ui::TextQuestion& question) {
  const QStringList lines = ui::PlainLines(question.prompt).split(u'\n');
  Label1->setText(lines.value(0));
  Label2->setText(lines.value(1));
  Edit1->setText(question.text);
  Edit1->selectAll();
  Edit1->setFocus();
  ui::CentreOnScreen(this);
  exec();
  RoundsQuestionSilenced = CheckBox1->isChecked();
  return Edit1->text();
}
