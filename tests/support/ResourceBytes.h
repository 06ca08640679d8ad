#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QSet>

#include "desktop/Resources.h"

// A picture's bytes as the program carries them.
inline QByteArray ResourceBytes(const QString& Path)
{
    LoadResourcePicture(Path);  // registers the pictures
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// Distinct colours of a picture as stored in its file.
inline int StoredColours(const QString& Path)
{
    const QImage Stored = QImage::fromData(ResourceBytes(Path));
    QSet<QRgb> Colours;
    for (int Y = 0; Y < Stored.height(); ++Y)
        for (int X = 0; X < Stored.width(); ++X)
            Colours.insert(Stored.pixel(X, Y));
    return Colours.size();
}
