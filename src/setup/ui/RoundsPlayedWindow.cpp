#include "setup/ui/RoundsPlayedWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "setup/Movements.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

TForm6::TForm6(QWidget* parent) : QuitOnEscapeDialog(parent) {
  setObjectName(forms::RoundsPlayed);
  setWindowTitle(QStringLiteral("Tours?"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(addLabel(QStringLiteral("Label3"), QStringLiteral("Combien de tours seront réellement joués?")));
  layout->addWidget(addLabel(QStringLiteral("Label4"), QStringLiteral("Vous pourrez encore changer\nen cours de tournoi...")));
  Label1 = addLabel(QStringLiteral("Label1"), {});
  Label2 = addLabel(QStringLiteral("Label2"), {});
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  addAnswerField(layout, Edit1, Button1);
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
  const QString answer = askAnswer(Edit1, question.text);
  RoundsQuestionSilenced = CheckBox1->isChecked();
  return answer;
}
