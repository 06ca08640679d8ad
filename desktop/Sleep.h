#pragma once

#include <functional>

// Holds the caller for Ms milliseconds: a pause of the game, not of the program. While
// a screen reader listens, the program goes on answering its questions through Qt's
// accessibility bridge and nothing else: no tick, click, key, close request or queued
// call runs until the pause is over, and each waits its turn as if the thread had slept.
// A reader that gets no answer for 0.8 s drops the line it was saying. Tests replace the
// sleeper to run in zero time.
void Sleep(int Ms);

using TSleeper = std::function<void(int Ms)>;
void SetSleeper(TSleeper Sleeper);  // an empty function restores the real sleep
