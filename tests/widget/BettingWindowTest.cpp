// What the window does with the betting: the chips' tokens on their routes, the counters,
// the labels, the cursor and the boxes. The order of the game's steps is tested on the
// table alone (tests/unit/BettingTest.cpp).
#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "game/TableDisplay.h"
#include "support/TableFixture.h"

class BettingWindowTest : public TTableTest
{
protected:
    // Ticks one phase to its end, checking the chips after every tick; returns the ticks.
    int RunPhase(int Phase) { return TickPhase(Phase, [this] { EXPECT_TRUE(ChipsBalance()); }); }
};

TEST_F(BettingWindowTest, StakeCountersKeepTheirSizeWhateverTheyShow)
{
    Deal(JimFolds);
    for (int P = 1; P <= 4; ++P)
        EXPECT_EQ(Window->StakeCounter(P)->size(), QSize(100, 100));
    PlayCalling();
    EXPECT_EQ(Window->StakeCounter(Jim)->size(), QSize(100, 100));
}

TEST_F(BettingWindowTest, HourglassShowsDuringTheDeal)
{
    StackDeck(NobodyFolds);
    std::vector<TCursor> Seen;
    std::vector<bool> StartUsable;
    Pausing = [&](int) {
        Seen.push_back(ScreenCursor());
        StartUsable.push_back(Control(StartButton)->isEnabled());
    };
    emit Control(StartButton)->Clicked();
    ASSERT_FALSE(Seen.empty());
    for (TCursor C : Seen)
        EXPECT_EQ(C, crHourGlass);
    for (bool B : StartUsable)
        EXPECT_FALSE(B);
    EXPECT_EQ(ScreenCursor(), crDefault);
    EXPECT_FALSE(Named("UserToken")->isVisible());
}

TEST_F(BettingWindowTest, EachChipTravelsItsRouteAndGoesHomeUnseen)
{
    Deal(NobodyFolds);
    for (int Round = 1; Round <= 3; ++Round) {
        emit Control(CallButton)->Clicked();
        EXPECT_TRUE(Timer()->Enabled());
        // The user's token: visible after every tick but the last, 5 ticks in all.
        Tick();
        EXPECT_TRUE(Named("UserToken")->isVisible());
        EXPECT_EQ(Named("UserToken")->pos(), QPoint(408, 440));
        EXPECT_EQ(RunPhase(1) + 1, 5);
        EXPECT_FALSE(Named("UserToken")->isVisible());
        EXPECT_EQ(Named("UserToken")->pos(), QPoint(408, 450));
        EXPECT_EQ(Named<TLabel>("UserMoney")->text().toInt(), Game().Chips(User));
        EXPECT_EQ(RunPhase(2), 9);
        EXPECT_EQ(Named("JackToken")->pos(), QPoint(580, 330));
        EXPECT_EQ(RunPhase(3), 9);
        EXPECT_EQ(Named("JimToken")->pos(), QPoint(408, 184));
        EXPECT_EQ(RunPhase(4), 9);
        EXPECT_EQ(Named("KateToken")->pos(), QPoint(228, 330));
        EXPECT_FALSE(Timer()->Enabled());
    }
}

TEST_F(BettingWindowTest, AChipLeftHalfwayByANewHandGoesOnFromThere)
{
    Deal(NobodyFolds);
    emit Control(CallButton)->Clicked();
    Tick(6);  // the user's token arrived; Jack's is on its way
    ASSERT_EQ(Game().Mover(), 2);
    const QPoint Halfway = Named("JackToken")->pos();
    EXPECT_EQ(Halfway, QPoint(570, 330));
    Deal(NobodyFolds);
    EXPECT_FALSE(Named("JackToken")->isVisible());
    EXPECT_EQ(Named("JackToken")->pos(), Halfway);
    EXPECT_TRUE(Timer()->Enabled());  // still running, idle until the user acts
    Tick(5);
    EXPECT_EQ(Game().Mover(), 0);
    // Jack's token now arrives one tick early.
    emit Control(CallButton)->Clicked();
    RunPhase(1);
    EXPECT_EQ(RunPhase(2), 8);
}

TEST_F(BettingWindowTest, FlipsSpreadAndTurnTheHandsWhereTheyLie)
{
    PlayCalling(AllComputersFold);
    emit Control(FlipButton)->Clicked();
    for (int P = Jack; P <= Kate; ++P)
        EXPECT_TRUE(SeatCard(P, 11)->FaceDown());  // folded piles stay face down
    emit Control(FlipAllButton)->Clicked();
    for (int P = Jack; P <= Kate; ++P) {
        const int Middle = SeatCard(P, 11)->x();
        EXPECT_EQ(SeatCard(P, 12)->x(), Middle - 15);
        EXPECT_EQ(SeatCard(P, 10)->x(), Middle + 15);
        for (int Row = 10; Row <= 12; ++Row)
            EXPECT_FALSE(SeatCard(P, Row)->FaceDown());
    }
    // Flip after Flip all turns the folded hands back but keeps them spread.
    emit Control(FlipButton)->Clicked();
    for (int P = Jack; P <= Kate; ++P) {
        EXPECT_TRUE(SeatCard(P, 12)->FaceDown());
        EXPECT_EQ(SeatCard(P, 12)->x(), SeatCard(P, 11)->x() - 15);
    }
}

TEST_F(BettingWindowTest, TheBoxesSayWhatHappened)
{
    PlayFolding(AllComputersFold);
    emit Control(FlipButton)->Clicked();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "Two winners, begin again!");
    EXPECT_EQ(Messages[0].Buttons, TMsgButtons::OkCancel);
    EXPECT_FALSE(Window->Control(TTablePart::Sheet)->isVisible());
    EXPECT_FALSE(Named("WinnerMarker")->isVisible());

    // The game over box, over the sheet of the hand just settled.
    StartChips[Jack] = 10;
    ShowNewWindow();
    PlayCalling(AllComputersFold);
    Messages.clear();
    emit Control(FlipButton)->Clicked();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "Game over! You are the winner! Try again?");
    EXPECT_EQ(Messages[0].Buttons, TMsgButtons::YesNo);
    EXPECT_TRUE(Window->Control(TTablePart::Sheet)->isVisible());
    Answer = QMessageBox::No;
    static_cast<TTableDisplay&>(*Window).TellGameOver(Kate);
    EXPECT_EQ(Messages.back().Text, "Game over! Kate is the winner! Try again?");
}

TEST_F(BettingWindowTest, MoneyLabelsShowTheChipsAsTheyAre)
{
    TTableDisplay& Shown = *Window;
    Shown.ShowMoney(Jack, 2);
    Shown.ShowMoney(Jim, -15);
    EXPECT_EQ(Named<TLabel>("JackMoney")->text(), "2");
    EXPECT_EQ(Named<TLabel>("JimMoney")->text(), "-15");
}
