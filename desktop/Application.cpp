#include "desktop/Application.h"

#include <QPointer>
#include <QVarLengthArray>

#include "desktop/InputGuard.h"

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {}

void TApplication::SetTitle(const QString& Title)
{
    // The name only: a display name would be appended to every window's title under X.
    setApplicationName(Title);
}

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    // The depth is kept with no gate at work too: one may be made inside a handler.
    const QList<TInputGuard*>& Guards = TInputGuard::All();
    for (TInputGuard* Guard : Guards)
        Guard->Observe(Receiver, Event);
    if (Event->type() == QEvent::MouseMove && Event->spontaneous())
        TipAsleep = false;
    else if (Event->type() == QEvent::ToolTip && TipAsleep)
        return true;
    // Only what comes straight from the event loop is gated and timed; nested dispatches
    // (a widget's share of a window's event, a repaint, a message box's own loop) run
    // inside a handler already.
    if (Depth > 0 || TInputGuard::IsOwnTimer(Receiver)) {
        // A nested loop that takes in input (a message box) keeps nothing waiting.
        if (Depth > 0 && Event->spontaneous() && Event->isInputEvent())
            for (TInputGuard* Guard : Guards)
                Guard->TookInput();
        return QApplication::notify(Receiver, Event);
    }
    // Every gate reads the event's time; the one of the window it goes to judges it.
    bool Drop = false;
    for (TInputGuard* Guard : Guards)
        Drop = Guard->Drops(Receiver, Event) || Drop;
    if (Drop) {
        TipAsleep = true;
        return true;
    }
    // A handler may close a window and its gate with it.
    QVarLengthArray<QPointer<TInputGuard>, 2> Timing;
    for (TInputGuard* Guard : Guards) {
        Guard->DispatchBegins();
        Timing.append(Guard);
    }
    bool Result;
    {
        struct TNested
        {
            int& Depth;
            explicit TNested(int& D) : Depth(++D) {}
            ~TNested() { --Depth; }
        } Nested(Depth);
        Result = QApplication::notify(Receiver, Event);
    }
    for (const QPointer<TInputGuard>& Guard : Timing)
        if (Guard)
            Guard->DispatchEnds();
    return Result;
}
