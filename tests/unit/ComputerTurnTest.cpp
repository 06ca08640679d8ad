// A computer player's decision, its chips and its fold pile.
#include "support/GameFixture.h"

namespace {
// Jack holds the hand under test; the others hold hands that do not matter here.
THands JackHolds(std::array<std::string, 3> Hand)
{
    return THands{{"2S", "7D", "9C"}, Hand, {"4C", "6D", "8H"}, {"3H", "5C", "10C"}};
}

using ComputerTurnTest = TGameTest;
}

TEST_F(ComputerTurnTest, DecisionsFollowScoreAndRound)
{
    struct
    {
        std::array<std::string, 3> Hand;
        int FoldsIn;  // the round Jack folds in; 0 when he calls every round
    } const Cases[] = {
        {{"2D", "2H", "3S"}, 0},   // lowest pair, 43/3
        {{"QS", "9D", "8C"}, 3},   // 6.49
        {{"QS", "10D", "2C"}, 0},  // 6.51
        {{"JS", "10D", "8C"}, 3},  // 6.04
        {{"JS", "9D", "8C"}, 1},   // 5.99
        {{"10S", "9D", "7H"}, 1},
        {{"AS", "KS", "QS"}, 0},   // straight flush
    };
    for (const auto& Case : Cases) {
        Deal(JackHolds(Case.Hand));
        for (int Round = 1; Round <= 3 && !Game->Folded(Jack); ++Round) {
            const int Before = Game->Chips(Jack), Bets = Game->Bets(Jack), Folds = Game->FoldCount();
            Game->Call();
            // Jack decides on the tick his turn comes, as the user's chip arrives.
            while (Game->Mover() == User) {
                Display.Lines.clear();
                Game->BettingTick();
            }
            const std::string What = Case.Hand[0] + Case.Hand[1] + Case.Hand[2] + " round " + std::to_string(Round);
            if (Round != Case.FoldsIn) {
                EXPECT_FALSE(Game->Folded(Jack)) << What;
                EXPECT_EQ(Game->Chips(Jack), Before - 20 * Round) << What;
                EXPECT_EQ(Game->Bets(Jack), Bets + 20 * Round) << What;
                EXPECT_EQ(Display.Lines.back(), "event call 1 " + std::to_string(20 * Round)) << What;  // the call shows when its chip arrives
            } else {
                EXPECT_TRUE(Game->Folded(Jack)) << What;
                EXPECT_EQ(Game->FoldCount(), Folds + 1) << What;
                EXPECT_EQ(Game->Chips(Jack), Before) << What;
                EXPECT_EQ(Game->Score(Jack), 0.0) << What;
                EXPECT_EQ(Display.Lines.back(), "event fold 2") << What;
            }
            EXPECT_TRUE(ChipsBalance()) << What;
            TickUntilIdle();
        }
        EXPECT_EQ(Game->Folded(Jack), Case.FoldsIn != 0);
    }
}

TEST_F(ComputerTurnTest, AFoldPilesTheSeatsOwnCardsInTheOtherBack)
{
    Deal(AllComputersFold);
    Display.Lines.clear();
    Game->Call();
    TickUntilIdle();
    EXPECT_EQ(Game->FoldCount(), 3);
    // The hands as laid out, sorted: left, middle, right; the user's are not touched.
    EXPECT_EQ(Display.Only({"pile", "event"}), (std::vector<std::string>{"event pause-begins 500", "event pause-ends", "event call 1 20",
        "pile JS down back0, 9D down back0, 8C down back0", "event fold 2",
        "pile JH down back0, 9S down back0, 8D down back0", "event fold 3", "event pause-begins 1000", "event pause-ends",
        "pile JD down back0, 9H down back0, 8S down back0", "event fold 4", "event betting-closed"}));
    EXPECT_EQ(Game->SeatCard(User, 12).Back, PlainBack);
}

TEST_F(ComputerTurnTest, CallsWithoutChipsGoNegative)
{
    GiveChips(Jack, 5);
    PlayCalling(JackHolds({"AS", "AD", "KC"}));
    EXPECT_EQ(Game->Chips(Jack), -120);
    EXPECT_TRUE(ChipsBalance());
}
