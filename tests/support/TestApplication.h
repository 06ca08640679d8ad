#pragma once

#include <functional>

#include "desktop/Application.h"

// The application object the tests run, with the input gate's seams opened: whether it
// works, the clock it reads (an empty function: the real one; setting it starts the gate
// afresh), and everything queued having been read.
class TTestApplication : public TApplication
{
public:
    using TApplication::TApplication;
    using TApplication::DropsStaleInput;
    using TApplication::SettleInput;
    using TClock = std::function<qint64()>;
    void SetGateClock(TClock NewClock) { GateClock = std::move(NewClock), ResetGate(); }

protected:
    qint64 Now() const override { return GateClock ? GateClock() : TApplication::Now(); }

private:
    TClock GateClock;
};
