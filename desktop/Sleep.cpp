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

std::vector<TPauseWatcher*>& Watchers()
{
    static std::vector<TPauseWatcher*> Instance;
    return Instance;
}
}

void Sleep(int Ms)
{
    for (TPauseWatcher* W : Watchers())
        W->PauseBegins();
    if (Sleeper())
        Sleeper()(Ms);
    else if (Ms > 0)
        QThread::msleep(unsigned(Ms));
}

void SetSleeper(TSleeper NewSleeper) { Sleeper() = std::move(NewSleeper); }

TPauseWatcher::TPauseWatcher() { Watchers().push_back(this); }

TPauseWatcher::~TPauseWatcher() { std::erase(Watchers(), this); }
