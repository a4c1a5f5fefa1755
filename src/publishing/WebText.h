#pragma once
// Texts shared by the web pages and the XML export: the escaping of a text
// for its context, the accent helpers, the reading of a stored contract and
// lead, the board of a result slot and the adjustments of ".ADJ".
#include "scoring/ResultListings.h"
#include "scoring/ScoringSupport.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace publishing {

// & < > " ' as HTML entities.
QString HtmlEscape(const QString& text);
// A text for a JavaScript string between single quotes: "\", "'", '"',
// line breaks and "</" escaped.
QString JsEscape(const QString& text);
// The letters and digits of a text that goes into a file name ("2024",
// "03"); a hand-edited date holding "/", ".." or quotes gives none of them.
QString FileNamePart(const QString& text);
// & < > " ' as XML entities; control characters other than tab, U+FFFE and
// U+FFFF (which no XML file may hold) dropped.
QString XmlEscape(const QString& text);

// A stored contract read back: "4PXE-2" is level 4, strain P, doubling 1,
// declarer E, sign '-', tricks 2. ok is false for a text that is not a
// contract (empty, "PASSE", "AJU.", "MOY.", a typed number).
struct StoredContract {
  bool ok = false;
  QChar level;
  QChar strain;
  int doubling = 0;  // 0, 1 doubled, 2 redoubled
  QChar declarer;    // N E S O, null when missing
  QChar sign;        // '=', '+', '-'
  int tricks = 0;    // after '+' or '-'
};
StoredContract ReadStoredContract(const QString& contract);

// Strain letter in English: C gives H, K D, P S, S NT, T C.
QString EnglishStrain(QChar strain);
// The declarer of a slot: ResultDeclarer, or the contract's letter when it is
// empty or "?"; "O" written "W"; "" when neither gives one.
QString SlotDeclarer(int slot);

// Board of result slot s (1..), from the slot ranges.
int BoardOfSlot(int slot);
// The result slots in use: 1 .. ResultSlotCount within the slots' capacity.
int SlotLimit();
// The shortest decimal text of a real ("60", "62.5").
QString ShortestDecimal(double value);

// The lines of the tournament's ".ADJ", nothing when the file is missing.
std::optional<QStringList> ReadAdjustmentLines();
// The last ".ADJ" line for the board of slot whose slot holds the same N/S
// and E/W pairs (the one the scoring applies).
std::optional<scoring::AdjustmentLine> LastAdjustmentFor(int slot, const QStringList& lines);

// The lines of board n's diagram; nothing, after saying so, when its first
// line does not name the "Board".
std::optional<QStringList> DiagramLines(int n);

}  // namespace publishing

// é è ê ë à â î ï ô ù û ü ç as HTML entities; other characters kept.
QString HtmlAccents(const QString& text);
// à â ä a, ç c, è é ê ë e, î ï i, ô ö o, ù û ü u; a text holding " . " keeps
// the part before it and at most 50 characters after it, joined by a blank;
// trimmed.
QString StripAccents(const QString& text);
