#include <QSet>

#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Panel.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"

namespace {
const THands Sample{{"KS", "9D", "9C"}, {"3H", "AS", "2D"}, {"5C", "3D", "2H"}, {"9H", "KH", "KD"}};
}

using DealTest = TTableTest;

TEST_F(DealTest, ShuffleGivesAPermutationAndFansThePile)
{
    Game().CreateCards();
    for (int S = 0; S <= 3; ++S)
        for (int V = 1; V <= 13; ++V) {
            EXPECT_EQ(Card(S * 13 + V)->Suit(), S);
            EXPECT_EQ(Card(S * 13 + V)->Value(), V);
            EXPECT_TRUE(Card(S * 13 + V)->FaceDown());
            EXPECT_EQ(Card(S * 13 + V)->pos(), QPoint(550, 280));
        }
    Game().ShuffleDeck();
    EXPECT_EQ(Game().DeckOrder[0], 0);
    QSet<int> Seen;
    for (int I = 1; I <= 52; ++I)
        Seen.insert(Game().DeckOrder[I]);
    EXPECT_EQ(Seen.size(), 52);
    EXPECT_FALSE(Seen.contains(0));
    const auto Order = Stacking(Form->Panel);
    for (int I = 1; I <= 52; ++I) {
        TCardControl* Shown = Card(Game().DeckOrder[I]);
        EXPECT_EQ(Shown->pos(), QPoint(550 - 3 * I, 280));
        if (I > 1)
            EXPECT_GT(Order.indexOf(Shown), Order.indexOf(Card(Game().DeckOrder[I - 1])));
    }
    EXPECT_EQ(Card(Game().DeckOrder[52])->x(), 394);
}

TEST_F(DealTest, ShuffleMakesExactlyTheDrawnExchanges)
{
    // 163 pairs of draws; a step with equal draws changes nothing and is not redone.
    std::vector<int> Asked;
    int Draw = 0;
    Draws.Script = [&](int N) {
        Asked.push_back(N);
        const int Script[] = {0, 1, 5, 5, 51, 2};
        return Draw < 6 ? Script[Draw++] : 3;
    };
    // Every card made reseeds the table's draw, and so does the shuffle, once, first.
    const int Reseeds = Draws.Reseeds;
    Game().CreateCards();
    EXPECT_EQ(Draws.Reseeds, Reseeds + 52);
    EXPECT_TRUE(Asked.empty());
    Game().ShuffleDeck();
    EXPECT_EQ(Draws.Reseeds, Reseeds + 53);
    EXPECT_EQ(Asked.size(), 326u);
    for (int N : Asked)
        EXPECT_EQ(N, 52);
    EXPECT_EQ(Game().DeckOrder[0], 0);
    EXPECT_EQ(Game().DeckOrder[1], 2);
    EXPECT_EQ(Game().DeckOrder[2], 1);
    EXPECT_EQ(Game().DeckOrder[6], 6);
    EXPECT_EQ(Game().DeckOrder[52], 3);
    EXPECT_EQ(Game().DeckOrder[3], 52);
    for (int I = 4; I <= 51; ++I)
        EXPECT_EQ(Game().DeckOrder[I], I);
}

TEST_F(DealTest, RealShuffleIsCloseToItsExpectedSpread)
{
    // After 163 random exchanges a card stays home with p ~ 0.02087 and lands on each
    // other position with p ~ 0.01920: compare with that, not with 1/52.
    Draws.Seed = std::nullopt;
    constexpr int Rounds = 3000;
    int StayedHome = 0, AtTop = 0;
    Game().CreateCards();
    for (int K = 1; K <= 52; ++K)
        Card(K)->hide();  // the layout is checked elsewhere; hidden cards skip painting
    for (int R = 0; R < Rounds; ++R) {
        Game().ShuffleDeck();
        for (int I = 1; I <= 52; ++I)
            StayedHome += Game().DeckOrder[I] == I;
        AtTop += Game().DeckOrder[52] == 1;
    }
    const double Home = double(StayedHome) / (Rounds * 52.0);
    const double Top = double(AtTop) / Rounds;
    EXPECT_NEAR(Home, 0.02087, 0.0025);  // ~5 standard deviations of this many samples
    EXPECT_NEAR(Top, 0.01920, 0.013);
}

TEST_F(DealTest, DealLaysOutSortedHandsAndScoresThem)
{
    Deal(Sample);
    int Visible = 0;
    for (int K = 1; K <= 52; ++K)
        Visible += Card(K)->isVisible();
    EXPECT_EQ(Visible, 12);
    struct
    {
        int Player, Top, Left;
        bool FaceUp;
    } const Seats[] = {{User, 460, 370, true}, {Jack, 280, 680, false}, {Jim, 100, 370, false}, {Kate, 280, 60, false}};
    for (const auto& S : Seats)
        for (int Row = 12; Row >= 10; --Row) {
            TCardControl* Card = SeatCard(S.Player, Row);
            EXPECT_EQ(Card->pos(), QPoint(S.Left + 15 * (12 - Row), S.Top)) << S.Player << " row " << Row;
            EXPECT_EQ(Card->FaceDown(), !S.FaceUp);
            EXPECT_EQ(Card->Back(), PlainBack);
        }
    // K, 9, 9 shows 9, 9, K; 3, A, 2 shows A, 2, 3; 5, 3, 2 stays; 9, K, K shows K, K, 9.
    auto Values = [this](int P) {
        return std::vector<int>{SeatCard(P, 12)->Value(), SeatCard(P, 11)->Value(), SeatCard(P, 10)->Value()};
    };
    EXPECT_EQ(Values(User), (std::vector<int>{9, 9, 13}));
    EXPECT_EQ(Values(Jack), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Values(Jim), (std::vector<int>{5, 3, 2}));
    EXPECT_EQ(Values(Kate), (std::vector<int>{13, 13, 9}));
    EXPECT_DOUBLE_EQ(Game().Scores[User], (9 * 20 + 13) / 3.0);
    EXPECT_DOUBLE_EQ(Game().Scores[Jack], 101);
    EXPECT_DOUBLE_EQ(Game().Scores[Jim], (500 + 30 + 2) / 200.0);
    EXPECT_DOUBLE_EQ(Game().Scores[Kate], (13 * 20 + 9) / 3.0);
    // Each card lies above its left neighbour.
    const auto Order = Stacking(Form->Panel);
    for (int P = 1; P <= 4; ++P)
        EXPECT_LT(Order.indexOf(SeatCard(P, 12)), Order.indexOf(SeatCard(P, 10)));
}

TEST_F(DealTest, DealPausesAfterEveryCard)
{
    Deal(Sample);
    // 12 dealt cards at 100 ms, then 12 placed cards at 10 ms.
    ASSERT_EQ(Sleeps.size(), 24u);
    for (int I = 0; I < 12; ++I)
        EXPECT_EQ(Sleeps[I], 100);
    for (int I = 12; I < 24; ++I)
        EXPECT_EQ(Sleeps[I], 10);
    EXPECT_EQ(SleptMs(), 1320);
}

TEST_F(DealTest, DealShowsEachCardAsItArrives)
{
    // The first card dealt is the top of the pile, and it is on screen, face up,
    // while the deal sleeps after it.
    StackDeck(Sample);
    TPaintCount Paints;
    bool Checked = false;
    Pausing = [&](int) {
        if (Checked)
            return;
        Checked = true;
        TCardControl* First = Card(Game().DeckOrder[52]);
        EXPECT_EQ(First->pos(), QPoint(370, 460));
        EXPECT_FALSE(First->FaceDown());
        EXPECT_GT(Paints.Of(First), 0);
        EXPECT_EQ(PanelPixel(370 + 35, 460 + 3) & 0xFFFFFF, QColor(Qt::white).rgb() & 0xFFFFFF);
    };
    Form->StartClick();
    EXPECT_TRUE(Checked);
}

TEST_F(DealTest, EveryCardIsFreedExactlyOnce)
{
    const int DestroyedBefore = CardsDestroyed;
    Game().FreeCards();  // nothing to free before the first hand
    EXPECT_EQ(CardsDestroyed, DestroyedBefore);
    Deal(Sample);
    EXPECT_EQ(CardsAlive, 52);
    Deal(Sample);
    EXPECT_EQ(CardsAlive, 52);
    EXPECT_EQ(CardsDestroyed, DestroyedBefore + 52);
    Form.reset();
    EXPECT_EQ(CardsAlive, 0);
    EXPECT_EQ(CardsDestroyed, DestroyedBefore + 104);
}
