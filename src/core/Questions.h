#pragma once
// The generic questions asked through the installed interaction: the list
// chooser with incremental search, text and number questions, warnings.
#include "core/Globals.h"

#include <QChar>
#include <QString>
#include <QStringList>

// The list chooser's ChoiceIndex and TypedSearchText: core/Globals.h.
// Offers the non-empty trimmed lines of ChoiceListItems (1..ChoiceListCount)
// in the list chooser with incremental search; sets ChoiceIndex and returns
// the chosen line (TypedSearchText too); "" and 0 when nothing was chosen.
QString ChooseFromList();
// A pair from "PAIRES.TXT" (at most 50 characters), "" when none is chosen
// or when the program folder holds no such file (with a message).
QString ChoosePairName();
// Asks a text in the question window, text offered; text gets the answer.
// Cancelled: text is emptied and the answer is false.
bool AskForText(const QString& caption, QString& text);
// Asks a whole number of 0 or more (proposal default, none when -1) until the
// answer is one; 0 when the director cancels or leaves the field empty.
int AskNonNegativeInteger(const QString& caption, int defaultValue);
// The same, from 0 to 100 ("n'est pas un pourcentage (de 0 à 100)!" above).
int AskPercentage(const QString& caption, int defaultValue);
// The warning window "Attention" showing text (lines split at CR LF or LF);
// the lines also go with the question, for the window and the tests.
void ShowWarningWindow(const QString& text);
// The reminder window "Info" with its "Dorénavant, ne plus afficher" box.
void ShowInfoWindow(const QString& text);

// A computation the director started from a button or an option: Interactive
// is on while it lives (its questions are asked, the collection timer's ticks
// wait) and off again however it ends, as every silent path needs it.
class DirectorComputation {
 public:
  DirectorComputation();
  ~DirectorComputation();
  DirectorComputation(const DirectorComputation&) = delete;
  DirectorComputation& operator=(const DirectorComputation&) = delete;
};
