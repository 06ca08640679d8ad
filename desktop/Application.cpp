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

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    if (!DropsStaleInput)
        return QApplication::notify(Receiver, Event);

    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (Gate.IsStale(static_cast<QMouseEvent*>(Event)->timestamp(), Clock.elapsed()))
            return true;
        break;
    default:
        break;
    }
    // Only the outermost dispatch counts as a handler; nested ones run inside it.
    const qint64 Start = Clock.elapsed();
    ++Depth;
    const bool Result = QApplication::notify(Receiver, Event);
    if (--Depth == 0)
        Gate.NoteHandler(Start, Clock.elapsed());
    return Result;
}
