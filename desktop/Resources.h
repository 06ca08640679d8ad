#pragma once

#include <QImage>
#include <QString>

// The pictures the program carries. Named card pictures are looked up by name
// ("S1", "BK0", ...); the others by their path in the resources.
QImage LoadNamedBitmap(const QString& Name);  // null when there is no such picture
QImage LoadResourcePicture(const QString& Path);  // PNG, JPEG or GIF; null on failure
