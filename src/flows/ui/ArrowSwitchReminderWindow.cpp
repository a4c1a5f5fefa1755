#include "flows/ui/ArrowSwitchReminderWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/OkRow.h"
#include "core/ui/WindowStyle.h"
#include "flows/TournamentMenu.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm90::TForm90(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ArrowSwitchReminder);
  setWindowTitle(QStringLiteral("Message pour l'arbitre"));
  setModal(false);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setFont(QFont(QStringLiteral("Comic Sans MS"), 14));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  Button1 = ui::AddOkButton(this, layout, QStringLiteral("OK (Enter)"));
  resize(480, 260);
  flowWindows().showArrowSwitchReminder = [this] {
    show();
    raise();
  };
  ui::StyleWindow(this, {.enterButton = Button1});
}

TForm90::~TForm90() { flowWindows().showArrowSwitchReminder = nullptr; }

void TForm90::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Memo1->setPlainText(ArrowSwitchReminderLines().join(QLatin1Char('\n')));
  ui::CentreOnScreen(this);
  Button1->setFocus();
}
