#include "scoring/ui/SkipReminderWindows.h"

#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

SkipReminder::SkipReminder(const QString& objectName, QWidget* parent) : QDialog(parent) {
  setObjectName(objectName);
  setWindowTitle(QStringLiteral("Message"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  QFont big = Label1->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 4);
  Label1->setFont(big);
  Label1->setStyleSheet(QStringLiteral("color: red;"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Button1 = new QPushButton(QStringLiteral("OK (ESC)"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Memo1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  ui::StyleWindow(this, {.cancelButton = Button1});
}

void SkipReminder::setLines(const QString& title, const QStringList& lines) {
  Label1->setText(title);
  const QString text = lines.join(QLatin1Char('\n'));
  Memo1->setPlainText(text);
  ui::FitTextArea(Memo1, text);
}

void SkipReminder::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Button1->setFocus();
}
