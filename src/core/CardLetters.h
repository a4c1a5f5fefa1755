#pragma once
// Card letters between the program's French forms (ranks A R D V X and
// digits, suits P C K T) and the English forms of the session databases and
// PBN files (ranks A K Q J T, suits S H D C). Every conversion of ranks and
// suits goes through here.
#include <QChar>
#include <QString>

// One rank: T, J, Q, K become X, V, D, R; any other character is kept.
QChar EnglishRankToFrench(QChar rank);
// One rank: X, V, D, R become T, J, Q, K; any other character is kept.
QChar FrenchRankToEnglish(QChar rank);

// A holding of the database or of a PBN file ("AKT3") as the diagrams write
// it: each card in French, the cards separated by one blank ("A R X 3");
// blanks in the holding are skipped; "" stays "".
QString EnglishRanksToFrench(const QString& holding);
// A suit line of a diagram ("P  A R X 3") as the database stores it
// ("AKT3"): the line from its fourth character, at most 30 characters, every
// other character read (the cards between the blanks).
QString FrenchRanksToEnglish(const QString& diagramLine);
// French ranks written with or without blanks ("R V X 2", "RVX2") in the
// database's form ("KJT2").
QString FrenchHoldingToEnglish(const QString& ranks);

// The French suit letters in the order spades, hearts, diamonds, clubs.
inline constexpr char kFrenchSuitLetters[] = {'P', 'C', 'K', 'T'};

// A suit letter: P, C, K, T become S, H, D, C; anything else gives "".
QString FrenchSuitToEnglish(QChar suit);
// A contract whose second character is C, K, P or T gets the configured
// letter of that suit (SuitLetters) there; any other text comes back as is.
QString ApplySuitLetters(const QString& contract);
