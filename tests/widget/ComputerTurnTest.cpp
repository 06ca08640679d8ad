#include "cards/CardControl.h"
#include "game/Table.h"
#include "support/TableFixture.h"

namespace {
// Jack holds the hand under test; the others hold hands that do not matter here.
THands JackHolds(std::array<std::string, 3> Hand)
{
    THands Hands{{"2S", "7D", "9C"}, Hand, {"4C", "6D", "8H"}, {"3H", "5C", "10C"}};
    return Hands;
}
}

using ComputerTurnTest = TTableTest;

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
            Game().BetRound = Round;
            const int Before = Game().Money[Jack];
            Game().ComputerTurn(Jack);
            const std::string What = Case.Hand[0] + Case.Hand[1] + Case.Hand[2] + " round " + std::to_string(Round);
            if (Case.Calls[Round - 1]) {
                EXPECT_FALSE(Game().Folded[Jack]) << What;
                EXPECT_EQ(Game().Money[Jack], Before - 20 * Round) << What;
                EXPECT_EQ(Game().TotalBets[Jack], 5 + 20 * Round) << What;
            } else {
                EXPECT_TRUE(Game().Folded[Jack]) << What;
                EXPECT_EQ(Game().FoldCount, 1) << What;
                EXPECT_EQ(Game().Money[Jack], Before) << What;
                EXPECT_EQ(Game().Scores[Jack], 0.0) << What;
            }
            EXPECT_TRUE(ChipsBalance()) << What;
        }
    }
}

TEST_F(ComputerTurnTest, FoldPilesTheCardsInTheOtherBack)
{
    Deal(JackHolds({"JS", "9D", "8C"}));
    Game().ComputerTurn(Jack);
    ASSERT_TRUE(Game().Folded[Jack]);
    TCardControl* Left = SeatCard(Jack, 12);
    TCardControl* Middle = SeatCard(Jack, 11);
    TCardControl* Right = SeatCard(Jack, 10);
    EXPECT_EQ(Middle->x(), 695);
    EXPECT_EQ(Left->x(), 694);
    EXPECT_EQ(Right->x(), 696);
    for (TCardControl* Card : {Left, Middle, Right}) {
        EXPECT_EQ(Card->Back(), FoldedBack);
        EXPECT_TRUE(Card->FaceDown());
        EXPECT_EQ(Card->y(), 280);
        EXPECT_EQ(Card->PictureName(), "BK0");
    }

    // Asked again in later rounds: nothing moves, no chips, no second fold counted.
    const int MoneyAfterFold = Game().Money[Jack];
    for (int Round = 2; Round <= 3; ++Round) {
        Game().BetRound = Round;
        Game().ComputerTurn(Jack);
        EXPECT_EQ(Game().Money[Jack], MoneyAfterFold);
        EXPECT_EQ(Game().FoldCount, 1);
        EXPECT_EQ(Left->x(), 694);
        EXPECT_EQ(Right->x(), 696);
    }
}

TEST_F(ComputerTurnTest, CallsWithoutChipsGoNegative)
{
    Deal(JackHolds({"AS", "AD", "KC"}));
    Game().Money[Jack] = 30;
    Game().MoneyBefore[Jack] = 30 + Game().TotalBets[Jack];
    Game().BetRound = 3;
    Game().ComputerTurn(Jack);
    EXPECT_EQ(Game().Money[Jack], -30);
    EXPECT_TRUE(ChipsBalance());
}

TEST_F(ComputerTurnTest, EachComputerSeatFoldsItsOwnCards)
{
    Deal(THands{{"2S", "7D", "9C"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"JD", "9H", "8S"}});
    for (int P = Jack; P <= Kate; ++P)
        Game().ComputerTurn(P);
    EXPECT_EQ(Game().FoldCount, 3);
    const int Middles[5] = {0, 0, 695, 385, 75};
    for (int P = Jack; P <= Kate; ++P) {
        EXPECT_EQ(SeatCard(P, 11)->x(), Middles[P]);
        EXPECT_EQ(SeatCard(P, 12)->x(), Middles[P] - 1);
        EXPECT_EQ(SeatCard(P, 10)->x(), Middles[P] + 1);
    }
    // The user's cards are not touched.
    EXPECT_EQ(SeatCard(User, 12)->x(), 370);
    EXPECT_EQ(SeatCard(User, 12)->Back(), PlainBack);
}
