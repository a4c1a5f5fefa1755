#pragma once
// The opening lead checked against the deal: the player on lead (declarer's
// left-hand opponent) must hold the card. The desk questions a lead that
// fails (the director may keep it); the tables' server refuses it.
#include <QString>

#include <array>

// The diagram's heading of the seat on declarer's left ("Est" for "N",
// "Sud" for "E", "Ouest" for "S", "Nord" for "O" or "W"); "" otherwise.
QString LeaderHeading(const QString& declarer);

// Why the lead cannot come from this hand: "L'entame Roi de pique n'est pas
// dans la main d'Est, à la gauche du déclarant." The hand is the diagram's
// four suit lines (spades, hearts, diamonds, clubs) in French ranks, blanks
// allowed ("A R X 3"); the lead a card as stored ("RP", "10C", "xK": x is a
// card of 9 or below). "" when the hand holds the card, and when nothing can
// be checked: the lead unknown ("?", ""), the heading empty, or the hand
// without a card at all.
QString LeadNotHeld(const std::array<QString, 4>& hand, const QString& leaderHeading, const QString& lead);

// The same for board n of DealDiagrams and the declarer stored ("N", "E",
// "S", "O"; "?" checks nothing).
QString LeadNotHeldOnBoard(int board, const QString& declarer, const QString& lead);
