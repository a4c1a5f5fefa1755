#include "core/ui/OkRow.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace ui {
namespace {

QPushButton* MakeOkButton(QDialog* dialog, const QString& caption) {
  auto* button = new QPushButton(caption, dialog);
  button->setObjectName(QStringLiteral("Button1"));
  button->setDefault(true);
  QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
  return button;
}

}  // namespace

QPushButton* AddOkButton(QDialog* dialog, QBoxLayout* layout, const QString& caption) {
  QPushButton* button = MakeOkButton(dialog, caption);
  layout->addWidget(button, 0, Qt::AlignHCenter);
  return button;
}

QPushButton* AddOkRow(QDialog* dialog, QBoxLayout* layout, const QString& caption, const QString& keys) {
  QPushButton* button = MakeOkButton(dialog, caption);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(button);
  row->addWidget(new QLabel(keys, dialog));
  row->addStretch();
  layout->addLayout(row);
  return button;
}

}  // namespace ui
