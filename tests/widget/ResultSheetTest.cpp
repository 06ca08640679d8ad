#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/Resources.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/TableView.h"
#include "table/Layout.h"

using ResultSheetTest = TTableTest;

TEST_F(ResultSheetTest, EveryFigureReadsBackFromThePanel)
{
    // Figures of every digit, both signs, zero and a long one, under each name; the
    // marker on each row in turn.
    struct
    {
        const char* Name;
        int Add[4], Score[4];
    } const Sheets[] = {
        {"Ann", {0, -5, 123456, -987}, {1000, 995, -20, 7}},
        {"Bob", {4680, -13579, 22, -1}, {-86420, 86, 4, 0}},
        {"?", {-25, 35, -5, -5}, {975, 1035, 995, 995}},
        {"Kim", {-125, -125, -125, 375}, {875, 875, 875, 1375}},
    };
    // The view reads the columns where the layout puts them: their designed places and sizes.
    EXPECT_EQ((std::array{SheetNameX, SheetAddX, SheetScoreX, SheetAddHeadingX, SheetScoreHeadingX, SheetHeadingY,
                          SheetTextPoints, SheetFigurePoints}),
              (std::array{10, 130, 210, 120, 200, 2, 16, 14}));
    int Winner = 0;
    for (const auto& S : Sheets) {
        Window->SetUserName(S.Name);
        TSettlement Settlement{++Winner};
        for (int P = 1; P <= 4; ++P) {
            Settlement.Add[P] = S.Add[P - 1];
            Settlement.Score[P] = S.Score[P - 1];
        }
        static_cast<TTableDisplay&>(*Window).ShowResult(Settlement);
        TTableView View = ReadTable(*Window, {});
        EXPECT_EQ(View["sheet"], "shown");
        EXPECT_EQ(View["sheet headings"], "Add Score");
        EXPECT_EQ(Named("WinnerMarker")->pos(), QPoint(288 + 70, 240 + 30 + 35 * (Winner - 1)));  // the designed place
        for (int P = 1; P <= 4; ++P) {
            const std::string Row = std::string("sheet ") + SeatName[P];
            EXPECT_EQ(View[Row + " name"], P == 1 ? S.Name : SeatName[P]);
            EXPECT_EQ(View[Row + " Add"], std::to_string(S.Add[P - 1])) << Row;
            EXPECT_EQ(View[Row + " Score"], std::to_string(S.Score[P - 1])) << Row;
        }
    }
    // The template itself is never drawn on.
    EXPECT_EQ(Named("SheetTemplate")->Picture(), LoadResourcePicture(":/table/sheet.jpg"));
    // The rose has no background square.
    EXPECT_EQ(qAlpha(Named("WinnerMarker")->Picture().pixel(0, 0)), 0);
}

TEST_F(ResultSheetTest, ALongNameRunsOnIntoTheAddColumn)
{
    Window->SetUserName(QString(60, QChar('M')));
    PlayFolding(KateWins);
    emit Control(FlipAllButton)->Clicked();
    // Black strokes of the name reach across the "Add" column, right of the marker.
    const QImage Sheet = Window->Control(TTablePart::Sheet)->Picture();
    int Black = 0;
    for (int Y = 34; Y < 48; ++Y)
        for (int X = 100; X < 270; ++X)
            Black += qGray(Sheet.pixel(X, Y)) < 40 && qRed(Sheet.pixel(X, Y)) < 60;
    EXPECT_GT(Black, 30);
    EXPECT_EQ(ReadTable(*Window, {})["sheet Jim name"], "Jim");
}
