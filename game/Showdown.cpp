#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/MessageBox.h"
#include "game/TableState.h"
#include "table/TableWindow.h"

namespace {
constexpr int GameOverChips = 5;
}

void TTableWindow::FlipClick(QObject*)
{
    for (int Row = LeftRow; Row >= RightRow; --Row)
        for (int P = Jack; P <= Kate; ++P)
            SeatCard(P, Row)->SetShowDeck(Folded[P]);
    SetButton(FlipButton, blDisabled, false);
    Showdown();
    ShowMoney();
    GameOverTest();
}

void TTableWindow::FlipAllClick(QObject*)
{
    for (int Row = LeftRow; Row >= RightRow; --Row)
        for (int P = Jack; P <= Kate; ++P)
            SeatCard(P, Row)->SetShowDeck(false);
    // Spread every seat to the deal's spacing; a folded pile opens up again.
    for (int P = User; P <= Kate; ++P) {
        TCardControl* Middle = SeatCard(P, MiddleRow);
        SeatCard(P, LeftRow)->SetLeft(Middle->Left() - CardSpacing);
        SeatCard(P, RightRow)->SetLeft(Middle->Left() + CardSpacing);
    }
    SetButton(FlipAllButton, blDisabled, false);
    Showdown();
    ShowMoney();
}

void TTableWindow::Showdown()
{
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
        ShowInformation(QStringLiteral("Two winners, begin again!"), TMsgButtons::OkCancel);
        return;
    }
    int Others = 0;
    for (int Q = 1; Q <= 4; ++Q)
        if (Q != Winner)
            Others += TotalBets[Q];
    TotalBets[Winner] = -Others;
    Money[Winner] = MoneyBefore[Winner] + Others;
    DrawResultSheet(Winner);
}

void TTableWindow::GameOverTest()
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
    FoldCount = 0;
    BetRound = 1;
    for (int P = 1; P <= 4; ++P) {
        Money[P] = StartMoney;
        MoneyBefore[P] = StartMoney;
        TotalBets[P] = 0;
    }
    ShowMoney();
    const QString Who[5] = {{}, QStringLiteral("You are"), QStringLiteral("Jack is"), QStringLiteral("Jim is"), QStringLiteral("Kate is")};
    ShowInformation(QStringLiteral("Game over! %1 the winner! Try again?").arg(Who[Richest]), TMsgButtons::YesNo);
}
