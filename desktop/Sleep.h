#pragma once

// Holds the caller for Ms milliseconds: a pause of the game, not of the program. While
// a screen reader listens, the program goes on answering its questions through Qt's
// accessibility bridge and nothing else: no tick, click, key, close request or queued
// call runs until the pause is over, and each waits its turn as if the thread had slept.
// A reader that gets no answer for 0.8 s drops the line it was saying. What pauses the
// game is handed to it, so a test hands in a pause of its own that takes no time.
void Sleep(int Ms);
