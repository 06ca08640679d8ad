#pragma once

#include <functional>

#include "desktop/Application.h"

// The application object the tests run: the input gate's seams, which the program keeps
// to itself, opened for tests.
class TTestApplication : public TApplication
{
public:
    using TApplication::TApplication;
    static TTestApplication* Instance() { return static_cast<TTestApplication*>(QCoreApplication::instance()); }

    using TApplication::DropsStaleInput;
    using TApplication::SettleInput;
    // The clock the gate reads, in milliseconds (an empty function restores the real one).
    // Setting it starts the gate afresh.
    using TClock = std::function<qint64()>;
    void SetGateClock(TClock NewClock)
    {
        GateClock = std::move(NewClock);
        ResetGate();
    }

protected:
    qint64 Now() const override { return GateClock ? GateClock() : TApplication::Now(); }

private:
    TClock GateClock;
};
