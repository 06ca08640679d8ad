#pragma once

#include "sound/Sound.h"

// Where the table's sounds go: the desktop's sound server (TSoundPlayer), or a test's record.
class TSoundOut
{
public:
    virtual ~TSoundOut() = default;
    // Gets ready to play, without holding the caller.
    virtual void Start() = 0;
    // Starts Sound now, mixed with whatever plays; never waits.
    virtual void Play(TSound Sound) = 0;
};
