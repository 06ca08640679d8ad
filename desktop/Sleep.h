#pragma once

#include <functional>

// Blocks the thread for Ms milliseconds. Tests replace the sleeper to run in zero time.
void Sleep(int Ms);

using TSleeper = std::function<void(int Ms)>;
void SetSleeper(TSleeper Sleeper);  // an empty function restores the real sleep

// Told as a pause begins, before the thread blocks: nothing it owns answers until the
// handler holding the pause returns.
class TPauseWatcher
{
public:
    TPauseWatcher();
    virtual ~TPauseWatcher();
    TPauseWatcher(const TPauseWatcher&) = delete;
    TPauseWatcher& operator=(const TPauseWatcher&) = delete;
    virtual void PauseBegins() = 0;
};
