#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"

class BettingTest : public TTableTest
{
protected:
    // Ticks one phase to its end, checking the chips after every tick; returns the ticks.
    int RunPhase(int Phase)
    {
        int Ticks = 0;
        while (Game().TurnPhase == Phase && Form->BettingTimer->Enabled() && Ticks < 100) {
            Tick();
            ++Ticks;
            EXPECT_TRUE(ChipsBalance());
        }
        return Ticks;
    }
    bool Usable(TImage* Button) const { return Button->isEnabled(); }
};

TEST_F(BettingTest, StartOfAHandTakesTheAnteAndDeals)
{
    Deal(NobodyFolds);
    for (int P = 1; P <= 4; ++P) {
        EXPECT_EQ(Game().Money[P], 995);
        EXPECT_EQ(Game().MoneyBefore[P], 1000);
        EXPECT_EQ(Game().TotalBets[P], 5);
        EXPECT_EQ(Form->StakeCounter(P)->size(), QSize(100, 100));
    }
    EXPECT_EQ(Game().TurnPhase, 0);
    EXPECT_EQ(Game().BetRound, 1);
    EXPECT_EQ(ScreenCursor(), crDefault);
    // Ticks do nothing until the user acts.
    Tick(20);
    EXPECT_EQ(Game().TurnPhase, 0);
    EXPECT_FALSE(Form->UserToken->isVisible());
}

TEST_F(BettingTest, HourglassShowsDuringTheDeal)
{
    StackDeck(NobodyFolds);
    std::vector<TCursor> Seen;
    std::vector<bool> StartUsable;
    Pausing = [&](int) {
        Seen.push_back(ScreenCursor());
        StartUsable.push_back(Form->StartButton->isEnabled());
    };
    Form->StartClick();
    ASSERT_FALSE(Seen.empty());
    for (TCursor C : Seen)
        EXPECT_EQ(C, crHourGlass);
    for (bool B : StartUsable)
        EXPECT_FALSE(B);
    EXPECT_EQ(ScreenCursor(), crDefault);
}

TEST_F(BettingTest, ThreeRoundsWithoutAFold)
{
    Deal(NobodyFolds);
    for (int Round = 1; Round <= 3; ++Round) {
        Sleeps.clear();
        Form->CallClick();
        EXPECT_EQ(Sleeps, std::vector<int>{500});
        EXPECT_EQ(Game().Money[User], 995 - (Round == 1 ? 20 : Round == 2 ? 60 : 120));
        EXPECT_EQ(Game().TurnPhase, 1);
        EXPECT_TRUE(Form->BettingTimer->Enabled());

        // The user's token: visible after every tick but the last, 5 ticks in all.
        Tick();
        EXPECT_TRUE(Form->UserToken->isVisible());
        EXPECT_EQ(Form->UserToken->pos(), QPoint(408, 440));
        EXPECT_EQ(RunPhase(1) + 1, 5);
        EXPECT_FALSE(Form->UserToken->isVisible());
        EXPECT_EQ(Form->UserToken->pos(), QPoint(408, 450));
        EXPECT_EQ(Form->UserMoney->text().toInt(), Game().Money[User]);
        EXPECT_EQ(RunPhase(2), 9);
        EXPECT_EQ(Form->JackToken->pos(), QPoint(580, 330));
        EXPECT_EQ(RunPhase(3), 9);
        EXPECT_EQ(Form->JimToken->pos(), QPoint(408, 184));
        EXPECT_EQ(RunPhase(4), 9);
        EXPECT_EQ(Form->KateToken->pos(), QPoint(228, 330));
        EXPECT_TRUE(Sleeps.size() == 1);  // no pause but the call's
        EXPECT_FALSE(Form->BettingTimer->Enabled());
        EXPECT_EQ(Game().TurnPhase, 1);
        if (Round < 3)
            EXPECT_EQ(Game().BetRound, Round + 1);
    }
    EXPECT_EQ(Game().BetRound, 1);

    Form->FlipClick();
    EXPECT_EQ(Game().TotalBets[User], -375);
}

TEST_F(BettingTest, UserFoldsAndTheRoundsRunOnByThemselves)
{
    Deal(NobodyFolds);
    Form->FoldClick();
    EXPECT_TRUE(Game().Folded[User]);
    EXPECT_EQ(Game().Scores[User], 0.0);
    EXPECT_EQ(Game().FoldCount, 1);
    EXPECT_EQ(Game().Money[User], 995);
    EXPECT_TRUE(Sleeps.size() == 24);  // only the deal's
    // The user's phase is passed over at once: Jack decides on the first tick.
    Tick();
    EXPECT_FALSE(Form->UserToken->isVisible());
    EXPECT_EQ(Game().TurnPhase, 2);
    EXPECT_EQ(Game().TotalBets[Jack], 25);
    const int Ticks = TickUntilIdle();
    EXPECT_EQ(Ticks, 3 * (1 + 27) - 1);
    EXPECT_EQ(Game().TotalBets[Jack], 125);
    EXPECT_TRUE(ChipsBalance());
}

TEST_F(BettingTest, FoldedJimPausesEachOfHisPhases)
{
    Deal(THands{{"7S", "7D", "7C"}, {"2S", "2D", "3C"}, {"JH", "9S", "8D"}, {"9H", "9C", "KD"}});
    Sleeps.clear();
    Form->CallClick();
    TickUntilIdle();
    EXPECT_TRUE(Game().Folded[Jim]);
    EXPECT_EQ(Sleeps, (std::vector<int>{500, 1000}));
    for (int Round = 2; Round <= 3; ++Round) {
        Sleeps.clear();
        Form->CallClick();
        TickUntilIdle();
        EXPECT_EQ(Sleeps, (std::vector<int>{500, 1000}));
    }
    EXPECT_EQ(Game().TotalBets[Jim], 5);
    EXPECT_EQ(Form->StakeCounter(Jim)->size(), QSize(100, 100));
}

TEST_F(BettingTest, ThreeFoldsCloseTheBettingAtTheEndOfTheRound)
{
    // The user folds, then Jack and Jim: Kate still decides and pays in that round.
    PlayFolding(THands{{"2S", "7D", "9C"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"AD", "AH", "KS"}});
    EXPECT_EQ(Game().FoldCount, 3);
}

TEST_F(BettingTest, AllComputersFoldAndTheUserWins)
{
    PlayCalling(AllComputersFold);
    EXPECT_EQ(Game().FoldCount, 3);
    EXPECT_TRUE(Usable(Form->FlipButton));
    Form->FlipClick();
    EXPECT_EQ(Game().Money[User], 1000 + 15);
    // Folded hands stay face down in their piles after Flip.
    for (int P = Jack; P <= Kate; ++P)
        EXPECT_TRUE(SeatCard(P, 11)->FaceDown());
}

TEST_F(BettingTest, EverybodyFoldsAndThePotIsLost)
{
    PlayFolding(AllComputersFold);
    Form->FlipClick();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "Two winners, begin again!");
    EXPECT_EQ(Messages[0].Buttons, TMsgButtons::OkCancel);
    EXPECT_FALSE(Form->ResultSheet->isVisible());
    EXPECT_FALSE(Form->WinnerMarker->isVisible());
    for (int P = 1; P <= 4; ++P)
        EXPECT_EQ(Game().Money[P], 995);
}

TEST_F(BettingTest, StartDuringTravelAbandonsTheHand)
{
    Deal(NobodyFolds);
    Form->CallClick();
    Tick(6);  // the user's token arrived; Jack's is on its way
    ASSERT_EQ(Game().TurnPhase, 2);
    const QPoint Halfway = Form->JackToken->pos();
    EXPECT_EQ(Halfway, QPoint(570, 330));
    Deal(NobodyFolds);
    EXPECT_EQ(Game().TurnPhase, 0);
    EXPECT_FALSE(Form->JackToken->isVisible());
    EXPECT_EQ(Form->JackToken->pos(), Halfway);
    EXPECT_EQ(Game().Money[User], 995 - 20 - 5);
    EXPECT_EQ(Game().Money[Jack], 995 - 20 - 5);
    EXPECT_TRUE(Form->BettingTimer->Enabled());  // still running, idle until the user acts
    Tick(5);
    EXPECT_EQ(Game().TurnPhase, 0);
    // Jack's token now arrives one tick early.
    Form->CallClick();
    RunPhase(1);
    EXPECT_EQ(RunPhase(2), 8);
}

TEST_F(BettingTest, TieBetweenEqualHandsSettlesNothing)
{
    PlayCalling(THands{{"2S", "7D", "9C"}, {"KS", "9D", "5C"}, {"3H", "4S", "8D"}, {"KH", "9H", "5D"}});
    Form->FlipClick();
    Deal(NobodyFolds);
    EXPECT_EQ(Game().MoneyBefore[Jack], 875);
}

TEST_F(BettingTest, FlipThenFlipAllRepeatsTheSettlement)
{
    PlayCalling(AllComputersFold);
    Form->FlipClick();
    Form->FlipAllClick();
    for (int P = Jack; P <= Kate; ++P) {
        const int Middle = SeatCard(P, 11)->x();
        EXPECT_EQ(SeatCard(P, 12)->x(), Middle - 15);
        EXPECT_EQ(SeatCard(P, 10)->x(), Middle + 15);
        for (int Row = 10; Row <= 12; ++Row)
            EXPECT_FALSE(SeatCard(P, Row)->FaceDown());
    }
}

TEST_F(BettingTest, FlipAllThenFlipTurnsFoldedHandsBackButKeepsThemSpread)
{
    PlayCalling(AllComputersFold);
    Form->FlipAllClick();
    Form->FlipClick();
    for (int P = Jack; P <= Kate; ++P) {
        EXPECT_TRUE(SeatCard(P, 12)->FaceDown());
        EXPECT_EQ(SeatCard(P, 12)->x(), SeatCard(P, 11)->x() - 15);
    }
    EXPECT_EQ(Game().Money[User], 1015);
}

TEST_F(BettingTest, GameOverAtFiveChipsAfterFlip)
{
    for (int Chips : {10, 11}) {  // 5 and 6 after the ante
        Game().Money[Jack] = Chips;
        Game().MoneyBefore[Jack] = Chips;
        Deal(AllComputersFold);
        Messages.clear();
        Form->CallClick();
        TickUntilIdle();
        Form->FlipClick();
        if (Chips == 10) {
            ASSERT_EQ(Messages.size(), 1u);
            EXPECT_EQ(Messages[0].Text, "Game over! You are the winner! Try again?");
            EXPECT_EQ(Messages[0].Buttons, TMsgButtons::YesNo);
            for (int P = 1; P <= 4; ++P) {
                EXPECT_EQ(Game().Money[P], 1000);
                EXPECT_EQ(Game().MoneyBefore[P], 1000);
                EXPECT_EQ(Game().TotalBets[P], 0);
            }
            // The sheet still shows the hand just settled.
            EXPECT_TRUE(Form->ResultSheet->isVisible());
            // Flip all after the reset settles with every bet at 0.
            Form->FlipAllClick();
            EXPECT_EQ(Game().Money[User], 1000);
            for (int P = 1; P <= 4; ++P)
                EXPECT_EQ(Game().TotalBets[P], 0);
        } else {
            EXPECT_TRUE(Messages.empty());
            EXPECT_EQ(Game().Money[Jack], 6);
        }
    }
}

TEST_F(BettingTest, RichestTieGoesToTheLaterPlayer)
{
    // The user and Kate end equal; Jim is broke.
    Game().Money[Jim] = 3;
    Game().MoneyBefore[Jim] = 3;
    Deal(THands{{"KS", "9D", "5C"}, {"JS", "9C", "8C"}, {"QH", "10S", "2D"}, {"AS", "AD", "AC"}});
    Game().Money[User] = 2000;
    Game().MoneyBefore[User] = 2000 + Game().TotalBets[User];
    // Kate wins 135 (5 + 5 + 125) and ends at 2000 too.
    Game().Money[Kate] = 1860;
    Game().MoneyBefore[Kate] = 1865;
    Form->FoldClick();
    TickUntilIdle();
    Answer = mrNo;
    Form->FlipClick();
    ASSERT_FALSE(Messages.empty());
    EXPECT_EQ(Messages.back().Text, "Game over! Kate is the winner! Try again?");
    EXPECT_EQ(Game().Money[User], 1000);  // answering No changes nothing: the new game began
}

TEST_F(BettingTest, FlipAllMakesNoGameOverTest)
{
    Game().Money[Jack] = 7;
    Game().MoneyBefore[Jack] = 7;
    PlayCalling(AllComputersFold);
    Form->FlipAllClick();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Game().Money[Jack], 2);
    EXPECT_EQ(Form->JackMoney->text(), "2");
    // The next Flip ends the game.
    Form->FlipClick();
    ASSERT_EQ(Messages.size(), 1u);
}

TEST_F(BettingTest, NegativeChipsShowWithAMinus)
{
    Game().Money[Jim] = -10;
    Game().MoneyBefore[Jim] = -10;
    Deal(NobodyFolds);
    EXPECT_EQ(Form->JimMoney->text(), "-15");
}
