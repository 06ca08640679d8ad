#include "game/HandEval.h"

#include <utility>

namespace {
void SortRanks(int& Low, int& Mid, int& High)
{
    if (Low > Mid)
        std::swap(Low, Mid);
    if (Mid > High)
        std::swap(Mid, High);
    if (Low > Mid)
        std::swap(Low, Mid);
}
}

THandClass ClassifyHand(const TCard (&Cards)[3])
{
    int Low = Cards[0].Rank(), Mid = Cards[1].Rank(), High = Cards[2].Rank();
    SortRanks(Low, Mid, High);
    const bool Suited = Cards[0].Suit == Cards[1].Suit && Cards[1].Suit == Cards[2].Suit;
    const bool AceLow = Low == 2 && Mid == 3 && High == 14;
    const bool Run = AceLow || (Mid == Low + 1 && High == Mid + 1);
    const int Top = AceLow ? 3 : High;
    if (Low == High)
        return {THandKind::ThreeOfAKind, High};
    if (Suited && Run)
        return {THandKind::StraightFlush, Top};
    if (Suited)
        return {THandKind::Flush, Top};
    if (Run)
        return {THandKind::Straight, Top};
    if (Low == Mid || Mid == High)
        return {THandKind::Pair, Mid};
    return {THandKind::HighCard, High};
}

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
    const THandClass Class = ClassifyHand(Hand.Cards);
    int Low = Hand.Ranks[0], Mid = Hand.Ranks[1], High = Hand.Ranks[2];
    SortRanks(Low, Mid, High);
    const double H = Class.Rank, R0 = Low, R1 = Mid, R2 = High;
    const double Odd = Low == Mid ? R2 : R0;  // a pair's other card
    switch (Class.Kind) {
    case THandKind::ThreeOfAKind:
        return 3 * H * 1500;
    case THandKind::StraightFlush:
        return 3 * H * 200;
    case THandKind::Flush:
        return R2 * 100 + R1 * 10 + R0;
    case THandKind::Straight:
        // Ace-2-3 counts its ace as 1.
        return H * 30 + (H - 1) * 5 + (H - 2);
    case THandKind::Pair:
        return (H * 20 + Odd) / 3;
    case THandKind::HighCard:
        break;
    }
    return (R2 * 100 + R1 * 10 + R0) / 200;
}
