#include "desktop/InputGate.h"

bool TInputGate::IsStale(quint64 EventTime, qint64 NowMs)
{
    if (EventTime == 0)
        return false;  // synthetic event without a time stamp
    // An event read late shows a smaller offset than one read at once, so the
    // largest offset seen is the best estimate of the clocks' true difference.
    const qint64 Seen = qint64(EventTime) - NowMs;
    if (!HaveOffset || Seen > Offset) {
        Offset = Seen;
        HaveOffset = true;
    }
    const qint64 MadeAt = qint64(EventTime) - Offset;
    return BusyUntil >= 0 && MadeAt < BusyUntil;
}

void TInputGate::NoteHandler(qint64 StartMs, qint64 EndMs)
{
    if (EndMs - StartMs >= BusyThresholdMs && EndMs > BusyUntil)
        BusyUntil = EndMs;
}
