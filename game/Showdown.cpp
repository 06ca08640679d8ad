#include "game/Table.h"
#include "game/TableDisplay.h"

namespace {
constexpr int GameOverChips = 5;
}

void TTable::Flip()
{
    TurnOver(false);
    GameOverTest();
}

void TTable::FlipAll() { TurnOver(true); }

// The others' hands turned face up, a folded one only when All, and the hand settled.
void TTable::TurnOver(bool All)
{
    for (int Row = LeftRow; Row >= RightRow; --Row)
        for (int P = Jack; P <= Kate; ++P) {
            TCard& Card = SeatSlot(P, Row);
            Card.FaceDown = !All && HasFolded[P];
            Display.TurnCard(Card);
        }
    // Every seat spread to the deal's spacing; a folded pile opens up again.
    if (All)
        for (int P = User; P <= Kate; ++P)
            Display.SpreadHand(SeatCard(P, LeftRow), SeatCard(P, MiddleRow), SeatCard(P, RightRow));
    Display.SetButton(All ? TTableButton::FlipAll : TTableButton::Flip, blDisabled, false);
    Raise({TTableEvent::HandsTurnedOver, 0, 0, All});
    Showdown();
    ShowMoney();
}

void TTable::Showdown()
{
    Enter(HandOver);
    double Best = Scores[1];
    int Winner = 1, Count = 1;
    for (int P = 2; P <= 4; ++P) {
        if (Scores[P] > Best) {
            Best = Scores[P];
            Winner = P;
            Count = 1;
        } else if (Scores[P] == Best) {
            ++Count;
        }
    }
    if (Count >= 2) {
        // A shared best hand takes nothing: the pot is lost to everyone.
        Raise({TTableEvent::Tie});
        Display.TellTie();
        return;
    }
    int Others = 0;
    for (int Q = 1; Q <= 4; ++Q)
        if (Q != Winner)
            Others += TotalBets[Q];
    TotalBets[Winner] = -Others;
    Money[Winner] = MoneyBefore[Winner] + Others;
    TSettlement Settlement;
    Settlement.Winner = Winner;
    for (int P = 1; P <= 4; ++P) {
        Settlement.Add[P] = -TotalBets[P];
        Settlement.Score[P] = Money[P];
    }
    Display.ShowResult(Settlement);
    Raise({TTableEvent::Result, Winner, Others});
}

void TTable::GameOverTest()
{
    int Richest = 1;
    for (int P = 2; P <= 4; ++P)
        if (Money[P] >= Money[Richest])
            Richest = P;
    bool Over = false;
    for (int P = 1; P <= 4; ++P)
        Over = Over || Money[P] <= GameOverChips;
    if (!Over)
        return;
    Folds = 0;
    Round = 1;
    for (int P = 1; P <= 4; ++P) {
        Money[P] = StartMoney;
        MoneyBefore[P] = StartMoney;
        TotalBets[P] = 0;
    }
    ShowMoney();
    Raise({TTableEvent::GameOver, Richest});
    Display.TellGameOver(Richest);
}
