#include "core/ui/PbnDealsNoticeWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/ui/WindowStyle.h"
#include "platform/TextFiles.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TForm88::TForm88(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::PbnDealsNotice);
  setWindowTitle(QStringLiteral("Info"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  CheckBox1 = new QCheckBox(QStringLiteral("Dorénavant, ne plus afficher"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  Button1 = new QPushButton(QStringLiteral("OK (ENTER/ESC)"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(CheckBox1, &QCheckBox::toggled, this, [](bool checked) {
    try {
      SetPbnCountHidden(checked);
    } catch (const platform::IoError& e) {
      ShowAlert(e.message());
    }
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  layout->addWidget(CheckBox1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  // Enter closes it wherever the focus stands (the box too); Esc rejects it as any dialog.
  ui::StyleWindow(this, {.enterButton = Button1});
}

void TForm88::setText(const QString& text) {
  Memo1->setPlainText(ui::PlainLines(text));
  ui::FitTextArea(Memo1, text);
}

void TForm88::showEvent(QShowEvent* event) {
  {
    const QSignalBlocker blocker(CheckBox1);
    CheckBox1->setChecked(platform::fileExists(ProgramFolder + QStringLiteral("MSG2.TXT")));
  }
  QDialog::showEvent(event);
  Button1->setFocus();
}
