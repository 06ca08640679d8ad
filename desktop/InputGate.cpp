#include "desktop/InputGate.h"

#include <algorithm>

qint64 TInputClock::MadeAt(quint64 EventTime, qint64 NowMs)
{
    const quint32 Seen = quint32(EventTime) - quint32(NowMs);
    if (!HaveOffset || qint32(Seen - Offset) > 0) {
        Offset = Seen;
        HaveOffset = true;
    }
    qint64 Late = -qint64(qint32(Seen - Offset));
    // The clocks have parted: start again from this event, as if read at once.
    if (Late > PartedMs) {
        Offset = Seen;
        Late = 0;
    }
    return NowMs - Late;
}

void TInputGate::Note(TChange Change)
{
    // Times come from one monotonic clock; keep the record sorted even if a seam goes back.
    if (!Record.empty() && Change.At < Record.back().At)
        Change.At = Record.back().At;
    if (Record.size() >= MaxChanges) {
        // What happened up to the oldest change's moment can no longer be told.
        RecordStart = std::max(RecordStart, Record.front().At);
        Record.pop_front();
    }
    Record.push_back(std::move(Change));
}

void TInputGate::NoteVisible(QWidget* Control, bool Was, const QRect& Geometry, qint64 At)
{
    Note({At, Control, Visibility, Was, {}});
    // Qt moves a hidden widget without telling it until it is shown again; where it lay
    // while it was visible is kept here.
    if (Was)
        Note({At, Control, Placing, false, Geometry});
}

void TInputGate::NoteEnabled(QWidget* Control, bool Was, qint64 At) { Note({At, Control, Enabling, Was, {}}); }

void TInputGate::NoteGeometry(QWidget* Control, const QRect& Was, qint64 At) { Note({At, Control, Placing, false, Was}); }

void TInputGate::NoteHandler(qint64 StartMs, qint64 EndMs)
{
    LastHandlerEnd = std::max(LastHandlerEnd, EndMs);
    if (EndMs - StartMs >= BusyThresholdMs) {
        AfterBusy = true;
        BusyFrom = StartMs;
        BusyTo = EndMs;
    }
}

void TInputGate::Prune(qint64 NowMs)
{
    const qint64 Keep = NowMs - RecordMs;
    RecordStart = std::max(RecordStart, Keep);
    if (Record.empty() || Record.front().At >= Keep)
        return;
    auto First = std::lower_bound(Record.begin(), Record.end(), Keep,
                                  [](const TChange& C, qint64 T) { return C.At < T; });
    Record.erase(Record.begin(), First);
}

TControlState TInputGate::StateAt(const QWidget* Control, qint64 At) const
{
    TControlState State{Control->isVisible(), Control->isEnabled(), Control->geometry()};
    // The first change of each kind after the moment holds the state of that moment.
    auto It = std::upper_bound(Record.begin(), Record.end(), At,
                               [](qint64 T, const TChange& C) { return T < C.At; });
    bool Visible = false, Enabled = false, Placed = false;
    for (; It != Record.end() && !(Visible && Enabled && Placed); ++It) {
        if (It->Control.data() != Control)
            continue;
        switch (It->Field) {
        case Visibility:
            if (!Visible)
                State.Visible = It->Was;
            Visible = true;
            break;
        case Enabling:
            if (!Enabled)
                State.Enabled = It->Was;
            Enabled = true;
            break;
        case Placing:
            if (!Placed)
                State.Geometry = It->WasGeometry;
            Placed = true;
            break;
        }
    }
    return State;
}

QWidget* TInputGate::ControlAt(QWidget* Window, QPoint Point, qint64 At) const
{
    // As Qt finds the receiver of a press: the topmost visible child under the point,
    // then the topmost of its children, and so on.
    QWidget* Found = Window;
    for (bool Deeper = true; Deeper;) {
        Deeper = false;
        const QObjectList& Children = Found->children();
        for (auto It = Children.rbegin(); It != Children.rend(); ++It) {
            if (!(*It)->isWidgetType())
                continue;
            auto* Child = static_cast<QWidget*>(*It);
            if (Child->isWindow() || Child->testAttribute(Qt::WA_TransparentForMouseEvents))
                continue;
            const TControlState State = StateAt(Child, At);
            if (State.Visible && State.Geometry.contains(Point)) {
                Point -= State.Geometry.topLeft();
                Found = Child;
                Deeper = true;
                break;
            }
        }
    }
    return Found;
}

bool TInputGate::UsableThroughout(const QWidget* Control, qint64 From, qint64 To) const
{
    if (!Recorded(From) || !StateAt(Control, From).Usable())
        return false;
    // Any change in between, even one undone before the end, means it was not steadily there.
    return std::none_of(Record.begin(), Record.end(), [&](const TChange& C) {
        return C.At > From && C.At <= To && C.Control.data() == Control;
    });
}

bool TInputGate::MayPress(QWidget* Window, QPoint Point, const QWidget* Target, std::optional<qint64> MadeAt) const
{
    if (!MadeAt) {
        // No time of its own: read right after a busy handler, it is taken as made during
        // it, and goes on only if its control lay under the pointer, usable, all along.
        if (!AfterBusy)
            return true;
        return ControlAt(Window, Point, BusyFrom) == Target && UsableThroughout(Target, BusyFrom, BusyTo);
    }
    if (*MadeAt >= LastHandlerEnd)
        return true;  // made while nothing ran: nothing has changed since
    if (!Recorded(*MadeAt))
        return false;
    return ControlAt(Window, Point, *MadeAt) == Target && StateAt(Target, *MadeAt).Usable();
}

bool TInputGate::MayAct(const QWidget* Control, std::optional<qint64> MadeAt) const
{
    if (!Control->isVisible() || !Control->isEnabled())
        return false;
    if (!MadeAt)
        return !AfterBusy || UsableThroughout(Control, BusyFrom, BusyTo);
    if (*MadeAt >= LastHandlerEnd)
        return true;
    return Recorded(*MadeAt) && StateAt(Control, *MadeAt).Usable();
}
