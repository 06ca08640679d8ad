#include <QPainter>

#include "desktop/Drawing.h"
#include "desktop/Image.h"
#include "table/TableWindow.h"

namespace {
constexpr int CounterSize = 100;
constexpr int HundredsLeft = 0, TensLeft = 14, UnitsLeft = 28;
}

void TTableWindow::ShowStakeDigits(const TImageList& List, int Hundreds, int Tens, int Units, TImage* Counter)
{
    Counter->ClearPicture();
    const QImage H = List.Image(Hundreds);
    const QImage T = List.Image(Tens);
    const QImage U = List.Image(Units);
    // White is the see-through colour: the glyphs' backgrounds and the empty cells vanish.
    QImage Picture = WhitePicture(CounterSize, CounterSize);
    {
        QPainter Canvas(&Picture);
        if (Hundreds != 0) {
            Canvas.drawImage(HundredsLeft, 0, H);
            Canvas.drawImage(TensLeft, 0, T);
            Canvas.drawImage(UnitsLeft, 0, U);
        } else if (Tens != 0) {
            Canvas.drawImage(TensLeft, 0, T);
            Canvas.drawImage(UnitsLeft, 0, U);
        } else {
            Canvas.drawImage(UnitsLeft, 0, U);
        }
    }
    Counter->SetTransparent(true);
    Counter->SetAutoSize(true);
    Counter->SetPicture(Picture);
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
