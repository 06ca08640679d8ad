#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <QtGlobal>
#include <cstddef>
#include <deque>
#include <limits>
#include <optional>

// Turns a window system's event time into our clock. X11 stamps input with the server's
// time, Wayland with the compositor's CLOCK_MONOTONIC; both count milliseconds in 32 bits
// and wrap after 49.7 days. Only the difference to our clock is estimated: an event read at
// once shows the true difference, one read late a smaller one, so the largest seen is kept.
class TInputClock
{
public:
    // Our time at which an event stamped EventTime, read at NowMs, was made; never after NowMs.
    qint64 MadeAt(quint64 EventTime, qint64 NowMs);
    void Reset() { HaveOffset = false; }

    // No handler blocks the thread this long: an event that seems this late means the two
    // clocks have parted (a new server, a tool with its own clock).
    static constexpr qint64 PartedMs = 30000;

private:
    bool HaveOffset = false;
    quint32 Offset = 0;  // event time minus our time, modulo 2^32
};

// What a control was at some moment: there to be clicked (visible), taking input
// (enabled), and where (its geometry in its parent).
struct TControlState
{
    bool Visible = false;
    bool Enabled = false;
    QRect Geometry;
    bool Usable() const { return Visible && Enabled; }
};

// Judges input made while a handler kept the thread busy, which the window system hands
// over only after it. Such input must not act on a control that could not take it when it
// was made (Start or Call during the deal), and must act as usual on one that could (Start
// during the pause after a call). The gate keeps a record of every change of a control's
// visibility, enabled state and geometry, so that the state at any recent moment can be
// rebuilt from the state now. Times are milliseconds on our clock.
class TInputGate
{
public:
    // A handler this long makes the input read right after it, that has no time of its
    // own, count as made during it. The game's own pauses last 500 ms and more.
    static constexpr qint64 BusyThresholdMs = 250;
    // How far back the record reaches. Input made earlier, during a handler, is dropped.
    // The longest spell the gate judges is the deal, 1.32 s of pauses; the rest is room for
    // a loaded machine, where a deal has taken several seconds.
    static constexpr qint64 RecordMs = 30000;
    // The most changes the record holds, whatever the clock does: it may stand still (a
    // test's clock, hands that take no time) while changes pile up, and a message box keeps
    // the timer's changes coming for as long as it stays open. The deal, the longest busy
    // spell, makes some 370 changes (cards made, shown, moved); this holds eleven deals.
    // The oldest go first.
    static constexpr std::size_t MaxChanges = 4096;

    // --- the record: called as the changes happen, with the state before them
    void NoteVisible(QWidget* Control, bool Was, const QRect& Geometry, qint64 At);
    void NoteEnabled(QWidget* Control, bool Was, qint64 At);
    void NoteGeometry(QWidget* Control, const QRect& Was, qint64 At);

    // A dispatch from the event loop (a click, a tick, ...) ran from StartMs to EndMs.
    // StartMs is when the loop last took in input: a nested loop (a message box) inside
    // a handler takes in input too.
    void NoteHandler(qint64 StartMs, qint64 EndMs);
    // Everything the window system had queued has been read.
    void NoteSettled() { AfterBusy = false; }
    bool Settling() const { return AfterBusy; }

    // --- the rules
    // The state of Control at the moment At, rebuilt from its state now.
    TControlState StateAt(const QWidget* Control, qint64 At) const;
    // The control that lay under Point (in Window's coordinates) at the moment At, by the
    // stacking order of now; null when only Window itself was there.
    QWidget* ControlAt(QWidget* Window, QPoint Point, qint64 At) const;

    // Whether a press at Point in Window may go on to Target, the control that it reaches
    // now. MadeAt is when it was made, or empty when the window system gave no time.
    bool MayPress(QWidget* Window, QPoint Point, const QWidget* Target, std::optional<qint64> MadeAt) const;
    // Whether input aimed at Control (a key on the focused control, a press through
    // accessibility), made at MadeAt or at no known time, may act on it now.
    bool MayAct(const QWidget* Control, std::optional<qint64> MadeAt) const;

    // Drops what is older than the record needs.
    void Prune(qint64 NowMs);
    std::size_t Changes() const { return Record.size(); }

private:
    enum TField { Visibility, Enabling, Placing };
    struct TChange
    {
        qint64 At;
        QPointer<QWidget> Control;  // null once destroyed: an address may be reused
        TField Field;
        bool Was;
        QRect WasGeometry;
    };
    void Note(TChange Change);
    bool UsableThroughout(const QWidget* Control, qint64 From, qint64 To) const;
    bool Recorded(qint64 At) const { return At >= RecordStart; }

    std::deque<TChange> Record;  // in time order
    qint64 RecordStart = std::numeric_limits<qint64>::min();
    qint64 LastHandlerEnd = std::numeric_limits<qint64>::min();
    // The last busy handler, and whether input read now still counts as read right after it.
    bool AfterBusy = false;
    qint64 BusyFrom = 0, BusyTo = 0;
};
