#include "desktop/Image.h"
#include "desktop/Label.h"
#include "game/TableState.h"
#include "table/Form1.h"
#include "table/TableAccess.h"

namespace {
constexpr int HeadingPoints = 16, NumberPoints = 14;
constexpr int NameX = 10, AddX = 130, ScoreX = 210;
constexpr int MarkerOffsetX = 70;
int RowY(int Player) { return 30 + 35 * (Player - 1); }
}

void TForm1::DrawResultSheet(int Winner)
{
    // Every sheet starts from the blank plaque; the template itself is never drawn on.
    TBitmap Sheet(Image6->Picture());
    TCanvas& Canvas = Sheet.Canvas;
    Canvas.BrushStyle = bsClear;
    Canvas.Font.Name = QStringLiteral("Arial");
    Canvas.Font.Size = HeadingPoints;
    Canvas.Font.Color = QColor(0x00, 0x00, 0xFF);
    Canvas.TextOut(120, 2, QStringLiteral("Add"));
    Canvas.TextOut(200, 2, QStringLiteral("Score"));

    Canvas.Font.Color = QColor(0x00, 0x00, 0x00);
    const QString Names[5] = {{}, Label5->Caption(), QStringLiteral("Jack"), QStringLiteral("Jim"), QStringLiteral("Kate")};
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(NameX, RowY(P), Names[P]);

    Canvas.Font.Color = QColor(0xFF, 0x00, 0x00);
    Canvas.Font.Size = NumberPoints;
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(ScoreX, RowY(P), ChipsText(Money[P]));

    Canvas.Font.Color = QColor(0x80, 0x00, 0x80);
    for (int P = 1; P <= 4; ++P)
        Canvas.TextOut(AddX, RowY(P), ChipsText(-TotalBets[P]));

    Image10->SetPicture(Sheet.Pixels);
    NoteResultSheet(this, Winner);
    Image10->show();
    Image10->BringToFront();
    Image7->BringToFront();
    Image7->show();
    Image7->move(Image10->Left() + MarkerOffsetX, Image10->Top() + RowY(Winner));
}
