#pragma once
// The printer of the text printouts: the system's print dialog and printers,
// or a PDF file, in "Courier New" bold 12 (another fixed-pitch font when it
// is missing; smaller when the widest line would pass the printable width),
// in the middle of the paper between margins of at least 12 mm, a new page
// when a page is full or at a form feed.
#include "core/Printing.h"

#include <QFont>

#include <optional>

class QPaintDevice;
class QPainter;
class QPrinter;

namespace ui {

// Prints lines; with askPrinter the print dialog comes first (cancel: nothing
// printed). Without, the lines go to the printer chosen in the last dialog
// (the dialog is shown when none was chosen yet, or when it was a file).
// When the printer cannot be opened, throws IoError for "Printer".
PrintOutcome PrintLines(const QStringList& lines, bool askPrinter);
// Sets printer up for a printout as PrintLines does: the PDF file of
// SetPrintToPdfFile, else the print dialog when asked (or when no printer
// was chosen yet), else the printer chosen last; margins of at least
// kPrintoutMarginMm. Nothing when the dialog is cancelled.
std::optional<PrintOutcome> ChoosePrinter(QPrinter& printer, bool askPrinter);
// Begins painter on printer; IoError for "Printer" when it cannot.
void BeginPrinting(QPainter& painter, QPrinter& printer);
// From now on every printout goes to this PDF file without a dialog (an
// empty name gives the printers back).
void SetPrintToPdfFile(const QString& fileName);
// The font of the printouts.
QFont PrintoutFont();
// font, made smaller when needed so that the widest of lines fits the width
// of device (its printable width); never larger than font.
QFont FitPrintoutFont(const QFont& font, const QStringList& lines, QPaintDevice* device);
// True when every character of the font takes the same width.
bool HasFixedPitch(const QFont& font);
// The least margin of a printout on each side of the paper, in millimetres.
inline constexpr qreal kPrintoutMarginMm = 12;
// Gives printer margins of at least kPrintoutMarginMm (and at least what the
// printer needs and what it was given), the left one equal to the right one.
void SetBalancedMargins(QPrinter& printer);
// Makes PrintTextFile print through PrintLines.
void InstallTextPrinter();

}  // namespace ui
