#include "platform/Speech.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {
namespace {

std::function<void(const QString&)>& installed() {
  static std::function<void(const QString&)> speaker;
  return speaker;
}

void systemSpeak(const QString& sentence) {
  const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
  if (!espeak.isEmpty()) {
    QProcess::startDetached(espeak, {QStringLiteral("-v"), QStringLiteral("fr"), sentence});
    return;
  }
  const QString spd = QStandardPaths::findExecutable(QStringLiteral("spd-say"));
  if (!spd.isEmpty()) QProcess::startDetached(spd, {QStringLiteral("-l"), QStringLiteral("fr"), sentence});
}

}  // namespace

void speak(const QString& sentence) {
  if (installed())
    installed()(sentence);
  else
    systemSpeak(sentence);
}

void setSpeaker(std::function<void(const QString&)> speaker) { installed() = std::move(speaker); }

}  // namespace platform
