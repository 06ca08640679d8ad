#pragma once

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <QtGlobal>
#include <ostream>
#include <vector>

#include "game/Table.h"

// The clocks window systems stamp input with, against ours (which starts near 0): an
// X server counts from its own start and here wraps past 2^32 a second in; a Wayland
// compositor stamps CLOCK_MONOTONIC, which has counted since boot.
struct TWindowClock
{
    const char* Name;
    quint32 Ahead;  // the window system's clock minus ours
};
constexpr TWindowClock XServerClock{"X11", 0xFFFFFC00u};
constexpr TWindowClock CompositorClock{"Wayland", 86400000u * 3 + 12345u};

inline void PrintTo(const TWindowClock& Clock, std::ostream* Out) { *Out << Clock.Name; }

// For a table whose gate reads the test's clock Now: each of the table's pauses (Pausing)
// advances it and is recorded in Sleeps; a pointer motion read at once tells the gate how
// the window system's clock, Ahead of ours, stands.
inline void PauseOnFakeClock(qint64& Now, std::vector<int>& Sleeps, TPause& Pausing, QWidget* Window, quint32 Ahead)
{
    Pausing = [&Now, &Sleeps](int Ms) {
        Sleeps.push_back(Ms);
        Now += Ms;
    };
    QMouseEvent Motion(QEvent::MouseMove, QPointF(5, 5), Window->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    Motion.setTimestamp(quint32(Now + Ahead));
    QCoreApplication::sendEvent(Window->windowHandle(), &Motion);
}
