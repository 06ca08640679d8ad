#include "desktop/Bitmap.h"

#include <QPainter>

#include "desktop/Fonts.h"
#include "desktop/Image.h"
#include "desktop/Resources.h"

TBitmap::TBitmap(int Width, int Height) { SetSize(Width, Height); }

TBitmap& TBitmap::operator=(const TBitmap& Other)
{
    Pixels = Other.Pixels;
    Transparent = Other.Transparent;
    return *this;
}

void TBitmap::SetSize(int Width, int Height)
{
    const int Scale = PictureScale();
    Pixels = QImage(Width * Scale, Height * Scale, QImage::Format_ARGB32);
    Pixels.setDevicePixelRatio(Scale);
    Pixels.fill(Qt::white);
}

void TCanvas::Draw(int X, int Y, const TBitmap& Source)
{
    if (Source.Pixels.isNull() || Target.Pixels.isNull())
        return;
    QPainter Painter(&Target.Pixels);
    Painter.drawImage(X, Y, Source.Transparent ? KeyOutBottomLeft(Source.Pixels) : Source.Pixels);
}

void TCanvas::TextOut(int X, int Y, const QString& Text)
{
    if (Target.Pixels.isNull())
        return;
    QFont F;
    F.setFamilies(FamiliesFor(Font.Name));
    F.setPixelSize(PointsToPixels(Font.Size));
    F.setBold(Font.Style & fsBold);
    F.setItalic(Font.Style & fsItalic);
    QPainter Painter(&Target.Pixels);
    Painter.setRenderHint(QPainter::TextAntialiasing);
    Painter.setFont(F);
    const QFontMetrics Metrics(F);
    if (BrushStyle == bsSolid)
        Painter.fillRect(QRect(X, Y, Metrics.horizontalAdvance(Text), Metrics.height()), BrushColor);
    Painter.setPen(Font.Color);
    Painter.drawText(QPoint(X, Y + Metrics.ascent()), Text);
}
