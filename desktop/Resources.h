#pragma once

#include <QImage>
#include <QString>

// The pictures the program carries. Named card pictures are looked up by name
// ("S1", "BK0", ...); the others by their path in the resources.
// On a high-density screen the twice-as-large picture ("S1@2x.png") is loaded where it
// exists, with a device pixel ratio of 2: it covers the same logical area, sharper.
QImage LoadNamedBitmap(const QString& Name);  // null when there is no such picture
QImage LoadResourcePicture(const QString& Path);  // PNG, JPEG or GIF; null on failure

// The size LoadResourcePicture's picture will have (deviceIndependentSize), read from
// its header alone; empty when the header cannot tell.
QSize ResourcePictureSize(const QString& Path);

// The picture at Path stretched to Pixels (device pixels), pixel for pixel as Qt scales
// a picture (QPixmap::scaled, the fast way), without ever holding it at its own size: a
// JPEG is scaled row by row as it is decoded. Null for other kinds, and on failure.
QImage LoadResourcePictureScaled(const QString& Path, QSize Pixels);

// The scale at which pictures are drawn and composed: 1, or 2 on a high-density screen.
int PictureScale();
