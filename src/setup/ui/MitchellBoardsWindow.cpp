#include "setup/ui/MitchellBoardsWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QVBoxLayout>

TForm7::TForm7(QWidget* parent) : QuitOnEscapeDialog(parent) {
  setObjectName(forms::MitchellBoards);
  setWindowTitle(QStringLiteral("Etuis"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(addLabel(QStringLiteral("Label1"), QStringLiteral("Les paires montent et les étuis descendent.")));
  layout->addWidget(addLabel(QStringLiteral("Label2"), QStringLiteral("Nombre d'étuis par table?")));
  addAnswerField(layout, Edit1, Button1);
}

QString TForm7::ask(const ui::TextQuestion& question) {
  return askAnswer(Edit1, question.text);
}
