#pragma once

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

// Drawing on pictures as they were designed: a face named as the old toolkit named it, at
// a size in points, and text placed by its top-left corner.

// A new picture of this logical size, white, at the scale pictures are drawn at.
QImage WhitePicture(int Width, int Height);

// The face the old toolkit called Name ("Arial", "MS Sans Serif", ...) at Points points.
QFont PointFont(const QString& Name, int Points, bool Bold = false);

// Text with its top-left at (X, Y), in the painter's font and pen, nothing behind it.
void TextOut(QPainter& Painter, int X, int Y, const QString& Text);
