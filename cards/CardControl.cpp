#include "cards/CardControl.h"

#include <QPainter>

#include "desktop/Fonts.h"
#include "desktop/Resources.h"

// The window frees its cards itself; Qt's parent is set with SetParent.
TCardControl::TCardControl(const TDraw& Draw) : TGraphicControl(nullptr)
{
    setFixedSize(CardWidth, CardHeight);
    // Every card picture covers the card with opaque pixels, so nothing below it needs
    // painting first: a repaint in the fanned pile paints this card alone instead of
    // the table and every card under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    Draw.RandomizeFromClock();
}

TCardControl::~TCardControl() = default;

void TCardControl::SetParent(QWidget* Parent)
{
    setParent(Parent);
    show();
}

void TCardControl::SetValue(std::uint8_t Value)
{
    FValue = Value < 1 ? 1 : Value > 13 ? 13 : Value;
    Repaint();
}

void TCardControl::SetSuit(TCardSuit Suit)
{
    FSuit = Suit;
    Repaint();
}

void TCardControl::SetFaceDown(bool FaceDown)
{
    FFaceDown = FaceDown;
    Repaint();
}

void TCardControl::SetBack(TCardBack Back)
{
    FBack = Back;
    Repaint();
}

QString TCardControl::PictureName() const
{
    if (FFaceDown)
        return QStringLiteral("BK%1").arg(int(FBack));
    static const char Letters[] = {'S', 'D', 'C', 'H', 'J'};
    return QStringLiteral("%1%2").arg(QLatin1Char(Letters[FSuit <= Joker ? FSuit : Joker])).arg(int(FValue));
}

void TCardControl::Paint(QPainter& Painter)
{
    const QImage Picture = LoadNamedBitmap(PictureName());
    if (!Picture.isNull()) {
        Painter.drawImage(0, 0, Picture);
        return;
    }
    // The game never asks for a picture the program lacks ("BK2", "J3".."J13"); should
    // it happen, the card still shows plainly what it is.
    const QRect Card(0, 0, CardWidth - 1, CardHeight - 1);
    Painter.fillRect(rect(), FFaceDown ? QColor(0x2e, 0x6b, 0x3a) : QColor(Qt::white));
    Painter.setPen(QColor(0x20, 0x20, 0x20));
    Painter.drawRect(Card);
    Painter.setFont(SansFont(12, true));
    Painter.setPen(FFaceDown ? QColor(Qt::white) : QColor(0x20, 0x20, 0x20));
    Painter.drawText(Card, Qt::AlignCenter, PictureName());
}
