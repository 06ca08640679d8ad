#include "game/Table.h"
#include "game/TableDisplay.h"

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

void TTable::ComputerTurn(int P)
{
    const TDecision Decision = Decide(Scores[P], Round);
    switch (Decision) {
    case TDecision::Call:
        BookCall(P);
        break;
    case TDecision::Fold:
        BookFold(P);
        break;
    case TDecision::None:
        break;
    }
    if (!HasFolded[P])
        return;
    // The folded hand: three backs of the other design, piled on the middle card.
    TCard& Left = SeatSlot(P, LeftRow);
    TCard& Middle = SeatSlot(P, MiddleRow);
    TCard& Right = SeatSlot(P, RightRow);
    for (TCard* Card : {&Left, &Middle, &Right})
        Card->Back = FoldedBack;
    Display.PileHand(Left, Middle, Right);
    if (Decision == TDecision::Fold)
        Raise({TTableEvent::Fold, P});
}
