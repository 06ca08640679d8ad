#include "desktop/Random.h"

#include <chrono>
#include <cstdint>

namespace {
// Shared by every generator, so that two seeds taken within one clock tick differ.
std::uint64_t SeedCount = 0;
}

void TClockRandom::RandomizeFromClock()
{
    const auto Now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq Seq{std::uint64_t(Now), std::uint64_t(Now) >> 32, ++SeedCount};
    std::uint32_t Words[2];
    Seq.generate(Words, Words + 2);
    Generator.seed((std::uint64_t(Words[0]) << 32) | Words[1]);
}

int TClockRandom::RandomBelow(int N) { return std::uniform_int_distribution<int>(0, N - 1)(Generator); }
