#pragma once
// The results folder of the tournament files, kept in "PATH.TXT".

// DataFolder from "PATH.TXT", else ProgramFolder + "Resultats/" (created
// when missing); ends with "/"; "PATH.TXT" is rewritten.
void LoadResultsFolder();
// Writes DataFolder into "PATH.TXT": one line, no line end.
void WritePathFile();
