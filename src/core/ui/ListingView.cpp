#include "core/ui/ListingView.h"

#include <QPlainTextEdit>

namespace ui {

QPlainTextEdit* MakeListingView(QWidget* parent, const QString& name) {
  auto* view = new QPlainTextEdit(parent);
  view->setObjectName(name);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont mono(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::TypeWriter);
  view->setFont(mono);
  return view;
}

}  // namespace ui
