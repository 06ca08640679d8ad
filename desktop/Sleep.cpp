#include "desktop/Sleep.h"

#include <QThread>
#include <algorithm>
#include <vector>

namespace {
TSleeper& Sleeper()
{
    static TSleeper Instance;
    return Instance;
}
}

void Sleep(int Ms)
{
    if (Sleeper())
        Sleeper()(Ms);
    else if (Ms > 0)
        QThread::msleep(unsigned(Ms));
}

void SetSleeper(TSleeper NewSleeper) { Sleeper() = std::move(NewSleeper); }
