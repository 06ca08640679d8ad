#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Sleep.h"
#include "desktop/Timer.h"
#include "game/TableState.h"
#include "table/Form1.h"

namespace {
constexpr int CallPauseMs = 500;
constexpr int FoldedJimPauseMs = 1000;
constexpr int LastRound = 3;
}

void TForm1::N1NewClick(QObject*)
{
    TurnPhase = 0;
    Image7->hide();
    for (int P = 1; P <= 4; ++P) {
        TotalBets[P] = Ante;
        Money[P] -= Ante;
        MoneyBefore[P] = Money[P] + Ante;
    }
    ShowMoney();
    for (int P = 1; P <= 4; ++P)
        StakeCounter(P)->ClearPicture();
    Image17->SetEnabled(false);
    SetLook(Image17, blDisabled);
    Image10->hide();
    for (TImage* Button : {Image11, Image12, Image13, Image14})
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
    SetButton(Image11, blNormal, true);
    SetButton(Image12, blNormal, true);
    SetScreenCursor(crDefault);
    SetButton(Image17, blNormal, true);
    for (int P = 1; P <= 4; ++P)
        ShowStakeDigits(ImageList3, 0, 0, Ante, StakeCounter(P));
}

void TForm1::JiaZhuClick(QObject*)
{
    SetButton(Image11, blDisabled, false);
    SetButton(Image12, blDisabled, false);
    if (!Folded[User])
        BookCall(User);
    Sleep(CallPauseMs);
    Timer4->SetEnabled(true);
    TurnPhase = 1;
}

void TForm1::FangQiClick(QObject*)
{
    BookFold(User);
    SetButton(Image11, blDisabled, false);
    SetButton(Image12, blDisabled, false);
    if (BetRound < 4) {
        Timer4->SetEnabled(true);
        TurnPhase = 1;
    }
}

void TForm1::Timer4Timer(QObject*)
{
    switch (TurnPhase) {
    case 1: ChipPhase1(); break;
    case 2: ChipPhase2(); break;
    case 3: ChipPhase3(); break;
    case 4: ChipPhase4(); break;
    default: break;
    }
}

void TForm1::ChipPhase1() { ChipPhase(User); }
void TForm1::ChipPhase2() { ChipPhase(Jack); }
void TForm1::ChipPhase3() { ChipPhase(Jim); }

// One tick of the phase of seat P (the user, Jack or Jim): P's token moves one step
// towards the pot; on its arrival the next seat decides.
void TForm1::ChipPhase(int P)
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

void TForm1::ChipPhase4()
{
    if (Folded[Kate])
        Timer4->SetEnabled(false);
    else if (!TokenArrives(Kate))
        return;
    EndBettingRound();
}

// Moves P's token one step; on arrival it goes home unseen and P's stake and chips show.
bool TForm1::TokenArrives(int P)
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

void TForm1::EndBettingRound()
{
    ++BetRound;
    if (FoldCount >= 3)
        BetRound = 4;
    if (BetRound > LastRound) {
        BetRound = 1;
        SetButton(Image13, blNormal, true);
        SetButton(Image14, blNormal, true);
        TurnPhase = 1;
        Timer4->SetEnabled(false);
    } else if (Folded[User]) {
        Timer4->SetEnabled(true);
        TurnPhase = 1;
    } else {
        Timer4->SetEnabled(false);
        TurnPhase = 1;
        SetButton(Image11, blNormal, true);
        SetButton(Image12, blNormal, true);
    }
}
