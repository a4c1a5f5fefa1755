#include "core/DealDiagrams.h"

#include "core/CardLetters.h"
#include "core/DeviceFiles.h"
#include "core/ExchangeFiles.h"
#include "core/Globals.h"
#include "core/SafeFiles.h"
#include "core/TournamentFiles.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include <cerrno>
#include <optional>

namespace {

const QString kSeatHeadings[4] = {QStringLiteral("Nord"), QStringLiteral("Sud"), QStringLiteral("Est"),
                                  QStringLiteral("Ouest")};

void writeLines(const QString& path, const QStringList& lines) {
  TextFile file;
  SafeRewrite(file, path);
  for (const QString& line : lines) file.writeLine(line);
  CloseTextFile(file);
}

}  // namespace

QString FrenchCardLetters(const QString& holding) { return EnglishRanksToFrench(holding); }

QStringList DiagramLines(int board, const DealHoldings& hands) {
  QStringList lines{QStringLiteral("Board %1").arg(board), QString(8, QLatin1Char('-'))};
  for (int seat = 0; seat < 4; ++seat) {
    lines << QString() << kSeatHeadings[seat] << QString();
    for (int suit = 0; suit < 4; ++suit)
      lines << QChar::fromLatin1(kFrenchSuitLetters[suit]) + QStringLiteral("  ") + FrenchCardLetters(hands[seat][suit]);
  }
  return lines;
}

std::optional<DealHoldings> ParseDiagram(const QStringList& lines) {
  if (lines.size() < 30 || !lines[0].startsWith(QLatin1String("Board"))) return std::nullopt;
  DealHoldings hands;
  // Each seat: a blank line, its heading, a blank line, then its four suits.
  for (int seat = 0; seat < 4; ++seat)
    for (int suit = 0; suit < 4; ++suit) hands[seat][suit] = lines[5 + 7 * seat + suit].mid(2).trimmed();
  return hands;
}

QString DiagramFilesFolder() { return TabletSharedFolder + u'/' + exchange::kDiagramsFolder; }

void WriteDiagramFile(int board, const DealHoldings& hands) {
  // Without the tablets' folder the files would land at the root of the disk.
  if (TabletSharedFolder.isEmpty())
    throw platform::IoError(ENOENT, DiagramFilesFolder(),
                            QStringLiteral("Le dossier des tablettes n'existe pas encore: le diagramme de la donne %1 "
                                           "n'est pas écrit.")
                                .arg(board));
  if (!TabletFolderIsReal(DiagramFilesFolder())) return;
  const QString folder = platform::resolvePath(DiagramFilesFolder());
  platform::makeFolder(folder);
  const QStringList lines = DiagramLines(board, hands);
  writeLines(platform::resolvePath(folder + u'/' + exchange::DiagramFileName(board)), lines);
  writeLines(platform::resolvePath(folder + QStringLiteral("/%1.TXT").arg(board)), lines);
}

QString HoldingFromDiagram(int deal, const QString& seatHeading, const QString& suitLetter) {
  if (deal < 1 || deal > kMaxBoards || suitLetter.isEmpty()) return {};
  const QStringList lines = platform::splitLines(DealDiagrams[deal]);
  qsizetype i = 0;
  while (i < lines.size() && lines[i].trimmed() != seatHeading) ++i;
  for (++i; i < lines.size(); ++i) {
    if (!lines[i].startsWith(suitLetter)) continue;
    return FrenchHoldingToEnglish(lines[i].mid(suitLetter.size()));
  }
  return {};
}
