#include "core/ExchangeFiles.h"

namespace exchange {

QString SeriesFolderName() { return kSeriesFolderStem + QString::number(kEveningSeries); }
QString TableFolderName(int table) { return QStringLiteral("Table%1").arg(table); }
QString ResultFileName(int board) { return QStringLiteral("REST%1.TXT").arg(board); }
QString SentEchoFileName(int k) { return QStringLiteral("RESS%1.TXT").arg(k); }
QString KeptEchoFileName(int k) { return QStringLiteral("RESX%1.TXT").arg(k); }
QString RoundBoardsFileName(int round) { return QStringLiteral("DONNESTOUR%1.TXT").arg(round); }
QString SettledBoardFileName(int board) { return QStringLiteral("ARBITRE%1.TXT").arg(board); }
QString BoardFileName(int board) { return QStringLiteral("DONNE%1.TXT").arg(board); }
QString DiagramFileName(int board) { return QStringLiteral("S%1.TXT").arg(board); }

bool IsResultFileName(QStringView name) {
  return name.size() >= 8 && name.startsWith(u"REST", Qt::CaseInsensitive) && name.endsWith(u".TXT", Qt::CaseInsensitive);
}

QString PairNameFileName(int pair, bool eastWest, bool mitchellNumbering, int nsPairs) {
  if (!mitchellNumbering) return QStringLiteral("P%1.TXT").arg(pair);
  if (!eastWest) return QStringLiteral("N%1.TXT").arg(pair);
  return QStringLiteral("E%1.TXT").arg(pair > nsPairs ? pair - nsPairs : pair);
}

}  // namespace exchange
