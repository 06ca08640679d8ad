#pragma once

#include "game/Card.h"

// A hand under evaluation: its three cards and their ranks (2..14, an ace 14).
struct THandEval
{
    TCard Cards[3];
    int Ranks[3] = {};
};

// Sorts the hand from low to high for laying out, a pair to the high end, ace-2-3 as
// ace, 2, 3. The ranks are left as the sort leaves them: the caller refreshes them.
void SortHand(THandEval& Hand);
// The hand's score: the higher, the better; kinds never overlap.
double ScoreHand(const THandEval& Hand);
