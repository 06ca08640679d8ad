#pragma once

#include <QCoreApplication>
#include <QtGlobal>
#include <ostream>

#include "desktop/Application.h"

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

// Turns the input gate on with a clock the test moves (its own Now, or one it is given),
// and restores the gate as it was afterwards.
class TGateOnFakeClock
{
public:
    TGateOnFakeClock() : TGateOnFakeClock([this] { return Now; }) {}
    explicit TGateOnFakeClock(TApplication::TClock Clock)
    {
        App->DropsStaleInput = true;
        App->SetGateClock(std::move(Clock));
    }
    ~TGateOnFakeClock()
    {
        App->SetGateClock({});
        App->DropsStaleInput = WasOn;
    }
    TGateOnFakeClock(const TGateOnFakeClock&) = delete;
    TGateOnFakeClock& operator=(const TGateOnFakeClock&) = delete;

    TApplication* const App = static_cast<TApplication*>(QCoreApplication::instance());
    qint64 Now = 0;

private:
    const bool WasOn = App->DropsStaleInput;
};
