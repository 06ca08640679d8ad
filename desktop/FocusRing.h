#pragma once

#include <QRect>

class QPainter;
class QWidget;

// The keyboard focus ring shows only once a key has been used on the window, and a
// mouse press there hides it again: a player who only uses the mouse never sees it.
// Each window keeps its own state.
bool FocusRingShown(const QWidget* InWindow);

// Watches the keyboard and the mouse on Window and its children for the above, for as
// long as Owner lives (it owns the watcher). The ring starts hidden.
class QObject;
void WatchFocusRing(QWidget* Window, QObject* Owner);

// A two-tone dotted ring just inside Area, seen on light and dark pictures alike.
void DrawFocusRing(QPainter& Painter, const QRect& Area);
