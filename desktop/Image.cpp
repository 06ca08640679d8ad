#include "desktop/Image.h"

#include <QBitmap>
#include <QPainter>

#include "desktop/Resources.h"

namespace {
// The picture with every pixel of its bottom-left colour left out.
QPixmap KeyedOut(const QImage& Picture)
{
    const QImage Argb = Picture.convertToFormat(QImage::Format_ARGB32);
    QPixmap Out = QPixmap::fromImage(Argb);
    // The image's mask marks the pixels of the key colour; as a bitmap, what it marks is left out.
    Out.setMask(QBitmap::fromImage(Argb.createMaskFromColor(Argb.pixel(0, Argb.height() - 1), Qt::MaskInColor)));
    return Out;
}

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

QImage TImage::Picture() const
{
    if (Undecoded())
        const_cast<TImage*>(this)->Restore();  // decoded once, as it would be when shown
    return Source.isNull() && !Origin.isEmpty() ? LoadResourcePicture(Origin) : Source;
}

void TImage::SetPicture(const QImage& Picture)
{
    Origin.clear();
    Source = Picture;
    if (IsAutoSize && !Source.isNull())
        resize(Source.deviceIndependentSize().toSize());
    Rebuild();
}

void TImage::LoadPicture(const QString& Path)
{
    Origin = Path;
    Source = QImage();
    if (isVisible()) {
        Restore();
        return;
    }
    Shown = Stretched = QPixmap();
    // Placed and sized as it will be, so that the window's layout holds before it shows.
    if (const QSize Size = ResourcePictureSize(Path); IsAutoSize && !Size.isEmpty())
        resize(Size);
    else if (IsAutoSize)
        Restore();
    update();
}

void TImage::showEvent(QShowEvent* Event)
{
    if (Undecoded())
        Restore();
    TGraphicControl::showEvent(Event);
}

// Drops the picture at its own size when it is kept scaled only, or decodes it again
// when it is needed after all.
void TImage::Restore()
{
    if (KeptScaledOnly()) {
        Source = QImage();
    } else if (Source.isNull() && !Origin.isEmpty()) {
        Source = LoadResourcePicture(Origin);
        if (IsAutoSize && !Source.isNull())
            resize(Source.deviceIndependentSize().toSize());
    }
    Rebuild();
}

void TImage::PutLookBack(const QImage& Look)
{
    SetPicture(Look);
    Repaint();
}

void TImage::ClearPicture()
{
    Origin.clear();
    Source = QImage();
    Rebuild();
}

void TImage::SetTransparent(bool Value)
{
    if (IsTransparent == Value)
        return;
    IsTransparent = Value;
    Restore();
}

void TImage::SetAutoSize(bool Value)
{
    IsAutoSize = Value;
    if (IsAutoSize && Source.isNull())
        Restore();
    else if (IsAutoSize && !Source.isNull())
        resize(Source.deviceIndependentSize().toSize());
}

void TImage::SetStretch(bool Value)
{
    if (IsStretch == Value)
        return;
    IsStretch = Value;
    Restore();
}

namespace {
QPixmap AsShown(const QImage& Source, bool Transparent)
{
    if (Source.isNull())
        return {};
    if (Transparent)
        return KeyedOut(Source);
    return QPixmap::fromImage(FullyOpaque(Source) ? OpaqueView(Source) : Source);
}
}

void TImage::Rebuild()
{
    Shown = AsShown(Source, IsTransparent);
    Stretched = QPixmap();
    update();
}

void TImage::Paint(QPainter& Painter)
{
    if (!IsStretch) {
        if (!Shown.isNull())
            Painter.drawPixmap(0, 0, Shown);
        return;
    }
    // Scaled once for the whole control: scaled afresh for each repainted part, the
    // picture's pixels would fall differently at the part's edges and leave seams.
    const qreal Ratio = Painter.device()->devicePixelRatioF();
    const QSize Pixels = (QSizeF(size()) * Ratio).toSize();
    if (Stretched.isNull() || Stretched.size() != Pixels) {
        if (KeptScaledOnly()) {
            // Never held at its own size beside the scaled copy, not even for a moment:
            // for the table's background that would be another 2 MB at the peak.
            QImage Scaled = LoadResourcePictureScaled(Origin, Pixels);
            Scaled.setDevicePixelRatio(Ratio);
            Stretched = Scaled.isNull() ? AsShown(LoadResourcePicture(Origin), false).scaled(Pixels)
                                        : QPixmap::fromImage(std::move(Scaled));
        } else {
            Stretched = Shown.scaled(Pixels);
        }
        Stretched.setDevicePixelRatio(Ratio);
    }
    if (!Stretched.isNull())
        Painter.drawPixmap(0, 0, Stretched);
}

QRect TImage::FocusRect() const
{
    // Round the picture, where it is drawn at the corner and smaller than the control.
    if (Source.isNull() || IsStretch)
        return rect();
    return QRect(QPoint(0, 0), Source.deviceIndependentSize().toSize()) & rect();
}
