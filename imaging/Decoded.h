#pragma once

#include <QImage>
#include <QString>

// The outcome of decoding a picture: an image, or an error the caller sees.
// A failed decode never carries a half-decoded image.
struct TDecoded
{
    QImage Image;               // Format_ARGB32 on success, null on failure
    QString Error;              // empty on success
    int TransparentIndex = -1;  // GIF only: the palette index that was made see-through

    bool Ok() const { return Error.isEmpty() && !Image.isNull(); }
};

inline TDecoded Failure(const QString& Error)
{
    TDecoded Result;
    Result.Error = Error;
    return Result;
}
