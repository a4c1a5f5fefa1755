#pragma once
// The contract typed for a result ("3SN=", "4PXE-2", "6CO+1"): its parser,
// its normalised text and its duplicate score from the N/S point of view.
#include "core/Globals.h"

#include <QChar>
#include <QString>

// ContractParser fills ContractTextBuilt, DeclarerLetter and ContractLevel
// (core/Globals.h) for its callers.

enum class Doubling { None, Doubled, Redoubled };

// Everything one parse gives; nothing of it lives in a global.
struct ContractOutcome {
  int score = -1;       // N/S score, or -1 when the text is refused
  QString builtText;    // normalised text, or the part built before the refusal
  QChar declarer;       // N, E, S or O once read; null before
  QString error;        // the refusal message; empty when the text is valid
  int level = 0;
  QChar strain;         // P, C, K, T or S
  Doubling doubling = Doubling::None;
  int overtricks = 0;   // tricks above the contract, negative when down
  bool valid() const { return error.isEmpty(); }
};

// Score of a contract for the declarer's side: positive when made (overtricks
// >= 0), negative when down. strain is P, C, K, T or S.
int ContractScore(int level, QChar strain, Doubling doubling, bool vulnerable, int overtricks);

// Parses a typed contract and scores it on the given board. Never shows
// anything; an empty text is refused like any other bad text.
ContractOutcome ParseContract(const QString& text, int board);

// True for "1".."9", storing the digit in ContractLevel; false otherwise.
bool ParseLevelDigit(QChar c);
// Upper case of c, k, p and t; any other character unchanged.
QChar UpcaseSuitLetter(QChar c);

// The caller-facing parser on CurrentBoard: returns the N/S score or -1 when
// refused or not confirmed, and fills ContractTextBuilt and DeclarerLetter.
// With confirm, a refusal is shown (one beep and the message window) and a
// valid score is confirmed in "Résultat"; without, nothing is shown.
int ContractParser(const QString& text, bool confirm);
// Shows the message in "Résultat"; true when the director answered OK.
bool ConfirmContractScore(const QString& message);

// The declarer text stored with a result just entered, on CurrentBoard.
// "?" for a passed-out board, an adjusted or average result, and for a score
// typed as a number whose declaring side cannot be told from the points.
QString ResultDeclarerText(int score, const QString& text);
// The same with the board, the entry mode and the last declarer given.
QString ResultDeclarerText(int score, const QString& text, int board, bool byContracts, QChar lastDeclarer);
