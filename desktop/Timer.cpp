#include "desktop/Timer.h"

// The timer is this one's child, so that the trace names it by this one's object name.
TTimer::TTimer(QObject* Owner, TTimerClock Clock) : QObject(Owner), Timer(this)
{
    Timer.setTimerType(Qt::PreciseTimer);
    Timer.setInterval(1000);
    connect(&Timer, &QTimer::timeout, this, [this, Clock] {
        if (IsEnabled && Clock == TTimerClock::Running)
            emit Timeout();
    });
}

void TTimer::SetInterval(int Ms)
{
    Timer.setInterval(Ms);
}

void TTimer::SetEnabled(bool Enabled)
{
    if (Enabled == IsEnabled)
        return;
    IsEnabled = Enabled;
    if (Enabled)
        Timer.start();
    else
        Timer.stop();
}
