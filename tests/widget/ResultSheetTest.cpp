#include "desktop/Image.h"
#include "desktop/Label.h"
#include "game/TableState.h"
#include "support/TableFixture.h"

namespace {
// Pixels close to Colour inside Box of a picture (anti-aliased text keeps its core colour).
int Near(const QImage& Picture, const QRect& Box, QColor Colour, int Tolerance = 40)
{
    int Count = 0;
    for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
        for (int X = Box.left(); X <= Box.right(); ++X) {
            const QColor C = Picture.pixelColor(X, Y);
            if (std::abs(C.red() - Colour.red()) + std::abs(C.green() - Colour.green()) +
                    std::abs(C.blue() - Colour.blue()) <= Tolerance)
                ++Count;
        }
    return Count;
}

const THands KateWins{{"2S", "7D", "9C"}, {"JS", "9D", "8C"}, {"QH", "10S", "2D"}, {"AS", "AD", "AC"}};
}

using ResultSheetTest = TTableTest;

TEST_F(ResultSheetTest, SheetListsGainsAndChipsAndMarksTheWinner)
{
    // The user folds at once; Jack folds; Jim and Kate call three rounds; Kate wins.
    PlayFolding(KateWins);
    Form->KaiPaiClick(Form->Image13);
    EXPECT_EQ(TotalBets[Kate], -(5 + 5 + 125));
    EXPECT_EQ(Money[Kate], 1000 + 135);
    for (int P = 1; P <= 4; ++P)
        EXPECT_EQ(-TotalBets[P], Money[P] - MoneyBefore[P]);

    ASSERT_TRUE(Form->Image10->isVisible());
    EXPECT_EQ(Form->Image7->pos(), QPoint(358, 375));
    const QImage Sheet = Form->Image10->Picture();
    ASSERT_EQ(Sheet.size(), QSize(273, 176));
    EXPECT_GT(Near(Sheet, {120, 4, 40, 20}, Qt::blue), 15);   // "Add"
    EXPECT_GT(Near(Sheet, {200, 4, 60, 20}, Qt::blue), 15);   // "Score"
    for (int P = 1; P <= 4; ++P) {
        const int Y = 30 + 35 * (P - 1);
        EXPECT_GT(Near(Sheet, {10, Y + 2, 40, 18}, Qt::black), 8) << P;           // name
        EXPECT_GT(Near(Sheet, {130, Y + 2, 45, 16}, QColor(0x80, 0, 0x80)), 8) << P;  // gain
        EXPECT_GT(Near(Sheet, {210, Y + 2, 50, 16}, Qt::red), 8) << P;            // chips
    }
    // Nothing is drawn below the last row or left of the names.
    EXPECT_EQ(Near(Sheet, {10, 160, 250, 14}, Qt::red), 0);

    // On the panel the sheet and its marker lie above the cards and counters.
    const QImage Panel = GrabPanel();
    EXPECT_EQ(Panel.pixel(288 + 200, 240 + 170), Sheet.pixel(200, 170));
    const QImage Marker = Form->Image7->Picture();
    EXPECT_EQ(qAlpha(Marker.pixel(0, 0)), 0);  // the rose has no background square

    // The next hand hides both.
    Click(Form->Image10);
    EXPECT_FALSE(Form->Image10->isVisible());
    EXPECT_FALSE(Form->Image7->isVisible());
    EXPECT_EQ(TurnPhase, 0);
}

TEST_F(ResultSheetTest, EachSheetStartsBlankAndShowsTheTypedName)
{
    const QImage Blank = Form->Image6->Picture();
    Form->Label5->SetCaption(QString(60, QChar('M')));
    PlayFolding(KateWins);
    Form->QuanKaiClick(Form->Image14);
    const QImage First = Form->Image10->Picture();
    // A long name runs on into the "Add" column.
    EXPECT_GT(Near(First, {100, 32, 170, 16}, Qt::black), 30);
    EXPECT_EQ(Form->Image6->Picture(), Blank);

    Form->Label5->SetCaption("?");
    PlayFolding(KateWins);
    Form->QuanKaiClick(Form->Image14);
    const QImage Second = Form->Image10->Picture();
    EXPECT_EQ(Near(Second, {100, 32, 20, 16}, Qt::black), 0);
    EXPECT_NE(First, Second);
}

TEST_F(ResultSheetTest, MarkerSitsOnTheWinnersRow)
{
    const THands Wins[] = {
        {{"AS", "AD", "AC"}, {"JS", "9D", "8C"}, {"QH", "10S", "2D"}, {"2H", "7D", "9C"}},
        {{"2S", "7D", "9C"}, {"AS", "AD", "AC"}, {"QH", "10S", "2D"}, {"JS", "9D", "8C"}},
        {{"2S", "7D", "9C"}, {"QH", "10S", "2D"}, {"AS", "AD", "AC"}, {"JS", "9D", "8C"}},
        KateWins,
    };
    for (int W = 1; W <= 4; ++W) {
        PlayCalling(Wins[W - 1]);
        Form->QuanKaiClick(Form->Image14);
        EXPECT_EQ(Form->Image7->pos(), QPoint(358, 270 + 35 * (W - 1))) << W;
        EXPECT_TRUE(Form->Image7->isVisible());
    }
}
