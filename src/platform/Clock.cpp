#include "platform/Clock.h"

namespace platform {
namespace {
QDateTime& fixed() {
  static QDateTime value;
  return value;
}
}  // namespace

QDateTime now() { return fixed().isValid() ? fixed() : QDateTime::currentDateTime(); }

void setFixedNow(const QDateTime& moment) { fixed() = moment; }

}  // namespace platform
