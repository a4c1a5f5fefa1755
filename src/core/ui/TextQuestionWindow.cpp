#include "core/ui/TextQuestionWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm40::TForm40(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::TextQuestion);
  setWindowTitle(QStringLiteral("Question"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMinimumWidth(320);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  ui::StyleWindow(this);
}

std::optional<QString> TForm40::ask(const QString& caption, const QString& question, const QString& offered) {
  setWindowTitle(caption.isEmpty() ? QStringLiteral("Question") : caption);
  Label1->setText(question);
  Edit1->setText(offered);
  Edit1->setFocus();
  if (exec() != Accepted) return std::nullopt;
  return Edit1->text();
}
