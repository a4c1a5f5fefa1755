#pragma once
// The end of a federation tournament: the players, the results and (when
// FFBClubNet sent none) the deals written back into the federation's session
// database, and the conversions of the program's contract, result and lead
// texts into the database's forms.
#include <QString>

// The whole save: the tablets' last results collected, the missing-results
// question (no: nothing is written), results computed and saved, then
// SavePlayerNumbersToSession, SaveResultsToSession and, when the database
// brought no deals, WriteHandRecords; a message names the database.
void SaveForFederation();
// The players' names and licences into the rows of PlayerNumbers that
// FFBClubNet created (none is added). A Mitchell row of table 0 that is not
// E or W stops the program; rows too few for the players are reported.
void SavePlayerNumbersToSession();
// ReceivedData replaced, in one transaction, by one row per result slot that
// holds a result of two real pairs (no BYE, no score 10000).
void SaveResultsToSession();
// The deals of DealDiagrams into HandRecord of the database named (rows
// replaced, the scorers no longer asked to enter them), in one transaction.
void WriteHandRecords(const QString& mode, const QString& databaseFile);

// "4PCN-1" gives "4 S x", "3SN=" gives "3 NT ", "PASSE" "PASS", "" "?"; a
// contract without sign or with an unknown doubling is reported and gives
// "PASS".
QString ContractToSessionText(const QString& contract);
// "=", or "+n" / "-n" (at most 10 characters); "?" otherwise.
QString ResultToSessionText(const QString& contract);
// "RP" gives "SK", "10C" "H10", "xT" "Cx"; "", "?", "-" and an unknown suit give "".
QString LeadToSessionText(const QString& lead);
// As ContractToSessionText with the doubling upper-cased and the result after
// a slash: "4PCN-1" gives "4 S X/-1".
QString ChangedContractToSessionText(const QString& contract);
QString ChangedLeadToSessionText(const QString& lead);
// Removes the first line of text (up to its first CR LF, removed too) and
// gives it in line; without CR LF the whole text is the line.
void TakeFirstLine(QString& text, QString& line);
