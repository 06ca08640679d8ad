#include "desktop/Timer.h"

bool TTimer::TestDriven = false;

TTimer::TTimer(QObject* Owner) : QObject(Owner)
{
    Timer.setTimerType(Qt::PreciseTimer);
    Timer.setInterval(1000);
    connect(&Timer, &QTimer::timeout, this, [this] {
        if (IsEnabled && OnTimer && !TestDriven)
            OnTimer(this);
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
