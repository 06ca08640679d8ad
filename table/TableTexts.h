#pragma once

#include <QString>

struct TCard;
struct THandClass;
class TTable;

// The table's texts: chips as it writes them, and what it says to a screen reader, in
// plain English, or in the language of the catalogue installed (app/Translation.h).

// Chips as the table writes them, on the money labels and the result sheet: decimal,
// a leading "-" when negative, no grouping.
QString ChipsText(int Chips);

// "queen of hearts", "two of clubs"; "card, face down" for a card lying on its back.
QString CardText(const TCard& Card);

// A hand's kind with its deciding rank: "three kings", "straight flush, queen high",
// "flush, ace high", "straight, three high" (ace-2-3), "pair of aces", "king high".
QString HandText(const THandClass& Class);

// A chip count as a money label shows it: "995" gives "995 chips", "1" gives "1 chip".
QString SpokenChips(const QString& Shown);

// The name on a seat, 1..4: the player's name as the table writes it; empty for no seat.
QString PlayerName(const TTable& Table, int Player);

// Where everyone sits, for a reader's first look at the table.
QString Seating();

// A seat's hand once its three cards lie face up, its kind first: "pair of aces", and
// with WithCards the cards from left to right: "pair of aces: ace of spades, ace of
// diamonds, king of clubs."; empty otherwise.
QString FaceUpHand(const TTable& Table, int Player, bool WithCards);
