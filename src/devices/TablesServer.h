#pragma once
// The tables' server ("talvaron-tables"): the web server whose pages every
// phone or tablet at the tables opens. Started with the tablets' servers,
// stopped with them at the quit (core/CompanionPrograms.h names it). A server
// that cannot start never stops the program: the tables then have no address.
#include <QImage>
#include <QString>

// The port the tables' server listens on.
inline constexpr int kTablesServerPort = 8080;

// Starts the tables' server on the exchange folder (a running copy is
// stopped first): the one of the program folder, or, when it has none and
// the folder is not set by TALVARON_PROGRAM_FOLDER, the one beside the
// executable. Remembers the address the tables type, or "" when it could not
// start.
void StartTablesServer();
// The address the tables type ("http://192.168.1.20:8080/"), "" when the
// server was not started.
QString TablesServerAddress();
// This computer's address on the club's network: its first IPv4 address
// that is up and not a loopback, private ranges first; the host name when
// there is none.
QString LocalNetworkAddress();
// A QR code of text: black modules on white with a four-module margin, each
// module scale pixels square; a null image when text cannot be encoded.
QImage QrCodeImage(const QString& text, int scale);
