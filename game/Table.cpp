#include "game/Table.h"

#include "game/TableDisplay.h"

TTable::TTable(TTableDisplay& Display, TPause Pause, TDraw Draw, const TSeatChips& Chips)
    : Display(Display), Hold(std::move(Pause)), Draw(std::move(Draw)), Money(Chips), MoneyBefore(Chips)
{
}

void TTable::Play(void (TTable::*Move)())
{
    (this->*Move)();
    Raise({TTableEvent::MoveOver});
}

void TTable::Raise(TTableEvent Event) { emit Happened(Event); }

void TTable::Pause(int Ms)
{
    Raise({TTableEvent::PauseBegins, 0, Ms});
    Hold(Ms);
    Raise({TTableEvent::PauseEnds});
}

int TTable::Pot() const
{
    int Chips = 0;
    for (int P = 1; P <= 4; ++P)
        Chips += TotalBets[P] - Uncalled[P];
    return Chips;
}

void TTable::ShowMoney()
{
    for (int P = 1; P <= 4; ++P)
        Display.ShowMoney(P, Money[P]);
}

// The counter and what it shows change together: readers take the figure from the table.
void TTable::ShowStake(int Player, int Chips)
{
    Staked[Player] = Chips;
    Display.ShowStake(Player, Chips);
}

void TTable::ClearStake(int Player)
{
    Staked[Player] = 0;
    Display.ClearStake(Player);
}

// The chip accounting of a call (Round * 20 chips from Money into TotalBets) and of
// a fold (no chips move; the hand can no longer win), for the user and the computer alike.
void TTable::BookCall(int Player)
{
    const int Stake = CallCost();
    Money[Player] -= Stake;
    TotalBets[Player] += Stake;
    Uncalled[Player] += Stake;
    HasFolded[Player] = false;
}

void TTable::BookFold(int Player)
{
    Scores[Player] = 0.0;
    HasFolded[Player] = true;
    ++Folds;
}

const char* EventName(TTableEvent::TKind Kind)
{
    static const char* const Names[] = {"hand-dealt", "call", "fold", "turn", "betting-closed", "turned-over",
                                        "result", "tie", "game-over", "pause-begins", "pause-ends", "move-over", "card-laid"};
    return Names[Kind];
}
