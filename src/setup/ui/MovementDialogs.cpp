#include "setup/ui/MovementDialogs.h"
#include "core/ui/OkRow.h"
#include "core/ui/WindowStyle.h"

#include "core/Flows.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace setup_ui {

QuitOnEscapeDialog::QuitOnEscapeDialog(QWidget* parent) : QDialog(parent) {  ui::StyleWindow(this);
}

void QuitOnEscapeDialog::reject() { flowSteps().quitProgram(); }

QLabel* QuitOnEscapeDialog::addLabel(const QString& name, const QString& text) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  return label;
}

QPushButton* QuitOnEscapeDialog::addQuitButton(const QString& name) {
  auto* button = new QPushButton(QStringLiteral("&Quitter"), this);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, [] { flowSteps().quitProgram(); });
  return button;
}

void QuitOnEscapeDialog::addAnswerField(QVBoxLayout* layout, QLineEdit*& edit, QPushButton*& ok) {
  edit = new QLineEdit(this);
  edit->setObjectName(QStringLiteral("Edit1"));
  layout->addWidget(edit);
  ok = ui::AddOkButton(this, layout, QStringLiteral("&OK"));
}

QString QuitOnEscapeDialog::askAnswer(QLineEdit* edit, const QString& offered) {
  edit->setText(offered);
  edit->selectAll();
  edit->setFocus();
  ui::CentreOnScreen(this);
  exec();
  return edit->text();
}

}  // namespace setup_ui
