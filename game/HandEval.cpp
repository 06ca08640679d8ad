#include "cards/CardControl.h"
#include "game/TableState.h"
#include "table/TableWindow.h"

void TTableWindow::SortHand()
{
    // Two bubble passes; equal ranks are never exchanged, so they keep their order.
    const int Compares[3] = {0, 1, 0};
    for (int J : Compares) {
        if (EvalValues[J] > EvalValues[J + 1]) {
            std::swap(EvalCards[J], EvalCards[J + 1]);
            EvalValues[J] = Rank(EvalCards[J]);
            EvalValues[J + 1] = Rank(EvalCards[J + 1]);
        }
    }
    // A pair at the low end goes to the high end. The ranks are left stale on purpose:
    // the caller refreshes them from the cards after laying them out.
    if (EvalValues[0] == EvalValues[1] && EvalValues[0] != EvalValues[2])
        std::swap(EvalCards[0], EvalCards[2]);
    // Ace-2-3 shows as ace, 2, 3.
    if (EvalCards[2]->Value() == 1 && EvalCards[1]->Value() == 3 && EvalCards[0]->Value() == 2)
        std::swap(EvalCards[0], EvalCards[1]);
}

double TTableWindow::ScoreHand()
{
    const double R0 = EvalValues[0], R1 = EvalValues[1], R2 = EvalValues[2];
    const bool Suited = EvalCards[1]->Suit() == EvalCards[2]->Suit() && EvalCards[2]->Suit() == EvalCards[0]->Suit();
    const bool Run = EvalValues[0] + 1 == EvalValues[1] && EvalValues[1] + 1 == EvalValues[2];

    double Score;
    if (EvalValues[1] == EvalValues[2] && EvalValues[1] == EvalValues[0])
        Score = 3 * R2 * 1500;
    else if (Suited && Run)
        Score = 3 * R2 * 200;
    else if (Suited)
        Score = R2 * 100 + R1 * 10 + R0;
    else if (Run)
        Score = R2 * 30 + R1 * 5 + R0;
    else if (EvalValues[2] == EvalValues[1])
        Score = (R2 * 20 + R0) / 3;
    else
        Score = (R2 * 100 + R1 * 10 + R0) / 200;

    // Ace-2-3 is the lowest run, scored with the ace as 1.
    if (EvalCards[2]->Value() == 1 && EvalCards[1]->Value() == 2 && EvalCards[0]->Value() == 3)
        Score = Suited ? 1800 : 101;
    return Score;
}
