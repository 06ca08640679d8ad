#include "desktop/Image.h"
#include "desktop/Label.h"
#include "table/Layout.h"
#include "table/TableWindow.h"

void TTableWindow::ShowResult(const TSettlement& Settlement)
{
    const int Winner = Settlement.Winner;
    // Every sheet starts from the blank plaque; the template itself is never drawn on.
    TBitmap Sheet(SheetTemplate->Picture());
    TCanvas& Canvas = Sheet.Canvas;
    Canvas.BrushStyle = bsClear;
    Canvas.Font.Name = QStringLiteral("Arial");
    Canvas.Font.Size = SheetTextPoints;
    Canvas.Font.Color = QColor(0x00, 0x00, 0xFF);
    Canvas.TextOut(SheetAddHeadingX, SheetHeadingY, QStringLiteral("Add"));
    Canvas.TextOut(SheetScoreHeadingX, SheetHeadingY, QStringLiteral("Score"));

    Canvas.Font.Color = QColor(0x00, 0x00, 0x00);
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(SheetNameX, Seats[P].SheetRowY, PlayerName(P));

    Canvas.Font.Color = QColor(0xFF, 0x00, 0x00);
    Canvas.Font.Size = SheetFigurePoints;
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(SheetScoreX, Seats[P].SheetRowY, ChipsText(Settlement.Score[P]));

    Canvas.Font.Color = QColor(0x80, 0x00, 0x80);
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(SheetAddX, Seats[P].SheetRowY, ChipsText(Settlement.Add[P]));

    ResultSheet->SetPicture(Sheet.Pixels);
    LastSheet = Settlement;  // for readers, who ask later
    ResultSheet->show();
    ResultSheet->raise();
    WinnerMarker->raise();
    WinnerMarker->show();
    WinnerMarker->move(ResultSheet->x() + SheetMarkerX, ResultSheet->y() + Seats[Winner].SheetRowY);
}

void TTableWindow::HideWinnerMarker() { WinnerMarker->hide(); }
void TTableWindow::HideResultSheet() { ResultSheet->hide(); }
