#include "setup/ui/MovementDialogs.h"
#include "core/ui/WindowStyle.h"

#include "core/Quit.h"

#include <QLabel>
#include <QPushButton>

namespace setup_ui {

QuitOnEscapeDialog::QuitOnEscapeDialog(QWidget* parent) : QDialog(parent) {  ui::StyleWindow(this);
}

void QuitOnEscapeDialog::reject() { QuitProgram(); }

QLabel* QuitOnEscapeDialog::addLabel(const QString& name, const QString& text) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  return label;
}

QPushButton* QuitOnEscapeDialog::addQuitButton(const QString& name) {
  auto* button = new QPushButton(QStringLiteral("&Quitter"), this);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, [] { QuitProgram(); });
  return button;
}

}  // namespace setup_ui
