#include "core/ui/Application.h"

namespace ui {

bool TalvaronApplication::notify(QObject* receiver, QEvent* event) {
  return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}

}  // namespace ui
