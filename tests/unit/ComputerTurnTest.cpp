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
        bool Calls[3];  // rounds 1, 2, 3
    } const Cases[] = {
        {{"2D", "2H", "3S"}, {true, true, true}},    // lowest pair, 43/3
        {{"QS", "9D", "8C"}, {true, true, false}},   // 6.49
        {{"QS", "10D", "2C"}, {true, true, true}},   // 6.51
        {{"JS", "10D", "8C"}, {true, true, false}},  // 6.04
        {{"JS", "9D", "8C"}, {false, false, false}}, // 5.99
        {{"10S", "9D", "7H"}, {false, false, false}},
        {{"AS", "KS", "QS"}, {true, true, true}},    // straight flush
    };
    for (const auto& Case : Cases) {
        for (int Round = 1; Round <= 3; ++Round) {
            Deal(JackHolds(Case.Hand));
            Game.BetRound = Round;
            const int Before = Game.Money[Jack];
            Display.Lines.clear();
            Game.ComputerTurn(Jack);
            const std::string What = Case.Hand[0] + Case.Hand[1] + Case.Hand[2] + " round " + std::to_string(Round);
            if (Case.Calls[Round - 1]) {
                EXPECT_FALSE(Game.Folded[Jack]) << What;
                EXPECT_EQ(Game.Money[Jack], Before - 20 * Round) << What;
                EXPECT_EQ(Game.TotalBets[Jack], 5 + 20 * Round) << What;
                EXPECT_TRUE(Display.Lines.empty()) << What;  // the call shows when its chip arrives
            } else {
                EXPECT_TRUE(Game.Folded[Jack]) << What;
                EXPECT_EQ(Game.FoldCount, 1) << What;
                EXPECT_EQ(Game.Money[Jack], Before) << What;
                EXPECT_EQ(Game.Scores[Jack], 0.0) << What;
                ASSERT_EQ(Display.Lines.size(), 2u) << What;
                EXPECT_EQ(Display.Lines[1], "event fold 2") << What;
            }
            EXPECT_TRUE(ChipsBalance()) << What;
        }
    }
}

TEST_F(ComputerTurnTest, AFoldPilesTheSeatsOwnCardsInTheOtherBackOnce)
{
    Deal(AllComputersFold);
    Display.Lines.clear();
    for (int P = Jack; P <= Kate; ++P)
        Game.ComputerTurn(P);
    EXPECT_EQ(Game.FoldCount, 3);
    // The hands as laid out, sorted: left, middle, right; the user's are not touched.
    EXPECT_EQ(Display.Lines, (std::vector<std::string>{
        "pile JS down back0, 9D down back0, 8C down back0", "event fold 2",
        "pile JH down back0, 9S down back0, 8D down back0", "event fold 3",
        "pile JD down back0, 9H down back0, 8S down back0", "event fold 4"}));
    EXPECT_EQ(Game.SeatCard(User, 12).Back, PlainBack);

    // Asked again in later rounds: nothing moves, no chips, no second fold counted.
    const int MoneyAfterFold = Game.Money[Jack];
    Display.Lines.clear();
    for (int Round = 2; Round <= 3; ++Round) {
        Game.BetRound = Round;
        Game.ComputerTurn(Jack);
        EXPECT_EQ(Game.Money[Jack], MoneyAfterFold);
        EXPECT_EQ(Game.FoldCount, 3);
    }
    // The pile is drawn again where it lies; no fold is heard twice.
    EXPECT_EQ(Display.Count("event"), 0);
}

TEST_F(ComputerTurnTest, CallsWithoutChipsGoNegative)
{
    Deal(JackHolds({"AS", "AD", "KC"}));
    Game.Money[Jack] = 30;
    Game.MoneyBefore[Jack] = 30 + Game.TotalBets[Jack];
    Game.BetRound = 3;
    Game.ComputerTurn(Jack);
    EXPECT_EQ(Game.Money[Jack], -30);
    EXPECT_TRUE(ChipsBalance());
}
