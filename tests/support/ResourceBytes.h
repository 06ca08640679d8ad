#pragma once

#include <QByteArray>
#include <QFile>

#include "desktop/Resources.h"

// A picture's bytes as the program carries them.
inline QByteArray ResourceBytes(const QString& Path)
{
    LoadResourcePicture(Path);  // registers the pictures
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}
