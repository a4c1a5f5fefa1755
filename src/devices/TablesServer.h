#pragma once
// The tables' server ("talvaron-tables"): the web server whose pages every
// phone or tablet at the tables opens. This copy of the program starts it as
// its own child, watches it, starts it again when it ends and stops it at the
// quit; it never touches a server it did not start. A server that cannot
// start never stops the program: the menu then says that the tables are not
// served, and shows no address.
#include "core/ExchangeLines.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// The port the tables' server is asked to listen on (it takes the next free
// one up to 8099 when this one is taken).
inline constexpr int kTablesServerPort = 8080;
// The port this copy asks its server first: kTablesServerPort; replaceable
// in tests, whose servers must not all ask for the same port at once.
extern int (*TablesServerFirstPort)();
// Starts this copy's server on the exchange folder (the one it started
// before is stopped first), asking for the port the tables were served on
// this run (kTablesServerPort at first), and watches it from now on: the
// address is known once the server says that it listens, which the event
// loop brings (nothing waits for it here).
void StartTablesServer();
// Stops this copy's server and the watch.
void StopTablesServer();
// One look at the server, made every half second while it is watched: what
// it said read, a server that ended started again on the same port (at
// once; after 1, 2, 4 … up to 30 seconds when the one started again ended
// within seconds, the alarm saying when), the menu redrawn when what it
// shows changed.
void WatchTablesServer();
// The process of this copy's server, 0 when none runs.
qint64 TablesServerProcessId();

// The address the tables type ("http://192.168.1.20:8080/"), "" while the
// server does not listen.
QString TablesServerAddress();
// The code of six digits the tables give to join while the tablets'
// password is the default one or empty: made once per run of the program.
QString TablesEveningCode();

// What the tournament menu shows of the tables' server.
struct TablesServerStatus {
  bool watched = false;      // the program serves the tables this evening
  QString address;           // "" while the tables are not served
  QString lastAddress;       // where they were served last ("" before that), kept while they are not
  QStringList otherAddresses;  // the same page at the computer's other addresses (as lastAddress)
  QString access;            // the code or the password the tables type
  QString alarm;             // why the tables are not served ("" while served)
  QString news;              // when they were served again after an alarm
  QStringList holders;       // "Table 3 : <device> depuis 20:15:02", by table
};
TablesServerStatus CurrentTablesServerStatus();

// The devices that hold a table, read from the server's holders file: one
// line "<table>\t<device>\t<HH:MM:SS>" each (UTF-8); lines that are not
// such a line, or name no table of the evening, are skipped. By table.
using exchange::TableHolder;
QList<TableHolder> ReadTableHolders(const QString& file);

// The interface of the default route in the text of /proc/net/route (the
// one of lowest metric when there are several), "" when there is none.
QString DefaultRouteInterface(const QString& routeTable);
// The system's route table (/proc/net/route), replaceable in tests.
extern QString (*ReadRouteTable)();
// The computer's IPv4 addresses for the tables from (interface, address)
// pairs: the default route's interface's first, whatever their range, then
// the others in the order given (private ones only when there are any); no
// address twice.
QStringList TablesAddressesOf(const QList<std::pair<QString, QString>>& addresses, const QString& defaultInterface);
// This computer's addresses on the club's network: those of the interfaces
// that are up, as TablesAddressesOf orders them; the host name when there is
// none.
QStringList LocalNetworkAddresses();
// A QR code of text: black modules on white with a four-module margin, each
// module scale pixels square; a null image when text cannot be encoded.
QImage QrCodeImage(const QString& text, int scale);
