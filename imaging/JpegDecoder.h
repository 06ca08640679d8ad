#pragma once

#include <QByteArray>

#include "imaging/Decoded.h"

// Decodes a baseline or progressive JPEG (grayscale or colour) held in memory.
TDecoded DecodeJpeg(const QByteArray& Data);
