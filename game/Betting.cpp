#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Sleep.h"
#include "desktop/Timer.h"
#include "game/TableState.h"
#include "table/TableWindow.h"

namespace {
constexpr int CallPauseMs = 500;
constexpr int FoldedJimPauseMs = 1000;
constexpr int LastRound = 3;
}

void TTableWindow::StartClick(QObject*)
{
    TurnPhase = 0;
    WinnerMarker->hide();
    for (int P = 1; P <= 4; ++P) {
        TotalBets[P] = Ante;
        Money[P] -= Ante;
        MoneyBefore[P] = Money[P] + Ante;
    }
    ShowMoney();
    for (int P = 1; P <= 4; ++P)
        StakeCounter(P)->ClearPicture();
    StartButton->SetEnabled(false);
    SetLook(StartButton, blDisabled);
    ResultSheet->hide();
    for (TImage* Button : {CallButton, FoldButton, FlipButton, FlipAllButton})
        SetButton(Button, blDisabled, false);
    SetScreenCursor(crHourGlass);
    FoldCount = 0;
    BetRound = 1;
    for (int P = 1; P <= 4; ++P)
        Token(P)->hide();
    for (int P = 1; P <= 4; ++P)
        Folded[P] = false;
    ShowOpponents();
    FreeCards();
    CreateCards();
    ShuffleDeck();
    DealHands();
    SetButton(CallButton, blNormal, true);
    SetButton(FoldButton, blNormal, true);
    SetScreenCursor(crDefault);
    SetButton(StartButton, blNormal, true);
    for (int P = 1; P <= 4; ++P)
        ShowStakeDigits(DigitGlyphs, 0, 0, Ante, StakeCounter(P));
}

void TTableWindow::CallClick(QObject*)
{
    SetButton(CallButton, blDisabled, false);
    SetButton(FoldButton, blDisabled, false);
    if (!Folded[User])
        BookCall(User);
    Sleep(CallPauseMs);
    BettingTimer->SetEnabled(true);
    TurnPhase = 1;
}

void TTableWindow::FoldClick(QObject*)
{
    BookFold(User);
    SetButton(CallButton, blDisabled, false);
    SetButton(FoldButton, blDisabled, false);
    if (BetRound < 4) {
        BettingTimer->SetEnabled(true);
        TurnPhase = 1;
    }
}

void TTableWindow::BettingTick(QObject*)
{
    switch (TurnPhase) {
    case 1: UserChipPhase(); break;
    case 2: JackChipPhase(); break;
    case 3: JimChipPhase(); break;
    case 4: KateChipPhase(); break;
    default: break;
    }
}

void TTableWindow::UserChipPhase() { ChipPhase(User); }
void TTableWindow::JackChipPhase() { ChipPhase(Jack); }
void TTableWindow::JimChipPhase() { ChipPhase(Jim); }

// One tick of the phase of seat P (the user, Jack or Jim): P's token moves one step
// towards the pot; on its arrival the next seat decides.
void TTableWindow::ChipPhase(int P)
{
    const int Next = P + 1;
    if (Folded[P]) {
        if (P == Jim)
            Sleep(FoldedJimPauseMs);
    } else if (!TokenArrives(P)) {
        return;
    }
    ComputerTurn(Next);
    TurnPhase = Next;
}

void TTableWindow::KateChipPhase()
{
    if (Folded[Kate])
        BettingTimer->SetEnabled(false);
    else if (!TokenArrives(Kate))
        return;
    EndBettingRound();
}

// Moves P's token one step; on arrival it goes home unseen and P's stake and chips show.
bool TTableWindow::TokenArrives(int P)
{
    TImage* Chip = Token(P);
    Chip->show();
    const TTokenRoute& Route = TokenRoute[P];
    Chip->move(Chip->pos() + Route.Step);
    const QPoint At = Chip->pos();
    const bool Travelling = Route.Step.x() < 0 ? At.x() > Route.Stop
                          : Route.Step.x() > 0 ? At.x() < Route.Stop
                          : Route.Step.y() < 0 ? At.y() > Route.Stop
                                               : At.y() < Route.Stop;
    if (Travelling)
        return false;
    Chip->hide();
    // Only the coordinate that moves goes back to its start.
    Chip->move(Route.Step.x() != 0 ? QPoint(TokenStart[P].x(), At.y()) : QPoint(At.x(), TokenStart[P].y()));
    ShowStake(P);
    ShowMoneyOf(P);
    return true;
}

void TTableWindow::EndBettingRound()
{
    ++BetRound;
    if (FoldCount >= 3)
        BetRound = 4;
    if (BetRound > LastRound) {
        BetRound = 1;
        SetButton(FlipButton, blNormal, true);
        SetButton(FlipAllButton, blNormal, true);
        TurnPhase = 1;
        BettingTimer->SetEnabled(false);
    } else if (Folded[User]) {
        BettingTimer->SetEnabled(true);
        TurnPhase = 1;
    } else {
        BettingTimer->SetEnabled(false);
        TurnPhase = 1;
        SetButton(CallButton, blNormal, true);
        SetButton(FoldButton, blNormal, true);
    }
}
