#include "devices/TablesServer.h"

#include "core/CompanionPrograms.h"
#include "core/Globals.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"

#include <QFileInfo>
#include <QHostInfo>
#include <QNetworkInterface>

#include <qrencode.h>

namespace {

QString serverAddress;

QString serverProgram() {
  const QString inProgramFolder = ProgramFolder + kTablesServerName;
  if (platform::fileExists(inProgramFolder) || qEnvironmentVariableIsSet("TALVARON_PROGRAM_FOLDER"))
    return inProgramFolder;
  return QFileInfo(platform::executablePath()).absolutePath() + u'/' + kTablesServerName;
}

bool isPrivate(const QHostAddress& a) {
  return a.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16) ||
         a.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8) ||
         a.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12);
}

}  // namespace

void StartTablesServer() {
  platform::Processes& p = platform::processes();
  if (p.isRunning(kTablesServerName)) p.stop(kTablesServerName);
  const int code = p.start(serverProgram(), {QStringLiteral("--exchange"), TabletSharedFolder, QStringLiteral("--pages"),
                                             ProgramFolder + QStringLiteral("tables"), QStringLiteral("--program"),
                                             ProgramFolder, QStringLiteral("--port"), QString::number(kTablesServerPort)});
  serverAddress = code > 32 ? QStringLiteral("http://%1:%2/").arg(LocalNetworkAddress()).arg(kTablesServerPort) : QString();
}

QString TablesServerAddress() { return serverAddress; }

QString LocalNetworkAddress() {
  QString other;
  for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
    const auto flags = i.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
        flags.testFlag(QNetworkInterface::IsLoopBack))
      continue;
    for (const QNetworkAddressEntry& e : i.addressEntries()) {
      const QHostAddress a = e.ip();
      if (a.protocol() != QAbstractSocket::IPv4Protocol || a.isLoopback()) continue;
      if (isPrivate(a)) return a.toString();
      if (other.isEmpty()) other = a.toString();
    }
  }
  return other.isEmpty() ? QHostInfo::localHostName() : other;
}

QImage QrCodeImage(const QString& text, int scale) {
  const QByteArray bytes = text.toUtf8();
  QRcode* code = QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
  if (!code) return {};
  const int margin = 4;
  const int side = (code->width + 2 * margin) * scale;
  QImage image(side, side, QImage::Format_Mono);
  image.setColor(0, qRgb(0, 0, 0));
  image.setColor(1, qRgb(255, 255, 255));
  image.fill(1);  // white
  for (int y = 0; y < code->width; ++y)
    for (int x = 0; x < code->width; ++x)
      if (code->data[y * code->width + x] & 1)
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx) image.setPixel((x + margin) * scale + dx, (y + margin) * scale + dy, 0);
  QRcode_free(code);
  return image;
}
