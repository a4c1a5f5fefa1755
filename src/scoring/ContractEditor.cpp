#include "scoring/ContractEditor.h"

#include "core/Globals.h"
#include "core/Messages.h"
#include "platform/Process.h"

#include <QString>

void LaunchContractEditor(int board, int nsPair, int ewPair) {
  const QString exe = QStringLiteral("Kontravel.EXE");
  platform::Processes& p = platform::processes();
  if (p.isRunning(exe)) {
    p.stop(exe);
    PauseMs(1000);
  }
  if (MitchellNumbering && ewPair > PairSlotCount / 2) ewPair -= PairSlotCount / 2;
  const int result = p.start(ProgramFolder + exe, {QString::number(board), QString::number(nsPair), QString::number(ewPair)});
  if (result == platform::kStartNotFound)
    ShowAlert(QStringLiteral("Impossible de modifier un contrat dans Talvaron pour la version FFB avec tablettes. Je tente "
                             "de lancer le programme \"Kontravel.EXE\" que je ne trouve pas dans le dossier standard..."));
  else if (result <= 32)
    ShowAlert(QStringLiteral("Erreur ") + QString::number(result) + QStringLiteral(" au lancement de ") + exe);
}
