#include "devices/ui/BridgeMatesFirstUseWindow.h"

#include "core/FormNames.h"
#include "core/ui/OkRow.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm97::TForm97(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::BridgeMatesFirstUse);
  setWindowTitle(QStringLiteral("Message"));
  Memo1 = new QLabel(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  Button1 = ui::AddOkRow(this, layout, QStringLiteral("OK"), QStringLiteral("( = ENTER ou ESC )"));
  ui::StyleWindow(this, {.onEscape = [this] { accept(); }});
}

void TForm97::setText(const QString& text) { Memo1->setText(ui::PlainLines(text)); }

void TForm97::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  adjustSize();
  ui::CentreOnScreen(this);
  Button1->setFocus();
}
