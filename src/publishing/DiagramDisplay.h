#pragma once
// The deal diagrams of the session on screen ("Diagrammes"), printed as
// plain text or handed to the diagram printing program.
#include <QString>

// Shows the diagrams of deals 1..DealCount under the movement title and
// does what the director chose: the text printout, or the diagram program
// (stopped first when it runs, then started with "Talvaron"; a failed start
// is reported and the program goes on), or, when the program folder has no
// diagram program, the formatted hand records (PrintHandRecords).
void ShowDiagrams();
// PrintFile rewritten with MovementTitle, two empty lines, 26 "-", then the
// diagram of every deal 1..DealCount; printed after the printer dialog.
void PrintDiagrams();
// Starts "Diagrolet.EXE" of the program folder with the parameter "Talvaron".
void StartDiagramPrinter();
