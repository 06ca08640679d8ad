#include "cards/CardControl.h"
#include "game/TableState.h"
#include "table/TableWindow.h"

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

void TTableWindow::ComputerTurn(int P)
{
    switch (Decide(Scores[P], BetRound)) {
    case TDecision::Call:
        BookCall(P);
        break;
    case TDecision::Fold:
        BookFold(P);
        break;
    case TDecision::None:
        break;
    }
    if (!Folded[P])
        return;
    // The folded hand: three backs of the other design, piled on the middle card.
    TCardControl* Left = SeatCard(P, LeftRow);
    TCardControl* Middle = SeatCard(P, MiddleRow);
    TCardControl* Right = SeatCard(P, RightRow);
    for (TCardControl* Card : {Left, Middle, Right})
        Card->SetDeckType(Back0);
    Left->SetLeft(Middle->Left() - 1);
    Right->SetLeft(Middle->Left() + 1);
}
