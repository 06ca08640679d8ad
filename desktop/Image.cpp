#include "desktop/Image.h"

#include <QPainter>

QImage KeyOutBottomLeft(const QImage& Picture)
{
    QImage Out = Picture.convertToFormat(QImage::Format_ARGB32);
    if (Out.isNull())
        return Out;
    const QRgb Key = Out.pixel(0, Out.height() - 1);
    for (int Y = 0; Y < Out.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Out.scanLine(Y));
        for (int X = 0; X < Out.width(); ++X)
            if (Line[X] == Key)
                Line[X] = 0;
    }
    return Out;
}

TImage::TImage(QWidget* Parent) : TGraphicControl(Parent) {}

void TImage::SetPicture(const QImage& Picture)
{
    Source = Picture;
    if (IsAutoSize && !Source.isNull())
        resize(Source.deviceIndependentSize().toSize());
    Rebuild();
}

void TImage::ClearPicture()
{
    Source = QImage();
    Rebuild();
}

void TImage::SetTransparent(bool Value)
{
    if (IsTransparent == Value)
        return;
    IsTransparent = Value;
    Rebuild();
}

void TImage::SetAutoSize(bool Value)
{
    IsAutoSize = Value;
    if (IsAutoSize && !Source.isNull())
        resize(Source.deviceIndependentSize().toSize());
}

void TImage::SetStretch(bool Value)
{
    IsStretch = Value;
    update();
}

void TImage::Rebuild()
{
    if (Source.isNull())
        Shown = QPixmap();
    else
        Shown = QPixmap::fromImage(IsTransparent ? KeyOutBottomLeft(Source) : Source);
    update();
}

void TImage::Paint(QPainter& Painter)
{
    if (Shown.isNull())
        return;
    if (IsStretch)
        Painter.drawPixmap(rect(), Shown);
    else
        Painter.drawPixmap(0, 0, Shown);
}
