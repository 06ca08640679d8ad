#pragma once

#include <QByteArray>
#include <QSize>
#include <functional>

#include "imaging/Decoded.h"

// Decodes a baseline or progressive JPEG (grayscale or colour) held in memory.
TDecoded DecodeJpeg(const QByteArray& Data);

// The picture's size from its header alone; empty when it cannot be read.
QSize JpegSize(const QByteArray& Data);

// Decodes Data a row at a time, holding one row of pixels only (a baseline JPEG; libjpeg
// itself holds a progressive one whole). Start is told the picture's size before any row,
// and returns false when there is no room for what the caller makes of it. Row is given
// each row of ARGB32 pixels, top to bottom, valid during the call. Returns the error, or
// nothing when every row was given.
using TJpegRow = std::function<void(int Y, const QRgb* Pixels)>;
QString DecodeJpegRows(const QByteArray& Data, const std::function<bool(QSize)>& Start, const TJpegRow& Row);
