#include "core/ui/OkRow.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace ui {

QPushButton* AddOkRow(QDialog* dialog, QBoxLayout* layout, const QString& caption, const QString& keys) {
  auto* button = new QPushButton(caption, dialog);
  button->setObjectName(QStringLiteral("Button1"));
  button->setDefault(true);
  QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(button);
  row->addWidget(new QLabel(keys, dialog));
  row->addStretch();
  layout->addLayout(row);
  return button;
}

}  // namespace ui
