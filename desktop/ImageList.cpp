#include "desktop/ImageList.h"

#include <QPainter>

#include "desktop/Drawing.h"

bool TImageList::Add(const QImage& Image)
{
    if (Image.deviceIndependentSize().toSize() != QSize(ImageWidth, ImageHeight))
        return false;
    Images.push_back(Image.convertToFormat(QImage::Format_ARGB32));
    return true;
}

QImage TImageList::Image(int Index) const
{
    QImage Out = WhitePicture(ImageWidth, ImageHeight);
    if (Index >= 0 && Index < Images.size())
        QPainter(&Out).drawImage(0, 0, Images[Index]);
    return Out;
}
