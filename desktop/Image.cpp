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

namespace {
bool FullyOpaque(const QImage& Picture)
{
    if (Picture.format() != QImage::Format_ARGB32)
        return false;
    const int Width = Picture.width(), Height = Picture.height();
    for (int Y = 0; Y < Height; ++Y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Picture.constScanLine(Y));
        for (int X = 0; X < Width; ++X)
            if (qAlpha(Line[X]) != 255)
                return false;
    }
    return true;
}

// A fully opaque ARGB32 picture reads the same as RGB32, the format the screen wants;
// this view shares the picture's pixels instead of converting a copy of them, which for
// the table's background alone would be another 2 MB.
QImage OpaqueView(const QImage& Picture)
{
    auto* Keep = new QImage(Picture);  // keeps the pixels alive as long as the view
    QImage View(Keep->constBits(), Keep->width(), Keep->height(), Keep->bytesPerLine(), QImage::Format_RGB32,
                [](void* Kept) { delete static_cast<QImage*>(Kept); }, Keep);
    View.setDevicePixelRatio(Picture.devicePixelRatio());
    return View;
}
}

TImage::TImage(QWidget* Parent) : TGraphicControl(Parent) {}

void TImage::SetPicture(const QImage& Picture)
{
    Source = Picture;
    if (IsAutoSize && !Source.isNull())
        resize(Source.deviceIndependentSize().toSize());
    Rebuild();
}

void TImage::PutLookBack(const QImage& Look)
{
    SetPicture(Look);
    Repaint();
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
    else if (IsTransparent)
        Shown = QPixmap::fromImage(KeyOutBottomLeft(Source));
    else
        Shown = QPixmap::fromImage(FullyOpaque(Source) ? OpaqueView(Source) : Source);
    Stretched = QPixmap();
    update();
}

void TImage::Paint(QPainter& Painter)
{
    if (Shown.isNull())
        return;
    if (IsStretch) {
        // Scaled once for the whole control: scaled afresh for each repainted part, the
        // picture's pixels would fall differently at the part's edges and leave seams.
        const qreal Ratio = Painter.device()->devicePixelRatioF();
        const QSize Pixels = (QSizeF(size()) * Ratio).toSize();
        if (Stretched.isNull() || Stretched.size() != Pixels) {
            Stretched = Shown.scaled(Pixels);
            Stretched.setDevicePixelRatio(Ratio);
        }
        Painter.drawPixmap(0, 0, Stretched);
    } else
        Painter.drawPixmap(0, 0, Shown);
}

QRect TImage::FocusRect() const
{
    // Round the picture, where it is drawn at the corner and smaller than the control.
    if (Source.isNull() || IsStretch)
        return rect();
    return QRect(QPoint(0, 0), Source.deviceIndependentSize().toSize()) & rect();
}
