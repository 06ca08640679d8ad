#include "table/TableSeams.h"

#include <memory>

#include "desktop/Random.h"

TDraw ClockDraw()
{
    auto Generator = std::make_shared<TClockRandom>();
    return {[Generator] { Generator->RandomizeFromClock(); }, [Generator](int N) { return Generator->RandomBelow(N); }};
}
