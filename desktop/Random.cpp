#include "desktop/Random.h"

#include <chrono>
#include <random>

namespace {
std::mt19937_64 Generator;
std::optional<std::uint64_t> FixedSeed;
TDrawScript Script;
std::uint64_t Seeded = 0;
std::uint64_t SeedCount = 0;
}

void RandomizeFromClock()
{
    if (FixedSeed) {
        Seeded = *FixedSeed;
    } else {
        // The counter keeps two seeds taken within one clock tick apart.
        const auto Now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq Seq{std::uint64_t(Now), std::uint64_t(Now) >> 32, ++SeedCount};
        std::uint32_t Words[2];
        Seq.generate(Words, Words + 2);
        Seeded = (std::uint64_t(Words[0]) << 32) | Words[1];
    }
    Generator.seed(Seeded);
}

int RandomBelow(int N)
{
    if (Script)
        return Script(N);
    return std::uniform_int_distribution<int>(0, N - 1)(Generator);
}

void SetFixedSeed(std::optional<std::uint64_t> Seed) { FixedSeed = Seed; }
void SetDrawScript(TDrawScript NewScript) { Script = std::move(NewScript); }
std::uint64_t LastSeed() { return Seeded; }
