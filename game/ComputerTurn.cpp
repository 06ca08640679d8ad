#include "cards/ToviCard.h"
#include "game/TableState.h"
#include "table/Form1.h"

namespace {
enum class TDecision { Call, Fold, None };

// A fixed rule on the hand's score and the round only: pairs and better always call,
// a strong high card calls until the last round asks for more.
TDecision Decide(double S, int Round)
{
    if (S >= 100)
        return TDecision::Call;
    if (S >= 14 && S <= 98)
        return TDecision::Call;
    if (S >= 2 && S <= 8) {
        const double Needed = Round == 3 ? 6.5 : 6;
        if (Round >= 1 && Round <= 3)
            return S >= Needed ? TDecision::Call : TDecision::Fold;
    }
    return TDecision::None;
}
}

void TForm1::ComputerTurn(int P)
{
    switch (Decide(Scores[P], BetRound)) {
    case TDecision::Call: {
        const int Stake = BetRound * StakePerRound;
        Money[P] -= Stake;
        TotalBets[P] += Stake;
        Folded[P] = false;
        break;
    }
    case TDecision::Fold:
        Folded[P] = true;
        ++FoldCount;
        break;
    case TDecision::None:
        break;
    }
    if (!Folded[P])
        return;
    Scores[P] = 0.0;
    // The folded hand: three backs of the other design, piled on the middle card.
    const int D = 5 - P;
    TToviCard* Left = Cards[DeckOrder[48 + D]];
    TToviCard* Middle = Cards[DeckOrder[44 + D]];
    TToviCard* Right = Cards[DeckOrder[40 + D]];
    for (TToviCard* Card : {Left, Middle, Right})
        Card->SetDeckType(Back0);
    Left->SetLeft(Middle->Left() - 1);
    Right->SetLeft(Middle->Left() + 1);
}
