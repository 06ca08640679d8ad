#pragma once

#include <random>

// The program's pseudo-random generator: re-seeded from a high-resolution clock,
// uniform draws without modulo bias.
class TClockRandom
{
public:
    void RandomizeFromClock();
    int RandomBelow(int N);  // uniform in 0..N-1

private:
    std::mt19937_64 Generator;
};
