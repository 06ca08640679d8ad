#pragma once

#include "game/Card.h"

// A hand under evaluation: its three cards and their ranks (2..14, an ace 14).
struct THandEval
{
    TCard Cards[3];
    int Ranks[3] = {};
};

// The kinds of hand, from the lowest to the best.
enum class THandKind { HighCard, Pair, Straight, Flush, StraightFlush, ThreeOfAKind };

// What a hand is: its kind and the rank that decides it: the three's or the pair's rank,
// else the highest card's (3 for ace-2-3, the lowest run).
struct THandClass
{
    THandKind Kind;
    int Rank;
};

// The class of three cards, in any order.
THandClass ClassifyHand(const TCard (&Cards)[3]);
// Sorts the hand from low to high for laying out, a pair to the high end, ace-2-3 as
// ace, 2, 3. The ranks are left as the sort leaves them: the caller refreshes them.
void SortHand(THandEval& Hand);
// The hand's score: the higher, the better; kinds never overlap.
double ScoreHand(const THandEval& Hand);
