#include "publishing/DiagramDisplay.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Printing.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "publishing/HandRecords.h"

namespace {

const QString kDiagramPrinter = QStringLiteral("Diagrolet.EXE");

}  // namespace

void ShowDiagrams() {
  BuildMovementTitle();
  QStringList diagrams;
  const int deals = std::min(DealCount, kMaxBoards);
  for (int n = 1; n <= deals; ++n) diagrams << DealDiagrams[n];
  ui::Ask({.form = forms::Diagrams,
           .caption = QStringLiteral("Diagrammes"),
           .text = MovementTitle,
           .buttons = {QStringLiteral("OK"), QStringLiteral("Imprimer au format TEXTE"), QStringLiteral("Imprimer au format WYSIWYG")},
           .codes = {0, 1, 2},
           .cancelCode = 0,
           .extra = {{QStringLiteral("diagrams"), diagrams}}});
  if (ChoiceResult == 1) PrintDiagrams();
  if (ChoiceResult == 2) {
    // Without the diagram program the formatted hand records are printed here.
    if (platform::fileExists(ProgramFolder + kDiagramPrinter)) StartDiagramPrinter();
    else PrintHandRecords();
  }
}

void PrintDiagrams() {
  TextFile& out = PrintFileWriter;
  SafeRewrite(out, PrintFile);
  out.writeLine(MovementTitle);
  out.writeLine();
  out.writeLine();
  out.writeLine(QString(26, QLatin1Char('-')));
  const int deals = std::min(DealCount, kMaxBoards);
  for (int n = 1; n <= deals; ++n) out.write(DealDiagrams[n]);
  CloseTextFile(out);
  PrintTextFile(PrintFile, true, QStringLiteral("diagrammes"));
}

void StartDiagramPrinter() {
  platform::Processes& p = platform::processes();
  if (p.isRunning(kDiagramPrinter)) {
    p.stop(kDiagramPrinter);
    PauseMs(1000);
  }
  const QString program = ProgramFolder + kDiagramPrinter;
  const int result = p.start(program, {QStringLiteral("Talvaron")});
  if (result == platform::kStartNotFound)
    ShowAlert(QStringLiteral("Pas trouvé ") + kDiagramPrinter + QStringLiteral(". Impossible de continuer!"));
  if (result <= 32)
    ShowAlert(QStringLiteral("Erreur %1 au lancement de ").arg(result) + program + QStringLiteral(". Impossible de continuer!"));
}
