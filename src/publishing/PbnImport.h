#pragma once
// The deals of the session read from a dealing program's PBN file into the
// deal diagram files, and the PBN options: how the file is found
// ("OPTIONPBN.TXT": 1 asked each time in the PBN folder, 2 the results
// folder's code + ".PBN", 3 no import, 4 a fixed name), the fixed name
// ("NOMPBN.TXT") and the PBN folder ("DOSSIERPBN.TXT").
//
// PBN files are read tolerantly: UTF-8 byte-order mark, CR LF or LF, blanks
// around the tags, lower-case ranks, "10" for "T", "-" for an unknown hand,
// any tags between Board and Deal, any first seat. What cannot be read stops
// the import with the line quoted.
#include <QString>

// The whole import at the start of a tournament: nothing in a federation
// tournament or when the deals are entered at the tables; otherwise the file
// given by PbnOption is imported and the director is told how many deals came.
void ImportPbnDiagrams();

// The chooser of a PBN file of DiagramFolder (forms::PbnFileChoice), or any file on disk
// through "Autre choix..."; "" when nothing is chosen (with a message). A
// folder without PBN files is said once, naming it, and no chooser opens. Sets
// ChosenPbnFile.
QString ChoosePbnFile();
// The answer of the chooser's "Autre choix..." button.
inline constexpr int kOtherPbnFile = -1;

// Imports the deals of a PBN file into diagram files and loads them: the
// highest board number imported (0 when none), or -1 after a message when a
// board number or a deal cannot be read (the files already written stay).
int ImportPbnDeals(const QString& fileName);

// Writes the diagram file of a board from a PBN deal value ("N:AKT3.. ..."):
// true on failure (unknown first seat, fewer than four hands or suits, a
// character that is no rank), nothing written then.
bool WritePbnDealDiagram(int board, const QString& deal);

// --- The options window and its folder window --------------------------------

// The chosen option item (0-based): PbnOption := item + 1, written to
// "OPTIONPBN.TXT".
void SetPbnOptionItem(int item);
// The fixed name typed: a name holding ".PBN" (any case) is cut before it
// after a message; PbnName gets it and "NOMPBN.TXT" is rewritten. Returns
// the name kept.
QString SetPbnName(const QString& typed);
// "Modifier": a folder picked on disk becomes DiagramFolder and is written to
// "DOSSIERPBN.TXT"; a name with an accented letter is refused with a message.
// False when nothing changed.
bool ChangeDiagramFolder();
// "OK": the folder shown is written to "DOSSIERPBN.TXT".
void KeepDiagramFolder(const QString& folder);
// The text of the help window "Aide".
QString PbnHelpText();
