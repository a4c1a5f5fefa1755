#include "setup/ui/ParameterFields.h"

#include "core/Flows.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

ParameterFields AddParameterFields(QWidget* window, QVBoxLayout* layout, const QString& heading,
                                   const QString& examples, const QString& moreExamples) {
  auto* title = new QLabel(heading, window);
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  title->setFont(big);
  layout->addWidget(title, 0, Qt::AlignHCenter);

  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  auto edit = [window](const char* name) {
    auto* e = new QLineEdit(window);
    e->setObjectName(QLatin1String(name));
    return e;
  };
  ParameterFields fields{edit("Date"), edit("Nom"), edit("Code"), grid};
  grid->addWidget(new QLabel(QStringLiteral("Date:"), window), 0, 0);
  grid->addWidget(fields.date, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Nom du tournoi:"), window), 1, 0);
  grid->addWidget(fields.name, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Code du tournoi:"), window), 2, 0);
  grid->addWidget(fields.code, 2, 1);
  grid->addWidget(new QLabel(examples, window), 3, 1);
  grid->addWidget(new QLabel(moreExamples, window), 4, 1);
  auto* warning =
      new QLabel(QStringLiteral("Attention! Uniquement des caractères\nalphanumériques (aA...zZ, 1...9)"), window);
  QPalette red = warning->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  warning->setPalette(red);
  grid->addWidget(warning, 5, 1);
  return fields;
}

bool LeavesForAnotherField(const QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  const auto reason = static_cast<const QFocusEvent*>(event)->reason();
  const bool toButton = qobject_cast<QPushButton*>(QApplication::focusWidget()) != nullptr;
  return (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason) &&
         !toButton;
}

}  // namespace ui

namespace setup_ui {

ParametersForm::ParametersForm(QWidget* parent) : QWidget(parent) {}

QGridLayout* ParametersForm::addFields(QVBoxLayout* layout, const QString& heading, const QString& examples,
                                       const QString& moreExamples) {
  const ui::ParameterFields fields = ui::AddParameterFields(this, layout, heading, examples, moreExamples);
  Date = fields.date;
  Nom = fields.name;
  Code = fields.code;
  Code->installEventFilter(this);
  return fields.grid;
}

void ParametersForm::handle(const std::function<void()>& routine) {
  busy_ = true;
  struct Refresh {
    ParametersForm* form;
    ~Refresh() {
      form->applyView();
      form->busy_ = false;
    }
  } refresh{this};
  routine();
}

void ParametersForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    handle([] { flowSteps().quitProgram(); });
    return;
  }
  QWidget::keyPressEvent(event);
}

bool ParametersForm::eventFilter(QObject* watched, QEvent* event) {
  // Leaving the code field for another field checks the code at once; going
  // to a button leaves the check to that button.
  if (watched == Code && !busy_ && isVisible() && ui::LeavesForAnotherField(event)) codeLeft();
  return QWidget::eventFilter(watched, event);
}

}  // namespace setup_ui
