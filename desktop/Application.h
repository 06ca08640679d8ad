#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "desktop/InputGate.h"

// The application object. Besides Qt's own work it judges input that was made while a
// handler kept the thread busy (a sleep during the deal, a pause in a turn) and that the
// window system hands over only afterwards: a press acts only if the control under the
// pointer could take it at the moment it was made (see TInputGate).
//
// Mouse presses and releases are judged here, before Qt delivers them. Other ways in that
// run a control's click (a key on the focused control, a press through accessibility)
// ask InputMayAct below, once, when their input is read, and run the click only on true.
class TApplication : public QApplication
{
public:
    TApplication(int& Argc, char** Argv);

    void SetTitle(const QString& Title);
    bool notify(QObject* Receiver, QEvent* Event) override;

    // Whether input aimed at Control may act now; see InputMayAct.
    bool MayAct(const QWidget* Control, quint64 EventTime);

protected:
    // On by default wherever input comes from a window system (X11, Wayland, ...); off on
    // the offscreen and minimal platforms, where only tests send events.
    bool DropsStaleInput = false;
    // The clock the gate reads, in milliseconds; a test's own clock goes with ResetGate.
    virtual qint64 Now() const { return Clock.elapsed(); }
    void ResetGate();
    // Everything queued has been read, as when the event loop waits again.
    void SettleInput() { Gate.NoteSettled(); }

private:
    bool Gated(QObject* Receiver, QEvent* Event, qint64 Now);
    void Observe(QObject* Receiver, QEvent* Event);

    TInputGate Gate;
    TInputClock EventClock;
    QElapsedTimer Clock;
    int Depth = 0;
    qint64 DispatchStart = 0;  // when the event being dispatched was read
    qint64 IntakeAt = 0;       // when a nested loop (a message box) last took in input
    // Fires once the backlog after a busy handler has been dispatched.
    QTimer SettleTimer;
    quint64 Dispatches = 0, DispatchesAtSettle = 0;
    // A release follows its press: delivered if the press was, dropped if it was not.
    Qt::MouseButtons Delivered, Dropped;
    // A dropped press puts the pointer's tooltip to sleep until the pointer moves again,
    // as Qt does for a press it delivers.
    bool TipAsleep = false;
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
bool InputMayAct(const QWidget* Control, quint64 EventTime);
