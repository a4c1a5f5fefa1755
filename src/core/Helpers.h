#pragma once
// Small helpers shared by every part of the program: text trimming and
// fitting, number checks, pair-number labels, the BYE search, the player
// pickers of the pair windows, and the generic questions (list chooser, text
// and number questions) asked through the installed interaction.
#include <QString>
#include <QStringList>

// Position + 1 of the line chosen in the list chooser (0: none).
inline int ChoiceIndex = 0;
// The text typed in the list chooser; after it closes, the line chosen.
inline QString TypedSearchText;

// --- Texts -----------------------------------------------------------------

// The text without leading and trailing blanks and control characters.
QString TrimText(const QString& text);
// Every run of blanks reduced to one blank.
QString CollapseBlanks(const QString& text);
// The first width characters, padded with blanks to exactly width.
QString FitToWidth(const QString& text, int width);
// True for an optional sign followed by decimal digits, within 32 bits.
bool IsInteger(const QString& text);
// The value of a decimal number written with "." or "," whatever the locale
// (surrounding blanks allowed); 0 with *ok false when it is not a number.
double ParseDecimalNumber(const QString& text, bool* ok = nullptr);
// A contract whose second character is C, K, P or T gets the configured
// letter of that suit (SuitLetters) there; any other text comes back as is.
QString ApplySuitLetters(const QString& contract);
// The name part of a players-file line: "£" read as a blank, the text from
// the first "\" on dropped, digits blanked, blanks collapsed, trimmed.
QString ExtractPlayerName(const QString& line);
// A player name read from a file with every "£" (the separator of the pairs
// file) and every line break turned into a blank.
QString WithoutPairsSeparator(const QString& name);
// A typed player name that the tournament files cannot keep whole is refused
// with a message (true: refused): a "£" (the pairs file's separator), or
// characters outside Windows-1252 (the files would hold "?" instead), which
// the message names so that the director writes the name another way. Any
// other name is accepted silently.
bool RefuseTypedPlayerName(const QString& name);
// The characters of name outside Windows-1252 as the messages show them,
// separated by blanks: an invisible one by its code ("U+2028"); "" when the
// files keep every character.
QString CharactersTheFilesLose(const QString& name);
// After an import from source (a file's name, a program): one message
// listing the names that hold characters outside Windows-1252 or a "£" and
// which ones, to be written another way; nothing when every name is kept
// whole.
void ReportNamesLosingCharacters(const QStringList& names, const QString& source);
// The licence part of a players-file line: the text from the first "\" on
// dropped, every non-digit blanked, blanks collapsed, trimmed.
QString ExtractLicenceNumber(const QString& line);

// --- Pairs, boards, BYE -------------------------------------------------------

// A pair number as shown in merged lists: the number in a Howell; "N" + n,
// or "E" + (n - TableCount) above the number of tables, in a Mitchell.
QString FormatPairNumber(int pair);
// Appends value 8 wide with 2 decimals, or 8 "-" for 0 when not in IMPs.
void AppendScoreColumn(double value, QString& text);
// PairCount x MixingPercent / 100, truncated, then made even toward zero.
int ComputeMixingCount();
// DealCount := the highest board number of result slots 1..ResultSlotCount.
void ComputeDealCount();
// Finds the pair labelled "BYE": N/S slots 1..TableCount first (ByeNsPair),
// then the E/W slots after them (ByeEwPair); ByePairNumber is its slot and
// ByePresent tells whether one was found.
void FindByePair();
// With devices and names not typed in the program, reminds the director
// which pair sits out the first round but must still enter its names.
void RemindByePair();

// --- Players offered by the pair pickers ---------------------------------------

// True for a default player name: N, S, E or W followed by 1..42 (the names
// of the quick creation of pairs).
bool IsDefaultPlayerName(const QString& name);
// Sorts PlayerChoiceLines 1..PlayerChoiceCount by plain string comparison.
void SortPlayerChoiceLines();
// Appends a non-empty, non-default name to the free names and sorts them (the
// pair windows draw their player list again after each action). A full list
// (1000 names) takes no more.
void AddPlayerToList(const QString& name);
// Removes every free name equal to name.
void RemovePlayerFromList(const QString& name);

// --- Questions ----------------------------------------------------------------

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
// Writes (hidden) or deletes (shown) "MSG2.TXT", the marker that hides the
// count of boards read from a PBN file. Write failures throw IoError.
void SetPbnCountHidden(bool hidden);

// Path of a shell special folder (5: the user's Documents); false and an
// empty path for any other folder.
bool GetSpecialFolderPath(int folderId, QString& path);
