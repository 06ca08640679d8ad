#include "game/TableState.h"

TToviCard* Cards[53] = {};
int DeckOrder[53] = {};
TToviCard* EvalCards[3] = {};
int EvalValues[3] = {};
double Scores[5] = {};
int BetRound = 1;
int TotalBets[5] = {};
int Money[5] = {0, StartMoney, StartMoney, StartMoney, StartMoney};
int MoneyBefore[5] = {0, StartMoney, StartMoney, StartMoney, StartMoney};
bool Folded[5] = {};
int FoldCount = 0;
int TurnPhase = 0;
