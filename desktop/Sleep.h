#pragma once

#include <functional>

// Blocks the thread for Ms milliseconds. Tests replace the sleeper to run in zero time.
void Sleep(int Ms);

using TSleeper = std::function<void(int Ms)>;
void SetSleeper(TSleeper Sleeper);  // an empty function restores the real sleep
