#include "core/ui/NumberQuestionWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm25::TForm25(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::NumberQuestion);
  setWindowTitle(QStringLiteral("Réponse"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button1->setAutoDefault(true);
  Label2 = new QLabel(QStringLiteral("0 ou Vide ou ESC  / Echap = Annuler"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  connect(Button1, &QPushButton::clicked, this, &TForm25::okClick);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  layout->addWidget(Label2);
  ui::StyleWindow(this);
}

std::optional<QString> TForm25::ask(const QString& caption, const QString& question, const QString& offered) {
  // A question asked without a caption keeps the window's own.
  setWindowTitle(caption.isEmpty() ? QStringLiteral("Réponse") : caption);
  Label1->setText(question);
  Edit1->setText(offered);
  Edit1->selectAll();
  Edit1->setFocus();
  if (exec() != Accepted) return std::nullopt;
  return Edit1->text();
}

void TForm25::okClick() {
  if (Edit1->text().isEmpty()) Edit1->setText(QStringLiteral("0"));
  accept();
}

void TForm25::reject() {
  Edit1->setText(QStringLiteral("0"));
  QDialog::reject();
}
