#include <QPainter>

#include "desktop/Drawing.h"
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
    QImage Sheet = SheetTemplate->Picture().convertToFormat(QImage::Format_ARGB32);
    {
        QPainter Canvas(&Sheet);
        Canvas.setFont(PointFont(QStringLiteral("Arial"), HeadingPoints));
        Canvas.setPen(QColor(0x00, 0x00, 0xFF));
        TextOut(Canvas, AddHeadingX, SheetHeadingY, QStringLiteral("Add"));
        TextOut(Canvas, ScoreHeadingX, SheetHeadingY, QStringLiteral("Score"));

        Canvas.setPen(QColor(0x00, 0x00, 0x00));
        for (int P = 1; P <= 4; ++P)
            TextOut(Canvas, SheetNameX, SheetRowY(P), PlayerName(P));

        Canvas.setPen(QColor(0xFF, 0x00, 0x00));
        Canvas.setFont(PointFont(QStringLiteral("Arial"), NumberPoints));
        for (int P = 1; P <= 4; ++P)
            TextOut(Canvas, SheetScoreX, SheetRowY(P), ChipsText(Settlement.Score[P]));

        Canvas.setPen(QColor(0x80, 0x00, 0x80));
        for (int P = 1; P <= 4; ++P)
            TextOut(Canvas, SheetAddX, SheetRowY(P), ChipsText(Settlement.Add[P]));
    }
    ResultSheet->SetPicture(Sheet);
    LastSheet = Settlement;  // for readers, who ask later
    ResultSheet->show();
    ResultSheet->raise();
    WinnerMarker->raise();
    WinnerMarker->show();
    WinnerMarker->move(ResultSheet->x() + MarkerOffsetX, ResultSheet->y() + SheetRowY(Winner));
}

void TTableWindow::HideWinnerMarker() { WinnerMarker->hide(); }
void TTableWindow::HideResultSheet() { ResultSheet->hide(); }
