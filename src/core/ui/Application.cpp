#include "core/ui/Application.h"

#include "core/StartScreen.h"

namespace ui {

bool DeliverGuarded(const std::function<bool()>& deliver) {
  try {
    return deliver();
  } catch (...) {
    ReportEscapedError(std::current_exception());
    return false;
  }
}

bool TalvaronApplication::notify(QObject* receiver, QEvent* event) {
  return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}

}  // namespace ui
