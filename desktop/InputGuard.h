#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "desktop/InputGate.h"

// A window's input gate. It judges input that was made while a handler kept the thread
// busy (a sleep during the deal, a pause in a turn) and that the window system hands over
// only afterwards: a press acts only if the control under the pointer could take it at the
// moment it was made (see TInputGate). Made by the window, as its child; it works from the
// application's dispatch (TApplication::notify), the one place that sees where a handler
// begins and ends.
//
// Mouse presses and releases are judged before Qt delivers them. Other ways in that run a
// control's click (a key on the focused control, a press through accessibility) ask
// InputMayAct below, once, when their input is read, and run the click only on true.
class TInputGuard : public QObject
{
    Q_OBJECT
public:
    // The clock the gate reads, in milliseconds; empty: the real one.
    using TClock = std::function<qint64()>;

    // Judges Window's input wherever a window system gives it (X11, Wayland, ...), not on
    // the offscreen and minimal platforms, where only tests send events; given a clock of
    // its own (a test's), everywhere.
    explicit TInputGuard(QWidget* Window, TClock Clock = {});
    ~TInputGuard() override;

    // The gate that judges the input of Control's window; null where none does.
    static TInputGuard* Of(const QWidget* Control);

    // Whether input aimed at Control may act now; see InputMayAct.
    bool MayAct(const QWidget* Control, quint64 EventTime);
    // Everything queued has been read, as when the event loop waits again.
    void Settle() { Gate.NoteSettled(); }

    // --- from the application's dispatch, to every gate: each event, then, for one straight
    // from the event loop, whether it is dropped, and where its dispatch begins and ends.
    static const QList<TInputGuard*>& All();
    static bool IsOwnTimer(const QObject* Receiver);
    void Observe(QObject* Receiver, QEvent* Event);
    bool Drops(QObject* Receiver, QEvent* Event);
    void DispatchBegins();
    void DispatchEnds();
    // A nested loop (a message box) took in input: nothing waits from before it.
    void TookInput() { IntakeAt = Now(); }

private:
    qint64 Now() const { return Clock ? Clock() : Elapsed.elapsed(); }

    QWidget* const Window;
    const TClock Clock;
    QElapsedTimer Elapsed;
    TInputGate Gate;
    TInputClock EventClock;
    bool Dispatching = false;
    qint64 DispatchStart = 0;  // when the event being dispatched was read
    qint64 IntakeAt = 0;       // when a nested loop (a message box) last took in input
    // Fires once the backlog after a busy handler has been dispatched.
    QTimer SettleTimer;
    quint64 Dispatches = 0, DispatchesAtSettle = 0;
    // A release follows its press: delivered if the press was, dropped if it was not.
    Qt::MouseButtons Delivered, Dropped;
};

// Whether input aimed at Control may run its click now. For a key press on the focused
// control give the key event's timestamp(); for a press through accessibility, or any
// input that carries no time of its own, give 0.
// - With a time: true when Control was visible and enabled at the moment the input was
//   made (and is now), as for a mouse press.
// - Without a time: input read right after a handler that kept the thread busy 250 ms or
//   more, before the event loop has gone idle again, is taken as made during that handler
//   and acts only if Control was usable through the whole of it (a press sent during the
//   deal never deals again); otherwise it is taken as made when read: true when Control is
//   visible and enabled now.
// - Never while a message box is open (BlockedByModal): Qt's modality stops only mouse
//   and keys.
// Call it when the input is read (in the key or accessibility handler), not from a later
// queued call: a press queued for later must also find Control usable when it runs.
// Without a gate on Control's window: whether Control is visible and enabled now.
bool InputMayAct(const QWidget* Control, quint64 EventTime);
