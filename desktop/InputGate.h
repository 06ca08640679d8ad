#pragma once

#include <QtGlobal>

// Decides which mouse events were made while a handler kept the thread busy.
// Such events wait in the window system's queue; replaying them after the handler
// would let a click on a then-disabled button act later. Event times come from the
// window system's clock, handler times from ours; the gate keeps the offset between them.
class TInputGate
{
public:
    // Handlers shorter than this are not "busy": input around them is served normally.
    // The game's own pauses last 500 ms and more; a slow repaint on a loaded machine
    // must not swallow the next click.
    static constexpr qint64 BusyThresholdMs = 250;

    // True when an event stamped EventTime (window-system ms), read at NowMs (our clock),
    // was made before the last busy handler ended.
    bool IsStale(quint64 EventTime, qint64 NowMs);
    // A handler (of any event) ran from StartMs to EndMs on our clock.
    void NoteHandler(qint64 StartMs, qint64 EndMs);

private:
    bool HaveOffset = false;
    qint64 Offset = 0;      // event time minus our time, for an event delivered at once
    qint64 BusyUntil = -1;  // our time at which the last busy handler ended
};
