#pragma once

#include "desktop/InputGuard.h"
#include "desktop/MessageBox.h"
#include "desktop/Sleep.h"
#include "desktop/Timer.h"
#include "game/Draw.h"
#include "game/Table.h"

// The clock-seeded draw: desktop's generator, shared by every copy.
TDraw ClockDraw();

// What the table window takes from whoever makes it: the game's pause and draw, who
// answers its message boxes, the betting timer's clock and its input gate's clock. The
// defaults are the program's own; a test hands in a pause that adds the time up, a fixed
// or scripted draw, answers of its own, a held clock whose ticks it drives and a gate
// clock that its pauses move.
struct TTableSeams
{
    TPause Pause = Sleep;
    TDraw Draw = ClockDraw();
    TMessageBoxes MessageBoxes = ShowMessageBox;
    TTimerClock TimerClock = TTimerClock::Running;
    TInputGuard::TClock GateClock;  // empty: the real one
};
