#pragma once
// Text printouts: every printout is first written to PrintFile ("TEMP.TXT"
// in the Documents folder) under a common banner, then copied line by line
// to the printer in a fixed-pitch font.
#include "core/Globals.h"
#include "core/SafeFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The open printout, PrintFileWriter (core/Globals.h), runs from
// BeginTempPrintout to CloseTextFile.

// Opens PrintFile for rewriting and writes the banner; an opening failure
// throws the SafeRewrite error and nothing is printed.
void BeginTempPrintout();
// The club's name padded to column 35, then the program's credit line: the
// second line of the banner and of the Documents result files.
QString PrintoutClubLine();
// The seven banner lines: club and credit, code, date, time and name, rule.
// A DateText holding "??" is first replaced by the tournament's date.
void WritePrintoutBanner();
// count "-" to the printout, no line end (nothing for count 0 or less).
void WriteDashes(int count);
// MovementTitle := the movement's kind, its file, pairs, rounds and boards.
void BuildMovementTitle();
// The printout of the list of pairs (N/S then E/W), sent to the printer with
// the printer dialog; nothing when no pair is entered.
void PrintPairsList();

// Prints a closed text file; with askPrinter the printer dialog comes first
// (cancel prints nothing and answers false). printout names what is printed
// ("resultats"): the print dialog proposes PdfFileFor(printout) as the PDF
// file. A missing file throws IoError.
bool PrintTextFile(const QString& fileName, bool askPrinter, const QString& printout = QString());
// The PDF file proposed for a printout: "<code>-<printout>.pdf" in the
// Documents folder ("HOWA-resultats.pdf"; "<printout>.pdf" without a
// tournament code, "impression" for an unnamed printout).
QString PdfFileFor(const QString& printout);
// The PDF file proposed for the printout being printed.
QString ProposedPdfFile();
// After printing: the remark on PDF files when the printer's name holds
// "PDF" in any case, or when the output went to a PDF file; the file's name
// follows the remark when it is known.
void NotifyPdfPrinter(const QString& printerName, bool toPdfFile = false, const QString& pdfFile = QString());

// Splits printout lines into pages of at most linesPerPage lines. A form
// feed (code 12) starts a new page: a line holding only form feeds prints
// nothing itself; text around a form feed goes before and after the break.
// No page is left empty by a break. A heading (a line underlined by "-" as
// long as its text) is never left at the foot of a page: it goes to the next
// page with the four lines below its underline (and a line of text set
// apart just above it), unless they would not fit a page anyway.
QList<QStringList> SplitIntoPages(const QStringList& lines, int linesPerPage);

// What a printer did with a printout.
struct PrintOutcome {
  bool printed = false;  // false: cancelled in the printer dialog
  QString printerName;
  bool toPdfFile = false;
  QString pdfFile{};  // the PDF file written, when known
};
// The device that prints lines is flowWindows().printText (installed by the
// program's windows; without one, PrintTextFile prints nothing).
