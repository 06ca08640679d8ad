#include "game/Table.h"
#include "game/TableDisplay.h"

namespace {
constexpr int CallPauseMs = 500;
constexpr int FoldedJimPauseMs = 1000;
}

void TTable::NewHand()
{
    Phase.Mover = 0;  // a chip on its way stops where it is
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
    Folds = 0;
    Round = 1;
    for (int P = 1; P <= 4; ++P)
        Display.HideToken(P);
    for (int P = 1; P <= 4; ++P)
        HasFolded[P] = false;
    Display.ShowOpponents();
    Enter(Dealing);
    Display.FreeCards();
    CreateCards();
    ShuffleDeck();
    DealHands();
    Enter(UsersTurn);
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
    Enter(OthersBetting);
    Display.SetButton(TTableButton::Call, blDisabled, false);
    Display.SetButton(TTableButton::Fold, blDisabled, false);
    if (!HasFolded[User])
        BookCall(User);
    Pause(CallPauseMs);
    Display.RunBettingTimer(true);
    Phase.Mover = User;
}

void TTable::Fold()
{
    Enter(OthersBetting);
    BookFold(User);
    Display.SetButton(TTableButton::Call, blDisabled, false);
    Display.SetButton(TTableButton::Fold, blDisabled, false);
    Raise({TTableEvent::Fold, User});
    if (Round < 4) {
        Display.RunBettingTimer(true);
        Phase.Mover = User;
    }
}

void TTable::BettingTick()
{
    if (Phase.Mover >= User && Phase.Mover <= Kate)
        ChipPhase(Phase.Mover);
}

// One tick of seat P's phase: P's chip moves one step towards the pot; on its arrival, or
// at once when P has folded, the next seat decides, or after the last seat the round ends.
void TTable::ChipPhase(int P)
{
    if (HasFolded[P]) {
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
    Phase.Mover = P + 1;
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
    ++Round;
    if (Folds >= 3)
        Round = 4;
    if (Round > LastRound) {
        Enter(BettingClosed);
        Round = 1;
        Display.SetButton(TTableButton::Flip, blNormal, true);
        Display.SetButton(TTableButton::FlipAll, blNormal, true);
        Display.RunBettingTimer(false);
        Raise({TTableEvent::BettingClosed});
    } else if (HasFolded[User]) {
        Display.RunBettingTimer(true);
        Phase.Mover = User;
    } else {
        Enter(UsersTurn);
        Display.RunBettingTimer(false);
        Display.SetButton(TTableButton::Call, blNormal, true);
        Display.SetButton(TTableButton::Fold, blNormal, true);
        Raise({TTableEvent::UserTurn, User, CallCost()});
    }
}
