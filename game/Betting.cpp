#include "game/Table.h"
#include "game/TableDisplay.h"

namespace {
constexpr int CallPauseMs = 500;
constexpr int FoldedJimPauseMs = 1000;
}

void TTable::NewHand()
{
    TurnPhase = 0;
    Display.HideWinnerMarker();
    for (int P = 1; P <= 4; ++P) {
        TotalBets[P] = Ante;
        Money[P] -= Ante;
        MoneyBefore[P] = Money[P] + Ante;
        Uncalled[P] = 0;
    }
    ShowMoney();
    for (int P = 1; P <= 4; ++P)
        ClearStake(P);
    Display.EnableButton(TTableButton::Start, false);
    Display.SetLook(TTableButton::Start, blDisabled);
    Display.HideResultSheet();
    for (TTableButton Button : {TTableButton::Call, TTableButton::Fold, TTableButton::Flip, TTableButton::FlipAll})
        Display.SetButton(Button, blDisabled, false);
    Display.SetBusyCursor(true);
    FoldCount = 0;
    BetRound = 1;
    for (int P = 1; P <= 4; ++P)
        Display.HideToken(P);
    for (int P = 1; P <= 4; ++P)
        Folded[P] = false;
    Display.ShowOpponents();
    Stage = Dealing;
    FreeCards();
    CreateCards();
    ShuffleDeck();
    DealHands();
    Stage = UsersTurn;
    Display.SetButton(TTableButton::Call, blNormal, true);
    Display.SetButton(TTableButton::Fold, blNormal, true);
    Display.SetBusyCursor(false);
    Display.SetButton(TTableButton::Start, blNormal, true);
    for (int P = 1; P <= 4; ++P)
        ShowStake(P, Ante);
    Raise({TTableEvent::HandDealt});
    Raise({TTableEvent::UserTurn, User, CallCost()});
}

void TTable::Call()
{
    Stage = OthersBetting;
    Display.SetButton(TTableButton::Call, blDisabled, false);
    Display.SetButton(TTableButton::Fold, blDisabled, false);
    if (!Folded[User])
        BookCall(User);
    Pause(CallPauseMs);
    Display.RunBettingTimer(true);
    TurnPhase = User;
}

void TTable::Fold()
{
    Stage = OthersBetting;
    BookFold(User);
    Display.SetButton(TTableButton::Call, blDisabled, false);
    Display.SetButton(TTableButton::Fold, blDisabled, false);
    Raise({TTableEvent::Fold, User});
    if (BetRound < 4) {
        Display.RunBettingTimer(true);
        TurnPhase = User;
    }
}

void TTable::BettingTick()
{
    if (TurnPhase >= User && TurnPhase <= Kate)
        ChipPhase(TurnPhase);
}

// One tick of seat P's phase: P's chip moves one step towards the pot; on its arrival, or
// at once when P has folded, the next seat decides, or after the last seat the round ends.
void TTable::ChipPhase(int P)
{
    if (Folded[P]) {
        if (P == Jim)
            Pause(FoldedJimPauseMs);
        else if (P == Kate)
            Display.RunBettingTimer(false);
    } else if (!TokenArrives(P)) {
        return;
    }
    if (P == Kate) {
        EndBettingRound();
        return;
    }
    ComputerTurn(P + 1);
    TurnPhase = P + 1;
}

// Moves P's chip one step; on arrival P's stake and chips show.
bool TTable::TokenArrives(int P)
{
    if (!Display.StepToken(P))
        return false;
    ShowStake(P, TotalBets[P]);
    Display.ShowMoney(P, Money[P]);
    // Carried: listeners find the chips on the money label, in ChipsShown too.
    const int Carried = Uncalled[P];
    Uncalled[P] = 0;
    Raise({TTableEvent::Call, P, Carried});
    return true;
}

void TTable::EndBettingRound()
{
    ++BetRound;
    if (FoldCount >= 3)
        BetRound = 4;
    if (BetRound > LastRound) {
        Stage = BettingClosed;
        BetRound = 1;
        Display.SetButton(TTableButton::Flip, blNormal, true);
        Display.SetButton(TTableButton::FlipAll, blNormal, true);
        TurnPhase = User;
        Display.RunBettingTimer(false);
        Raise({TTableEvent::BettingClosed});
    } else if (Folded[User]) {
        Display.RunBettingTimer(true);
        TurnPhase = User;
    } else {
        Stage = UsersTurn;
        Display.RunBettingTimer(false);
        TurnPhase = User;
        Display.SetButton(TTableButton::Call, blNormal, true);
        Display.SetButton(TTableButton::Fold, blNormal, true);
        Raise({TTableEvent::UserTurn, User, CallCost()});
    }
}
