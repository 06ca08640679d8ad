#include "desktop/Image.h"
#include "desktop/Label.h"
#include "table/TableWindow.h"

namespace {
constexpr int HeadingPoints = 16, NumberPoints = 14;
constexpr int AddHeadingX = 120, ScoreHeadingX = 200;
constexpr int MarkerOffsetX = 70;
}

void TTableWindow::ShowResult(const TSettlement& Settlement)
{
    const int Winner = Settlement.Winner;
    // Every sheet starts from the blank plaque; the template itself is never drawn on.
    TBitmap Sheet(SheetTemplate->Picture());
    TCanvas& Canvas = Sheet.Canvas;
    Canvas.BrushStyle = bsClear;
    Canvas.Font.Name = QStringLiteral("Arial");
    Canvas.Font.Size = HeadingPoints;
    Canvas.Font.Color = QColor(0x00, 0x00, 0xFF);
    Canvas.TextOut(AddHeadingX, SheetHeadingY, QStringLiteral("Add"));
    Canvas.TextOut(ScoreHeadingX, SheetHeadingY, QStringLiteral("Score"));

    Canvas.Font.Color = QColor(0x00, 0x00, 0x00);
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(SheetNameX, SheetRowY(P), PlayerName(P));

    Canvas.Font.Color = QColor(0xFF, 0x00, 0x00);
    Canvas.Font.Size = NumberPoints;
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(SheetScoreX, SheetRowY(P), ChipsText(Settlement.Score[P]));

    Canvas.Font.Color = QColor(0x80, 0x00, 0x80);
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(SheetAddX, SheetRowY(P), ChipsText(Settlement.Add[P]));

    ResultSheet->SetPicture(Sheet.Pixels);
    LastSheet = Settlement;  // for readers, who ask later
    ResultSheet->show();
    ResultSheet->raise();
    WinnerMarker->raise();
    WinnerMarker->show();
    WinnerMarker->move(ResultSheet->x() + MarkerOffsetX, ResultSheet->y() + SheetRowY(Winner));
}

void TTableWindow::HideWinnerMarker() { WinnerMarker->hide(); }
void TTableWindow::HideResultSheet() { ResultSheet->hide(); }
