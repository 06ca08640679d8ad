// What the window does with the betting: the chips' tokens on their routes, the counters,
// the labels, the cursor and the boxes. The order of the game's steps is tested on the
// table alone (tests/unit/BettingTest.cpp).
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Timer.h"
#include "game/Table.h"
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
    // Start unusable and the tokens hidden while dealing are the scenarios' views.
    StackDeck(NobodyFolds);
    std::vector<TCursor> Seen;
    Pausing = [&](int) { Seen.push_back(ScreenCursor()); };
    emit Control(StartButton)->Clicked();
    ASSERT_FALSE(Seen.empty());
    for (TCursor C : Seen)
        EXPECT_EQ(C, crHourGlass);
    EXPECT_EQ(ScreenCursor(), crDefault);
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
    // Jack's token now arrives one tick early; the idle ticks between are BettingTest's.
    emit Control(CallButton)->Clicked();
    RunPhase(1);
    EXPECT_EQ(RunPhase(2), 8);
}

TEST_F(BettingWindowTest, TheGameOverBoxComesOverTheSheetOfTheHandJustSettled)
{
    // The boxes' texts and buttons, and the tie's hidden sheet, are the scenarios' views.
    StartChips[Jack] = 10;
    ShowNewWindow();
    PlayCalling(AllComputersFold);
    emit Control(FlipButton)->Clicked();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].Text.startsWith("Game over!"));
    EXPECT_TRUE(Window->Control(TTablePart::Sheet)->isVisible());
}
