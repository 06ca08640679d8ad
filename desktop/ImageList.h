#pragma once

#include <QImage>
#include <QVector>


// A row of equal-sized images, each with a mask (its alpha channel).
class TImageList
{
public:
    TImageList(int Width, int Height) : ImageWidth(Width), ImageHeight(Height) {}

    int Width() const { return ImageWidth; }
    int Height() const { return ImageHeight; }
    int Count() const { return Images.size(); }

    // Adds an image; one of another size is refused (returns false).
    bool Add(const QImage& Image);
    // Image Index drawn through its mask onto a new white picture of the list's size.
    QImage Image(int Index) const;

private:
    int ImageWidth;
    int ImageHeight;
    QVector<QImage> Images;
};
