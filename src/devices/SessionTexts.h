#pragma once
// The program's contract, result and lead texts in the forms of the session
// database's tables, and the line reader of the deal diagrams.
#include <QString>

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
// The declarer as the database writes it: O becomes W, X (N/S) N, Y (E/W) E;
// a declarer of none of N E S O X Y is the letter before the contract's sign.
QString DeclarerToSessionText(const QString& declarer, const QString& contract);
// Removes the first line of text (up to its first CR LF, removed too) and
// gives it in line; without CR LF the whole text is the line.
void TakeFirstLine(QString& text, QString& line);
