#include "desktop/Application.h"

#include <QMouseEvent>

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv)
{
    Clock.start();
    DropsStaleInput = platformName() == QLatin1String("xcb");
}

void TApplication::SetTitle(const QString& Title)
{
    // The name only: a display name would be appended to every window's title under X.
    setApplicationName(Title);
}

// Decides, for an event straight from the window system, whether it is dropped.
bool TApplication::Gated(QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    if (Type != QEvent::MouseButtonPress && Type != QEvent::MouseButtonDblClick && Type != QEvent::MouseButtonRelease)
        return false;
    auto* Mouse = static_cast<QMouseEvent*>(Event);
    const Qt::MouseButton Button = Mouse->button();
    const bool Stale = Gate.IsStale(Mouse->timestamp(), Clock.elapsed());
    if (Type != QEvent::MouseButtonRelease) {
        (Stale ? Dropped : Delivered) |= Button;
        (Stale ? Delivered : Dropped) &= ~Button;
        return Stale;
    }
    if (Delivered & Button) {
        Delivered &= ~Button;
        return false;
    }
    if (Dropped & Button) {
        Dropped &= ~Button;
        return true;
    }
    return Stale;
}

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    // Only what comes straight from the event loop is gated and timed; nested dispatches
    // (a widget's share of a window's event, a repaint, a message box's own loop) run
    // inside a handler already.
    if (!DropsStaleInput || Depth > 0)
        return QApplication::notify(Receiver, Event);
    if (Gated(Event))
        return true;
    // The game's handlers run on mouse clicks and timer ticks; typing or painting, however
    // slow, keeps no click waiting.
    const QEvent::Type Type = Event->type();
    const bool Handler = Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick ||
                         Type == QEvent::MouseButtonRelease || Type == QEvent::Timer;
    const qint64 Start = Clock.elapsed();
    struct TNested
    {
        int& Depth;
        explicit TNested(int& D) : Depth(++D) {}
        ~TNested() { --Depth; }
    };
    bool Result;
    {
        TNested Nested(Depth);
        Result = QApplication::notify(Receiver, Event);
    }
    if (Handler)
        Gate.NoteHandler(Start, Clock.elapsed());
    return Result;
}
