#include "desktop/Sleep.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>
#include <QtGui/private/qguiapplication_p.h>
#include <algorithm>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {
// How often a pause looks for the reader's questions: far inside its 0.8 s of patience,
// and fine enough for the deal's 10 ms pauses to end on time.
constexpr qint64 AnswerSliceNs = 2'000'000;

// Qt's bridge to the desktop's accessibility bus and what it made (its adaptors, its
// cache). The bus is read on Qt's own thread, which posts each question to the object
// that answers it, here, as an event; the answer goes back from here. None when no
// reader listens or the platform has no bridge.
QList<QPointer<QObject>> Bridge()
{
    if (!QAccessible::isActive())
        return {};
    QPlatformIntegration* Platform = QGuiApplicationPrivate::platformIntegration();
    auto* Root = Platform ? dynamic_cast<QObject*>(Platform->accessibility()) : nullptr;
    if (!Root)
        return {};
    QList<QPointer<QObject>> Objects{Root};
    for (QObject* Child : Root->findChildren<QObject*>())
        Objects << Child;
    return Objects;
}

// Sleeps until Deadline, delivering only what was posted to the bridge. The event loop
// does not run: the window system's input, expose and close requests stay in its queue,
// timers do not fire, and what was posted to any other object (a queued press, the
// announcer's and the trace's calls) stays queued, in order. The bridge's answers only
// read the table; an action asked for through it (a press, a focus grab) is itself
// queued by the control and judged once the event loop runs again, as input made while
// the program was busy.
void Answer(QDeadlineTimer Deadline)
{
    for (;;) {
        for (const QPointer<QObject>& Object : Bridge())
            if (Object)
                QCoreApplication::sendPostedEvents(Object, 0);
        const qint64 Left = Deadline.remainingTimeNSecs();
        if (Left <= 0)
            return;
        QThread::usleep(std::max<qint64>(1, std::min(Left, AnswerSliceNs) / 1000));
    }
}
}

void Sleep(int Ms)
{
    if (Ms > 0 && QAccessible::isActive())
        Answer(QDeadlineTimer(Ms, Qt::PreciseTimer));
    else if (Ms > 0)
        QThread::msleep(unsigned(Ms));
}
