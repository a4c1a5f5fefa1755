#include "publishing/TabletResultFiles.h"

#include "core/DeviceFiles.h"
#include "core/DeviceNumbers.h"
#include "core/ExchangeFiles.h"
#include "core/ExchangeLines.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "platform/TextFiles.h"
#include "publishing/WebText.h"

#include <QDir>

using namespace publishing;

bool RewriteTableResultFiles() {
  std::optional<QStringList> adjustments;
  bool adjustmentsRead = false;
  for (int s = 1; s <= SlotLimit(); ++s) {
    const int ns = ResultNsPair[s];
    const int ew = ResultEwPair[s];
    if (ns == 0 || ew == 0 || ResultScore[s] == kScoreNone) continue;
    const int board = BoardOfSlot(s);
    QString contract = ResultContract[s].trimmed();
    QString declarer = ResultDeclarer[s].trimmed();
    if (contract.isEmpty()) {
      contract = u'*' + QString::number(ResultScore[s]) + u'*';
      declarer.clear();
    } else if (contract.toUpper() == QLatin1String("PASSE")) {
      declarer.clear();
    } else if (contract.contains(QLatin1String("MOY"))) {
      contract = QStringLiteral("MOY");
      declarer.clear();
    } else if (contract.contains(QLatin1String("AJU"))) {
      if (!adjustmentsRead) {
        adjustments = ReadAdjustmentLines();
        adjustmentsRead = true;
      }
      const QString missing = QStringLiteral("Attention, la donne %1 par N/S %2 contre E/W %3 ne possède pas encore ses "
                                             "valeurs d'ajustement. Résultat non sauvé!")
                                  .arg(board)
                                  .arg(ns)
                                  .arg(ew);
      if (!adjustments) {
        ShowAlert(missing);
        return false;
      }
      const auto a = LastAdjustmentFor(s, *adjustments);
      if (!a) {
        ShowAlert(missing);
        continue;
      }
      contract = ShortestDecimal(a->ns) + QStringLiteral(" - ") + ShortestDecimal(a->ew);
      declarer.clear();
    }
    // The tablets' folders exist only once the exchange folder is known.
    if (TabletSeriesFolder.isEmpty()) continue;
    const QString folder = TableFolder(ResultTable[s]) + u'/';
    if (!TabletFolderIsReal(folder)) continue;
    QDir().mkpath(platform::resolvePath(folder));
    const exchange::EchoLine line{ResultTable[s], 0, board, ResultRound[s], ns, DeviceEwNumber(ew), declarer, contract,
                                  QString()};
    TextFile file;
    SafeRewrite(file, platform::resolvePath(folder + exchange::KeptEchoFileName(board)));
    file.writeLine(exchange::EchoLineText(line));
    CloseTextFile(file);
  }
  return true;
}
