#pragma once

#include <functional>

// The game's chance: a reseed from a clock, then uniform draws in 0..N-1. Whoever makes
// the table chooses the source, as it chooses the pause: the program's is clock-seeded; a
// test's may be fixed or scripted. Copies draw from the same source.
struct TDraw
{
    std::function<void()> RandomizeFromClock;
    std::function<int(int N)> RandomBelow;
};
