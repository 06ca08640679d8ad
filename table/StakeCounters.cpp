#include "desktop/Image.h"
#include "table/TableWindow.h"

namespace {
constexpr int CounterSize = 100;
constexpr int HundredsLeft = 0, TensLeft = 14, UnitsLeft = 28;
}

void TTableWindow::ShowStakeDigits(const TImageList& List, int Hundreds, int Tens, int Units, TImage* Counter)
{
    Counter->ClearPicture();
    const TBitmap H = List.GetBitmap(Hundreds);
    const TBitmap T = List.GetBitmap(Tens);
    const TBitmap U = List.GetBitmap(Units);
    // White is the see-through colour: the glyphs' backgrounds and the empty cells vanish.
    TBitmap Picture(CounterSize, CounterSize);
    Picture.Transparent = true;
    if (Hundreds != 0) {
        Picture.Canvas.Draw(HundredsLeft, 0, H);
        Picture.Canvas.Draw(TensLeft, 0, T);
        Picture.Canvas.Draw(UnitsLeft, 0, U);
    } else if (Tens != 0) {
        Picture.Canvas.Draw(TensLeft, 0, T);
        Picture.Canvas.Draw(UnitsLeft, 0, U);
    } else {
        Picture.Canvas.Draw(UnitsLeft, 0, U);
    }
    Counter->SetTransparent(true);
    Counter->SetAutoSize(true);
    Counter->SetPicture(Picture.Pixels);
    Counter->Repaint();
}

void TTableWindow::ShowStake(int Player, int Amount)
{
    const int Hundreds = Amount / 100;
    const int Tens = (Amount - 100 * Hundreds) / 10;
    const int Units = Amount - 100 * Hundreds - 10 * Tens;
    ShowStakeDigits(DigitGlyphs, Hundreds, Tens, Units, StakeCounter(Player));
}

void TTableWindow::ClearStake(int Player) { StakeCounter(Player)->ClearPicture(); }
