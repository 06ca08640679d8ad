// Where the window puts the cards the game deals, piles and frees: places, stacking,
// pixels and the controls' lives. What the game asks, and in which order, is tested on
// the table alone (tests/unit/DealTest.cpp, ComputerTurnTest.cpp); the dealt hands at
// their seats are the scenarios' views (ScenarioTest.cpp).
#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Panel.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"

using CardsOnTableTest = TTableTest;

TEST_F(CardsOnTableTest, NewCardsLieOnThePileAndTheShuffleFansThem)
{
    // Every card control made reseeds the table's draw, and so does the shuffle. Seen
    // as the first card dealt pauses: the rest of the deck lies fanned as shuffled.
    const int Reseeds = Draws.Reseeds;
    bool Checked = false;
    Pausing = [&](int) {
        if (std::exchange(Checked, true))
            return;
        EXPECT_EQ(Draws.Reseeds, Reseeds + 53);
        const auto Order = Stacking(Window->Panel());
        for (int I = 1; I <= 52; ++I) {
            EXPECT_EQ(Card(I)->Suit() * 13 + Card(I)->Value(), Game().DeckCard(I).Id());
            EXPECT_TRUE(I == 52 || (Card(I)->FaceDown() && Card(I)->pos() == QPoint(550 - 3 * I, 280))) << I;
            if (I > 1)
                EXPECT_GT(Order.indexOf(Card(I)), Order.indexOf(Card(I - 1)));
        }
    };
    emit Control(StartButton)->Clicked();
    EXPECT_TRUE(Checked);
}

TEST_F(CardsOnTableTest, DealShowsEachCardAsItArrives)
{
    // The first card dealt is on screen, face up, while the deal sleeps after it.
    StackDeck(Sample);
    TPaintCount Paints;
    bool Checked = false;
    Pausing = [&](int) {
        if (Checked)
            return;
        Checked = true;
        TCardControl* First = Card(52);
        EXPECT_EQ(First->pos(), QPoint(370, 460));
        EXPECT_FALSE(First->FaceDown());
        EXPECT_GT(Paints.Of(First), 0);
        EXPECT_EQ(PanelPixel(370 + 35, 460 + 3) & 0xFFFFFF, QColor(Qt::white).rgb() & 0xFFFFFF);
    };
    emit Control(StartButton)->Clicked();
    EXPECT_TRUE(Checked);
}

TEST_F(CardsOnTableTest, EveryCardIsFreedExactlyOnce)
{
    const int DestroyedBefore = CardsDestroyed;
    Deal(Sample);  // nothing to free before the first hand
    EXPECT_EQ(CardsDestroyed, DestroyedBefore);
    EXPECT_EQ(CardsAlive, 52);
    Deal(Sample);
    EXPECT_EQ(CardsAlive, 52);
    EXPECT_EQ(CardsDestroyed, DestroyedBefore + 52);
    Window.reset();
    EXPECT_EQ(CardsAlive, 0);
    EXPECT_EQ(CardsDestroyed, DestroyedBefore + 104);
}

TEST_F(CardsOnTableTest, AFoldedHandIsPiledAtItsSeatInTheOtherBack)
{
    PlayCalling(AllComputersFold);
    const int Middles[5] = {0, 0, 695, 385, 75};
    for (int P = Jack; P <= Kate; ++P) {
        EXPECT_EQ(SeatCard(P, 11)->x(), Middles[P]);
        EXPECT_EQ(SeatCard(P, 12)->x(), Middles[P] - 1);
        EXPECT_EQ(SeatCard(P, 10)->x(), Middles[P] + 1);
        // The back and face the game gives the pile (ComputerTurnTest), as the card shows them.
        for (int Row = 10; Row <= 12; ++Row) {
            EXPECT_EQ(SeatCard(P, Row)->y(), 280 - 180 * (P == Jim));
            EXPECT_EQ(SeatCard(P, Row)->PictureName(), "BK0");
        }
    }
    // Asked again in later rounds, the pile stays where it lies.
    PlayCalling(KateWins);
    EXPECT_EQ(SeatCard(Jack, 12)->x(), 694);
    EXPECT_EQ(SeatCard(Jack, 10)->x(), 696);
    // The user's cards are not moved.
    EXPECT_EQ(SeatCard(User, 12)->x(), 370);
}
