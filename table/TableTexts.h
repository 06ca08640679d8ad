#pragma once

#include <QString>

struct TCard;
struct THandClass;

// What the table says to a screen reader, in plain English, or in the language of the
// catalogue installed (app/Translation.h).

// "queen of hearts", "two of clubs"; "card, face down" for a card lying on its back.
QString CardText(const TCard& Card);

// A hand's kind with its deciding rank: "three kings", "straight flush, queen high",
// "flush, ace high", "straight, three high" (ace-2-3), "pair of aces", "king high".
QString HandText(const THandClass& Class);

// A chip count as a money label shows it: "995" gives "995 chips", "1" gives "1 chip".
QString SpokenChips(const QString& Shown);
