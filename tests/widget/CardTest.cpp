#include <gtest/gtest.h>

#include <QSet>
#include <QTest>
#include <memory>

#include "cards/CardControl.h"
#include "desktop/Panel.h"
#include "desktop/Resources.h"
#include "support/PanelTest.h"
#include "support/TestDraw.h"
#include "support/Watches.h"

// A card on a shown panel, so that its paints reach the screen.
class CardTest : public TPanelTest
{
protected:
    void SetUp() override
    {
        TPanelTest::SetUp();
        Card = new TCardControl(Draws.Draw());
        Card->SetParent(Panel.get());
        Card->move(20, 20);
        Card->show();
    }
    void TearDown() override { delete Card; }

    QImage Shown() const { return Panel->grab(Card->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }

    TTestDraw Draws;
    TCardControl* Card = nullptr;  // freed by hand, as the game does
};

TEST_F(CardTest, StartsAsAceOfHeartsFaceUp)
{
    EXPECT_EQ(Card->Value(), 1);
    EXPECT_EQ(Card->Suit(), Hearts);
    EXPECT_FALSE(Card->FaceDown());
    EXPECT_EQ(Card->Back(), PlainBack);
    EXPECT_EQ(Card->PictureName(), "H1");
}

TEST_F(CardTest, ValueIsClampedToAceThroughKing)
{
    Card->SetValue(0);
    EXPECT_EQ(Card->Value(), 1);
    Card->SetValue(14);
    EXPECT_EQ(Card->Value(), 13);
    Card->SetValue(255);
    EXPECT_EQ(Card->Value(), 13);
    for (int V = 1; V <= 13; ++V) {
        Card->SetValue(V);
        EXPECT_EQ(Card->Value(), V);
    }
}

TEST_F(CardTest, EveryWriteOfADrawnPropertyPaintsAtOnce)
{
    const std::pair<const char*, std::function<void()>> Writes[] = {
        {"Value changed", [&] { Card->SetValue(7); }},
        {"Value unchanged", [&] { Card->SetValue(7); }},
        {"Suit changed", [&] { Card->SetSuit(Spades); }},
        {"Suit unchanged", [&] { Card->SetSuit(Spades); }},
        {"FaceDown changed", [&] { Card->SetFaceDown(true); }},
        {"FaceDown unchanged", [&] { Card->SetFaceDown(true); }},
        {"Back changed", [&] { Card->SetBack(FoldedBack); }},
        {"Back unchanged", [&] { Card->SetBack(FoldedBack); }},
    };
    TPaintCount Paints;
    for (const auto& [What, Write] : Writes) {
        const int Before = Paints.Of(Card);
        Write();  // no event processing in between: the paint must already have happened
        EXPECT_EQ(Paints.Of(Card), Before + 1) << What;
    }
}

TEST_F(CardTest, PictureNameFollowsTheState)
{
    const std::tuple<TCardSuit, int, const char*> Faces[] = {
        {Spades, 1, "S1"}, {Diamonds, 10, "D10"}, {Hearts, 13, "H13"}, {Clubs, 12, "C12"}, {Joker, 2, "J2"}};
    for (const auto& [Suit, Value, Name] : Faces) {
        Card->SetSuit(Suit);
        Card->SetValue(Value);
        EXPECT_EQ(Card->PictureName(), Name);
    }
    for (int V = 1; V <= 13; ++V) {
        Card->SetValue(V);
        EXPECT_EQ(Card->PictureName(), QStringLiteral("J%1").arg(V));
    }

    // Face down, the back design alone decides; face up again, the face is unchanged.
    Card->SetSuit(Diamonds);
    Card->SetValue(10);
    Card->SetFaceDown(true);
    const std::pair<TCardBack, const char*> Backs[] = {{FoldedBack, "BK0"}, {PlainBack, "BK1"}, {SpareBack, "BK2"}};
    for (const auto& [Back, Name] : Backs) {
        Card->SetBack(Back);
        EXPECT_EQ(Card->PictureName(), Name);
        Card->SetSuit(Spades);
        Card->SetValue(3);
        EXPECT_EQ(Card->PictureName(), Name);
        Card->SetSuit(Diamonds);
        Card->SetValue(10);
    }
    Card->SetFaceDown(false);
    EXPECT_EQ(Card->PictureName(), "D10");
}

TEST_F(CardTest, PaintsItsPictureOrAVisibleStandIn)
{
    const std::tuple<TCardSuit, int, bool, TCardBack> States[] = {
        {Spades, 1, false, PlainBack}, {Diamonds, 10, false, PlainBack}, {Hearts, 13, false, PlainBack}, {Clubs, 7, false, PlainBack},
        {Joker, 1, false, PlainBack},  {Joker, 2, false, PlainBack},     {Joker, 3, false, PlainBack},  {Hearts, 5, true, FoldedBack},
        {Hearts, 5, true, PlainBack},  {Hearts, 5, true, SpareBack},
    };
    QSet<QByteArray> Looks;
    for (const auto& [Suit, Value, Back, Deck] : States) {
        Card->SetSuit(Suit);
        Card->SetValue(Value);
        Card->SetBack(Deck);
        Card->SetFaceDown(Back);
        const QString Name = Card->PictureName();
        const QImage Painted = Shown();
        ASSERT_EQ(Painted.size(), QSize(71, 96)) << Name.toStdString();
        const QImage Picture = LoadNamedBitmap(Name);
        if (!Picture.isNull()) {
            EXPECT_EQ(Painted, Picture.convertToFormat(QImage::Format_RGB32)) << Name.toStdString();
        } else {
            // A missing picture still gives a card: not blank, not the panel showing through.
            QSet<QRgb> Colours;
            for (int Y = 0; Y < Painted.height(); ++Y)
                for (int X = 0; X < Painted.width(); ++X)
                    Colours.insert(Painted.pixel(X, Y));
            EXPECT_GE(Colours.size(), 2) << Name.toStdString();
            EXPECT_NE(Painted.pixel(35, 10), Background) << Name.toStdString();
        }
        Looks.insert(QByteArray(reinterpret_cast<const char*>(Painted.constBits()), int(Painted.sizeInBytes())));
    }
    EXPECT_EQ(Looks.size(), int(std::size(States))) << "two states look alike";
}

TEST_F(CardTest, KeepsItsSizeWhateverItIsGiven)
{
    Card->resize(100, 50);
    EXPECT_EQ(Card->size(), QSize(71, 96));
    Card->setGeometry(5, 6, 30, 200);
    EXPECT_EQ(Card->size(), QSize(71, 96));
    EXPECT_EQ(Card->pos(), QPoint(5, 6));
    Card->setGeometry(0, 0, 1, 1);
    QCoreApplication::processEvents();
    Card->Repaint();
    EXPECT_EQ(Card->size(), QSize(71, 96));
}

TEST_F(CardTest, WithoutParentItDrawsNothing)
{
    TPaintCount Paints;
    TCardControl Loose(Draws.Draw());
    Loose.SetValue(9);
    Loose.SetSuit(Clubs);
    Loose.SetFaceDown(true);
    Loose.SetBack(SpareBack);
    Loose.Repaint();
    EXPECT_EQ(Paints.Of(&Loose), 0);
    EXPECT_EQ(Loose.PictureName(), "BK2");
}

TEST_F(CardTest, CreationReseedsTheDrawItIsGivenAndIsCounted)
{
    // Each card reseeds the draw it was made with: the draws after it start afresh.
    const int Alive = CardsAlive, Destroyed = CardsDestroyed, Reseeds = Draws.Reseeds;
    const TDraw Draw = Draws.Draw();
    Draws.Seed = 777;
    auto* First = new TCardControl(Draw);
    First->SetParent(Panel.get());
    EXPECT_EQ(Draws.Reseeds, Reseeds + 1);
    const int Draw1 = Draw.RandomBelow(1000000), Draw2 = Draw.RandomBelow(1000000);
    Draws.Seed = 778;
    {
        TCardControl Second(Draw);
        Second.SetParent(Panel.get());
        EXPECT_EQ(Draws.Reseeds, Reseeds + 2);
        EXPECT_NE(std::pair(Draw.RandomBelow(1000000), Draw.RandomBelow(1000000)), std::pair(Draw1, Draw2));
        EXPECT_EQ(CardsAlive, Alive + 2);
    }
    Draws.Seed = 777;
    TCardControl Third(Draw);
    Third.SetParent(Panel.get());
    EXPECT_EQ(Draws.Reseeds, Reseeds + 3);
    EXPECT_EQ(Draw.RandomBelow(1000000), Draw1);
    EXPECT_EQ(Draw.RandomBelow(1000000), Draw2);
    delete First;
    EXPECT_EQ(CardsAlive, Alive + 1);
    EXPECT_EQ(CardsDestroyed, Destroyed + 2);
}
