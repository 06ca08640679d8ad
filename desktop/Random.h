#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// The program's pseudo-random generator: re-seeded from a high-resolution clock,
// uniform draws without modulo bias.
void RandomizeFromClock();
int RandomBelow(int N);  // uniform in 0..N-1

// Seams for tests: a fixed seed instead of the clock, or a script of draws.
void SetFixedSeed(std::optional<std::uint64_t> Seed);
using TDrawScript = std::function<int(int N)>;
void SetDrawScript(TDrawScript Script);  // an empty function restores the generator
std::uint64_t LastSeed();
