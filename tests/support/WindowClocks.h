#pragma once

#include <QtGlobal>
#include <ostream>

// The clocks window systems stamp input with, against ours (which starts near 0): an
// X server counts from its own start and here wraps past 2^32 a second in; a Wayland
// compositor stamps CLOCK_MONOTONIC, which has counted since boot.
struct TWindowClock
{
    const char* Name;
    quint32 Ahead;  // the window system's clock minus ours
};
constexpr TWindowClock XServerClock{"X11", 0xFFFFFC00u};
constexpr TWindowClock CompositorClock{"Wayland", 86400000u * 3 + 12345u};

inline void PrintTo(const TWindowClock& Clock, std::ostream* Out) { *Out << Clock.Name; }
