#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <random>

#include "game/Draw.h"
#include "table/TableSeams.h"

// A draw a test holds. While Script is set, it answers the draws; otherwise each reseed
// seeds the program's kind of generator with Seed, or from the clock when Seed is unset.
// The draws it hands out refer to it, so it must outlive them.
class TTestDraw
{
public:
    std::optional<std::uint64_t> Seed = 12345;
    std::function<int(int N)> Script;
    int Reseeds = 0;

    TDraw Draw()
    {
        return {[this] {
                    ++Reseeds;
                    Seed ? Generator.seed(*Seed) : Clock.RandomizeFromClock();
                },
                [this](int N) {
                    return Script ? Script(N)
                           : Seed ? std::uniform_int_distribution<int>(0, N - 1)(Generator)
                                  : Clock.RandomBelow(N);
                }};
    }

private:
    std::mt19937_64 Generator;
    TDraw Clock = ClockDraw();
};
