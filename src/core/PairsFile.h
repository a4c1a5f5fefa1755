#pragma once
// The pairs file DataFolder + code + ".PAI": one line per used pair slot, in
// slot order: pair number, licence 1, licence 2 (integers), then the label,
// player 1 and player 2 separated by "£". The BYE pair is written
// "BYE£BYE£" and reads back as the pair labelled "BYE".
#include <QString>

// The text of ".PAI". A licence that is empty or not an integer becomes "0"
// in its slot first.
QString PairsFileText();
// Writes ".PAI"; nothing when CountPairs finds no pair (it says so) or there is
// no tournament code.
void SavePairsFile();

// Reads DataFolder + code + ".PAI" into the pair slots and sets PairCount,
// PairSlotCount, TableCount and ResultsPerBoard. A multi-section file
// ("TALVARIX" in line 1), more than 42 lines or a bad line is reported and
// makes the fatal stop with the slots untouched.
void ReadPairsFile(const QString& code);
// Makes code the tournament code and reads its ".PAI"; a missing file is
// reported and makes the fatal stop.
void ChargerPaires(const QString& code);
// Loads the pairs of another tournament's ".PAI" chosen by the director into
// the pair slots (the counts are left to the pairs entry). False when nothing
// was chosen, the file is missing, or it has more than 42 lines ("Trop de
// paires"; the slots then hold its first 42 pairs). A bad line is fatal.
bool ReloadPairsFile();
// Lets the director pick one ".PAI" of DataFolder (list window forms::TournamentChoice);
// code gets its name up to the first ".", or stays empty.
void ChooseTournamentPairs(QString& code);
