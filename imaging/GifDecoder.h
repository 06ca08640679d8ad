#pragma once

#include <QByteArray>

#include "imaging/Decoded.h"

// Decodes the first frame of a GIF held in memory onto its logical screen.
TDecoded DecodeGif(const QByteArray& Data);
