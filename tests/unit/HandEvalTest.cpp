#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <sstream>

#include "game/HandEval.h"
#include "support/TableFixture.h"

namespace {
int RankOf(const TCard* Card) { return Card->Rank(); }

struct TResult
{
    double Score;
    std::array<int, 3> Ranks;  // display order, positions 0..2, refreshed from the cards
    std::array<const TCard*, 3> Order;
};

// Category boundaries, best first, as scores.
enum TCategory { ThreeOfAKind, StraightFlush, Flush, Straight, Pair, HighCard, Categories };
const double Lowest[Categories] = {9000, 1800, 532, 101, 43 / 3.0, 532 / 200.0};
const double Highest[Categories] = {63000, 8400, 1541, 497, 293 / 3.0, 1541 / 200.0};

int CategoryOf(double Score)
{
    for (int C = 0; C < Categories; ++C)
        if (Score >= Lowest[C] && Score <= Highest[C])
            return C;
    return -1;
}
}

// The 52 cards, by card index, shared by every case.
class HandEvalTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        for (int K = 1; K <= 52; ++K)
            Cards[K] = {TCardValue((K - 1) % 13 + 1), TCardSuit((K - 1) / 13)};
        for (int K = 1; K <= 52; ++K)
            Deck[K] = &Cards[K];
    }

    // As the deal does it: gather, sort, refresh the ranks from the cards, score.
    static TResult Evaluate(const TCard* A, const TCard* B, const TCard* C)
    {
        THandEval Hand{{*A, *B, *C}, {A->Rank(), B->Rank(), C->Rank()}};
        SortHand(Hand);
        for (int I = 0; I < 3; ++I)
            Hand.Ranks[I] = Hand.Cards[I].Rank();
        const double Score = ScoreHand(Hand);
        const auto Same = [](const TCard& Card) { return Deck[Card.Id()]; };
        return {Score, {Hand.Ranks[0], Hand.Ranks[1], Hand.Ranks[2]}, {Same(Hand.Cards[0]), Same(Hand.Cards[1]), Same(Hand.Cards[2])}};
    }

    // "AS KS QS": the cards in the order they were dealt.
    static TResult Evaluate(const std::string& Hand)
    {
        std::istringstream In(Hand);
        std::string A, B, C;
        In >> A >> B >> C;
        return Evaluate(Deck[CardIndex(A)], Deck[CardIndex(B)], Deck[CardIndex(C)]);
    }

    static inline TCard Cards[53];
    static inline const TCard* Deck[53] = {};
};

TEST_F(HandEvalTest, AllHandsFallIntoDisjointCategoriesWithTheRightCountsAndBounds)
{
    int Count[Categories] = {};
    double Min[Categories], Max[Categories];
    std::fill(std::begin(Min), std::end(Min), 1e9);
    std::fill(std::begin(Max), std::end(Max), -1.0);
    // Ranks (sorted) and suitedness decide the score, and each such key has its own score.
    std::map<std::pair<std::array<int, 3>, bool>, double> ScoreOfKey;
    std::map<double, std::pair<std::array<int, 3>, bool>> KeyOfScore;

    for (int A = 1; A <= 52; ++A)
        for (int B = A + 1; B <= 52; ++B)
            for (int C = B + 1; C <= 52; ++C) {
                const TResult R = Evaluate(Deck[A], Deck[B], Deck[C]);
                const int Cat = CategoryOf(R.Score);
                ASSERT_GE(Cat, 0) << A << " " << B << " " << C << " scored " << R.Score;
                ++Count[Cat];
                Min[Cat] = std::min(Min[Cat], R.Score);
                Max[Cat] = std::max(Max[Cat], R.Score);

                std::array<int, 3> Sorted = {RankOf(Deck[A]), RankOf(Deck[B]), RankOf(Deck[C])};
                std::sort(Sorted.begin(), Sorted.end());
                const bool Suited = Deck[A]->Suit == Deck[B]->Suit && Deck[B]->Suit == Deck[C]->Suit;
                const auto Key = std::make_pair(Sorted, Suited);
                const auto [It, New] = ScoreOfKey.emplace(Key, R.Score);
                ASSERT_EQ(It->second, R.Score) << "suits changed the score of " << A << " " << B << " " << C;
                if (New) {
                    ASSERT_TRUE(KeyOfScore.emplace(R.Score, Key).second)
                        << "different ranks share the score " << R.Score;
                }
            }

    const int Expected[Categories] = {52, 48, 1096, 720, 3744, 16440};
    for (int C = 0; C < Categories; ++C) {
        EXPECT_EQ(Count[C], Expected[C]) << "category " << C;
        EXPECT_EQ(Min[C], Lowest[C]) << "category " << C;
        EXPECT_EQ(Max[C], Highest[C]) << "category " << C;
        if (C > 0)
            EXPECT_LT(Max[C], Min[C - 1]) << "category " << C;
    }
}

TEST_F(HandEvalTest, EveryDealOrderGivesTheSameScoreAndDisplayOrder)
{
    for (int A = 1; A <= 52; ++A)
        for (int B = A + 1; B <= 52; ++B)
            for (int C = B + 1; C <= 52; ++C) {
                std::array<const TCard*, 3> Hand = {Deck[A], Deck[B], Deck[C]};
                std::sort(Hand.begin(), Hand.end());
                const TResult First = Evaluate(Hand[0], Hand[1], Hand[2]);
                const auto& [R0, R1, R2] = First.Ranks;
                const bool Trips = R0 == R1 && R1 == R2;
                if (std::set<int>{R0, R1, R2} == std::set<int>{2, 3, 14})
                    ASSERT_EQ(First.Ranks, (std::array<int, 3>{3, 2, 14}));
                else if (!Trips && (R0 == R1 || R1 == R2 || R0 == R2))
                    ASSERT_TRUE(R1 == R2 && R0 != R1) << "pair not at positions 1, 2: " << A << " " << B << " " << C;
                else if (!Trips)
                    ASSERT_TRUE(R0 < R1 && R1 < R2) << A << " " << B << " " << C;
                while (std::next_permutation(Hand.begin(), Hand.end())) {
                    const TResult R = Evaluate(Hand[0], Hand[1], Hand[2]);
                    ASSERT_EQ(R.Score, First.Score) << A << " " << B << " " << C;
                    ASSERT_EQ(R.Ranks, First.Ranks) << A << " " << B << " " << C;
                    // Three of a kind stays in the order it was gathered.
                    if (R.Ranks[0] == R.Ranks[1] && R.Ranks[1] == R.Ranks[2])
                        ASSERT_EQ(R.Order, Hand);
                }
            }
}

TEST_F(HandEvalTest, WorkedExamplesScoreExactly)
{
    const std::pair<const char*, double> Examples[] = {
        {"AS AD AC", 63000},         {"2H 2S 2C", 9000},           {"QS AS KS", 8400},
        {"2D 4D 3D", 2400},          {"3C AC 2C", 1800},           {"JH AH KH", 1541},
        {"5S 9S KS", 1395},          {"2D 3D 5D", 532},            {"AS QD KS", 497},
        {"4S 3H 2S", 137},           {"AH 3S 2S", 101},            {"KD AS AC", 293 / 3.0},
        {"9S KD KC", 269 / 3.0},     {"9S 9D KC", 193 / 3.0},      {"3H 2S 2D", 43 / 3.0},
        {"AS KS JD", 1541 / 200.0},  {"2S AD KD", 1532 / 200.0},   {"KS 9D 5S", 1395 / 200.0},
        {"5S 3D 2S", 532 / 200.0},   {"AC KC 2C", 1532},           {"10S 10D 2C", 202 / 3.0},
        {"KS AD KC", 274 / 3.0},
    };
    for (const auto& [Hand, Score] : Examples)
        EXPECT_EQ(Evaluate(Hand).Score, Score) << Hand;
}

TEST_F(HandEvalTest, OrderInsideCategories)
{
    // The pair counts before the odd card, and an ace as odd card counts high.
    EXPECT_LT(Evaluate("9S 9D KC").Score, Evaluate("10S 10D 2C").Score);
    EXPECT_LT(Evaluate("KS KD 9C").Score, Evaluate("KS KD AC").Score);
    // Ace-2-3 is the lowest run, yet above everything of the next category down.
    EXPECT_LT(Evaluate("AS 2S 3S").Score, Evaluate("4S 2S 3S").Score);
    EXPECT_GT(Evaluate("AS 2S 3S").Score, Evaluate("AS KS JS").Score);
    EXPECT_LT(Evaluate("AS 2D 3S").Score, Evaluate("4S 2D 3S").Score);
    EXPECT_GT(Evaluate("AS 2D 3S").Score, Evaluate("AS AD KS").Score);
    // Flush and high card: highest card, then middle, then lowest.
    EXPECT_LT(Evaluate("KS 9S 8S").Score, Evaluate("KS 10S 2S").Score);
    EXPECT_LT(Evaluate("KS 10D 2S").Score, Evaluate("KS 10D 3S").Score);
}

TEST_F(HandEvalTest, SortHandLeavesTheDisplayOrder)
{
    // Position 0 is shown rightmost: the odd card of a pair, the 3 of ace-2-3, else the lowest.
    const std::pair<const char*, std::array<int, 3>> Cases[] = {
        {"KS 9D 9C", {13, 9, 9}},
        {"9S KD KC", {9, 13, 13}},
        {"KD 9S 9C", {13, 9, 9}},
        {"5S 3D 2C", {2, 3, 5}},
        {"3S AD 2C", {3, 2, 14}},
        {"2S 3S AS", {3, 2, 14}},
    };
    for (const auto& [Hand, Ranks] : Cases)
        EXPECT_EQ(Evaluate(Hand).Ranks, Ranks) << Hand;
}
