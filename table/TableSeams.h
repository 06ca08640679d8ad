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
// answers its message boxes, the betting timer's clock, its input gate's clock and the
// seats' chips to start. The defaults are the program's own; a test hands in a pause that
// adds the time up, a fixed or scripted draw, answers of its own, a held clock whose ticks
// it drives, a gate clock that its pauses move, and a seat close to the game's end.
struct TTableSeams
{
    TPause Pause = Sleep;
    TDraw Draw = ClockDraw();
    TMessageBoxes MessageBoxes = ShowMessageBox;
    TTimerClock TimerClock = TTimerClock::Running;
    TSeatChips StartChips = EvenChips;
    TInputGuard::TClock GateClock;  // empty: the real one
};
