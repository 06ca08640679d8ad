#include "game/HandEval.h"

#include <utility>

void SortHand(THandEval& Hand)
{
    TCard (&Cards)[3] = Hand.Cards;
    int (&Ranks)[3] = Hand.Ranks;
    // Two bubble passes; equal ranks are never exchanged, so they keep their order.
    const int Compares[3] = {0, 1, 0};
    for (int J : Compares) {
        if (Ranks[J] > Ranks[J + 1]) {
            std::swap(Cards[J], Cards[J + 1]);
            Ranks[J] = Cards[J].Rank();
            Ranks[J + 1] = Cards[J + 1].Rank();
        }
    }
    // A pair at the low end goes to the high end. The ranks are left stale on purpose:
    // the caller refreshes them from the cards after laying them out.
    if (Ranks[0] == Ranks[1] && Ranks[0] != Ranks[2])
        std::swap(Cards[0], Cards[2]);
    // Ace-2-3 shows as ace, 2, 3.
    if (Cards[2].Value == 1 && Cards[1].Value == 3 && Cards[0].Value == 2)
        std::swap(Cards[0], Cards[1]);
}

double ScoreHand(const THandEval& Hand)
{
    const TCard (&Cards)[3] = Hand.Cards;
    const int (&Ranks)[3] = Hand.Ranks;
    const double R0 = Ranks[0], R1 = Ranks[1], R2 = Ranks[2];
    const bool Suited = Cards[1].Suit == Cards[2].Suit && Cards[2].Suit == Cards[0].Suit;
    const bool Run = Ranks[0] + 1 == Ranks[1] && Ranks[1] + 1 == Ranks[2];

    double Score;
    if (Ranks[1] == Ranks[2] && Ranks[1] == Ranks[0])
        Score = 3 * R2 * 1500;
    else if (Suited && Run)
        Score = 3 * R2 * 200;
    else if (Suited)
        Score = R2 * 100 + R1 * 10 + R0;
    else if (Run)
        Score = R2 * 30 + R1 * 5 + R0;
    else if (Ranks[2] == Ranks[1])
        Score = (R2 * 20 + R0) / 3;
    else
        Score = (R2 * 100 + R1 * 10 + R0) / 200;

    // Ace-2-3 is the lowest run, scored with the ace as 1.
    if (Cards[2].Value == 1 && Cards[1].Value == 2 && Cards[0].Value == 3)
        Score = Suited ? 1800 : 101;
    return Score;
}
