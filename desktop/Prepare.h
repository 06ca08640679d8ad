#pragma once

#include <functional>

class QWidget;

// Runs Then once Window's first paint has been flushed to the screen: work the player
// cannot see yet waits until there is something to look at.
void AfterFirstPaint(QWidget* Window, std::function<void()> Then);

// Does now what the controls of a window not shown yet put off until it shows: labels are
// measured (which loads their fonts) and pictures decoded.
void PrepareControls(QWidget* Window);
