#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "game/HandEval.h"
#include "support/TableFixture.h"

namespace {
int RankOf(const TCard* Card) { return Card->Rank(); }

struct TResult
{
    double Score;
    THandClass Class;          // of the cards as dealt
    std::array<int, 3> Ranks;  // display order, positions 0..2, refreshed from the cards
    std::array<const TCard*, 3> Order;
};

// Category boundaries, best first, as scores.
enum TCategory { ThreeOfAKind, StraightFlush, Flush, Straight, Pair, HighCard, Categories };
const double Lowest[Categories] = {9000, 1800, 532, 101, 43 / 3.0, 532 / 200.0};
const double Highest[Categories] = {63000, 8400, 1541, 497, 293 / 3.0, 1541 / 200.0};
const THandKind KindOf[Categories] = {THandKind::ThreeOfAKind, THandKind::StraightFlush, THandKind::Flush,
                                      THandKind::Straight,     THandKind::Pair,          THandKind::HighCard};

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
        const THandClass Class = ClassifyHand(Hand.Cards);
        SortHand(Hand);
        for (int I = 0; I < 3; ++I)
            Hand.Ranks[I] = Hand.Cards[I].Rank();
        const double Score = ScoreHand(Hand);
        const auto Same = [](const TCard& Card) { return Deck[Card.Id()]; };
        return {Score, Class, {Hand.Ranks[0], Hand.Ranks[1], Hand.Ranks[2]}, {Same(Hand.Cards[0]), Same(Hand.Cards[1]), Same(Hand.Cards[2])}};
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
    // The lowest and highest score of each kind and deciding rank.
    std::map<std::pair<int, int>, std::pair<double, double>> ScoresOfClass;

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

                // The class names the kind the score falls in, by one of the hand's ranks.
                ASSERT_EQ(R.Class.Kind, KindOf[Cat]) << A << " " << B << " " << C << " scored " << R.Score;
                ASSERT_NE(std::find(Sorted.begin(), Sorted.end(), R.Class.Rank), Sorted.end()) << A << " " << B << " " << C;
                const auto [Span, First] = ScoresOfClass.emplace(std::make_pair(Cat, R.Class.Rank), std::make_pair(R.Score, R.Score));
                Span->second.first = std::min(Span->second.first, R.Score);
                Span->second.second = std::max(Span->second.second, R.Score);
            }

    const int Expected[Categories] = {52, 48, 1096, 720, 3744, 16440};
    for (int C = 0; C < Categories; ++C) {
        EXPECT_EQ(Count[C], Expected[C]) << "category " << C;
        EXPECT_EQ(Min[C], Lowest[C]) << "category " << C;
        EXPECT_EQ(Max[C], Highest[C]) << "category " << C;
        if (C > 0)
            EXPECT_LT(Max[C], Min[C - 1]) << "category " << C;
    }
    // Inside a kind the deciding rank decides: every hand of a higher one scores more.
    for (auto It = ScoresOfClass.begin(), Next = std::next(It); Next != ScoresOfClass.end(); It = Next++)
        if (It->first.first == Next->first.first)
            EXPECT_LT(It->second.second, Next->second.first)
                << "category " << It->first.first << ", rank " << It->first.second << " against " << Next->first.second;
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
                    ASSERT_EQ(R.Class.Kind, First.Class.Kind) << A << " " << B << " " << C;
                    ASSERT_EQ(R.Class.Rank, First.Class.Rank) << A << " " << B << " " << C;
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

    const std::tuple<const char*, THandKind, int> Classes[] = {
        {"3S AD 2C", THandKind::Straight, 3},   {"2S AS 3S", THandKind::StraightFlush, 3},
        {"KS 9D 9C", THandKind::Pair, 9},       {"AS KD AC", THandKind::Pair, 14},
        {"5S 9S KS", THandKind::Flush, 13},     {"2S AD KD", THandKind::HighCard, 14},
        {"6C 6D 6H", THandKind::ThreeOfAKind, 6},
    };
    for (const auto& [Hand, Kind, Rank] : Classes) {
        EXPECT_EQ(Evaluate(Hand).Class.Kind, Kind) << Hand;
        EXPECT_EQ(Evaluate(Hand).Class.Rank, Rank) << Hand;
    }
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
