#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Sleep.h"
#include "desktop/Timer.h"
#include "game/TableState.h"
#include "table/Form1.h"

namespace {
constexpr int TokenStep = 10;
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
    if (!Folded[User]) {
        const int Stake = BetRound * StakePerRound;
        Money[User] -= Stake;
        TotalBets[User] += Stake;
    }
    Sleep(CallPauseMs);
    Timer4->SetEnabled(true);
    TurnPhase = 1;
}

void TForm1::FangQiClick(QObject*)
{
    Scores[User] = 0.0;
    Folded[User] = true;
    ++FoldCount;
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
// towards the pot; on arrival P's stake and chips show and the next seat decides.
void TForm1::ChipPhase(int P)
{
    const int Next = P + 1;
    if (Folded[P]) {
        if (P == Jim)
            Sleep(FoldedJimPauseMs);
        ComputerTurn(Next);
        TurnPhase = Next;
        return;
    }
    TImage* Chip = Token(P);
    Chip->show();
    bool Travelling = false;
    switch (P) {
    case User:
        Chip->SetTop(Chip->Top() - TokenStep);
        Travelling = Chip->Top() > 400;
        break;
    case Jack:
        Chip->SetLeft(Chip->Left() - TokenStep);
        Travelling = Chip->Left() > 490;
        break;
    case Jim:
        Chip->SetTop(Chip->Top() + TokenStep);
        Travelling = Chip->Top() < 265;
        break;
    }
    if (Travelling)
        return;
    Chip->hide();
    if (P == Jack)
        Chip->SetLeft(TokenStart[P].x());
    else
        Chip->SetTop(TokenStart[P].y());
    ShowStake(P);
    MoneyLabel(P)->SetCaption(QString::number(Money[P]));
    ComputerTurn(Next);
    TurnPhase = Next;
}

void TForm1::ChipPhase4()
{
    if (Folded[Kate]) {
        Timer4->SetEnabled(false);
        TurnPhase = 1;
    } else {
        ImageIn4->show();
        ImageIn4->SetLeft(ImageIn4->Left() + TokenStep);
        if (ImageIn4->Left() < 316)
            return;
        ImageIn4->hide();
        ImageIn4->SetLeft(TokenStart[Kate].x());
        ShowStake(Kate);
        Label4->SetCaption(QString::number(Money[Kate]));
    }
    EndBettingRound();
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
