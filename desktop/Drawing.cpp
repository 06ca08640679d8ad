#include "desktop/Drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include "desktop/Fonts.h"
#include "desktop/Resources.h"

QImage WhitePicture(int Width, int Height)
{
    const int Scale = PictureScale();
    QImage Out(Width * Scale, Height * Scale, QImage::Format_ARGB32);
    Out.setDevicePixelRatio(Scale);
    Out.fill(Qt::white);
    return Out;
}

QFont PointFont(const QString& Name, int Points, bool Bold)
{
    QFont Font;
    Font.setFamilies(FamiliesFor(Name));
    Font.setPixelSize(PointsToPixels(Points));
    Font.setBold(Bold);
    return Font;
}

void TextOut(QPainter& Painter, int X, int Y, const QString& Text)
{
    Painter.setRenderHint(QPainter::TextAntialiasing);
    Painter.drawText(QPoint(X, Y + QFontMetrics(Painter.font()).ascent()), Text);
}
