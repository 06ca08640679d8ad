#include "game/TableState.h"

#include "cards/CardControl.h"

TCardControl* Cards[53] = {};
int DeckOrder[53] = {};
TCardControl* EvalCards[3] = {};
int EvalValues[3] = {};
double Scores[5] = {};
int BetRound = 1;
int TotalBets[5] = {};
int Money[5] = {0, StartMoney, StartMoney, StartMoney, StartMoney};
int MoneyBefore[5] = {0, StartMoney, StartMoney, StartMoney, StartMoney};
bool Folded[5] = {};
int FoldCount = 0;
int TurnPhase = 0;

TCardControl* SeatCard(int Player, int Row) { return Cards[DeckOrder[DeckPosition(Row, SeatOffset(Player))]]; }

int Rank(const TCardControl* Card) { return Card->Value() == 1 ? 14 : Card->Value(); }

void BookCall(int Player)
{
    const int Stake = BetRound * StakePerRound;
    Money[Player] -= Stake;
    TotalBets[Player] += Stake;
    Folded[Player] = false;
}

void BookFold(int Player)
{
    Scores[Player] = 0.0;
    Folded[Player] = true;
    ++FoldCount;
}
