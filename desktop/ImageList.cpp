#include "desktop/ImageList.h"

#include <QPainter>

bool TImageList::Add(const QImage& Image)
{
    if (Image.deviceIndependentSize().toSize() != QSize(ImageWidth, ImageHeight))
        return false;
    Images.push_back(Image.convertToFormat(QImage::Format_ARGB32));
    return true;
}

TBitmap TImageList::GetBitmap(int Index) const
{
    TBitmap Out(ImageWidth, ImageHeight);
    if (Index >= 0 && Index < Images.size()) {
        QPainter Painter(&Out.Pixels);
        Painter.drawImage(0, 0, Images[Index]);
    }
    return Out;
}
