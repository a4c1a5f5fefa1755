#pragma once
// The clock every routine reads; tests set it.
#include <QDateTime>

namespace platform {

QDateTime now();
// From now on now() answers this moment (tests); an invalid value gives the
// real clock back.
void setFixedNow(const QDateTime& moment);

}  // namespace platform
