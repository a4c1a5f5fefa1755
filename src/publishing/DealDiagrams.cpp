#include "publishing/DealDiagrams.h"

#include "devices/CardLetters.h"

#include "core/Globals.h"
#include "core/SafeFiles.h"
#include "core/TournamentFiles.h"
#include "devices/Companions.h"
#include "devices/FederationSave.h"
#include "devices/TabletFiles.h"
#include "platform/TextFiles.h"

#include "platform/Folders.h"

#include <cerrno>
#include <optional>

namespace {

const QString kSuitLetters[4] = {QStringLiteral("P"), QStringLiteral("C"), QStringLiteral("K"), QStringLiteral("T")};
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
    for (int suit = 0; suit < 4; ++suit) lines << kSuitLetters[suit] + QStringLiteral("  ") + FrenchCardLetters(hands[seat][suit]);
  }
  return lines;
}

QString DiagramFilesFolder() { return TabletSharedFolder + QStringLiteral("/Diagrammes"); }

void WriteDiagramFile(int board, const DealHoldings& hands) {
  // Without the tablets' folder the files would land at the root of the disk.
  if (TabletSharedFolder.isEmpty())
    throw platform::IoError(ENOENT, DiagramFilesFolder(),
                            QStringLiteral("Le dossier des tablettes n'existe pas encore: le diagramme de la donne %1 "
                                           "n'est pas écrit.")
                                .arg(board));
  const QString folder = platform::resolvePath(DiagramFilesFolder());
  platform::makeFolder(folder);
  const QStringList lines = DiagramLines(board, hands);
  writeLines(platform::resolvePath(folder + QStringLiteral("/S%1.TXT").arg(board)), lines);
  writeLines(platform::resolvePath(folder + QStringLiteral("/%1.TXT").arg(board)), lines);
}

void LoadDiagramFiles() {
  if (!TableDevicesMode) return;
  const QString folder = platform::resolvePath(DiagramFilesFolder());
  platform::makeFolder(folder);
  bool read = false;
  const int deals = std::min(DealCount, kMaxBoards);
  for (int n = 1; n <= deals; ++n) {
    const QString copy = platform::resolvePath(folder + QStringLiteral("/%1.TXT").arg(n));
    // Anyone may put files there: only a regular file of a diagram's size is
    // read; another one is tried again at the next passes, then set aside.
    int error = 0;
    const std::optional<QStringList> lines = ReadDiagramFileLines(copy, &error);
    if (!lines) {
      if (error == ENOENT) {
        ForgetBadReads(copy);
      } else if (SetAsideAfterBadReads(copy) == kBadReadsBeforeSetAside) {
        CallReferee(QStringLiteral("Impossible de lire le diagramme du fichier ") + copy +
                    QStringLiteral(".BAD. Le fichier est ignoré."));
      }
      continue;
    }
    ForgetBadReads(copy);
    QString text;
    for (const QString& line : *lines) text += line + QStringLiteral("\r\n");
    DealDiagrams[n] = text;
    platform::deleteFile(copy);
    WriteHandRecordRow(n);
    read = true;
  }
  if (read) SaveResults();
}

QString HoldingFromDiagram(int deal, const QString& seatHeading, const QString& suitLetter) {
  if (deal < 1 || deal > kMaxBoards || suitLetter.isEmpty()) return {};
  const QStringList lines = platform::splitLines(DealDiagrams[deal]);
  qsizetype i = 0;
  while (i < lines.size() && lines[i].trimmed() != seatHeading) ++i;
  for (++i; i < lines.size(); ++i) {
    if (!lines[i].startsWith(suitLetter)) continue;
    QString holding;
    for (const QChar c : lines[i].mid(suitLetter.size())) {
      switch (c.unicode()) {
        case ' ': break;
        case 'R': holding += QLatin1Char('K'); break;
        case 'D': holding += QLatin1Char('Q'); break;
        case 'V': holding += QLatin1Char('J'); break;
        case 'X': holding += QLatin1Char('T'); break;
        default: holding += c;
      }
    }
    return holding;
  }
  return {};
}

void WriteHandRecords(const QString& mode) { WriteHandRecords(mode, BwsFileName); }
