#include "desktop/BenchTrace.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <ctime>

namespace {
QByteArray Numbers(std::initializer_list<int> Values)
{
    QByteArray Out;
    for (int V : Values)
        Out += ' ' + QByteArray::number(V);
    return Out;
}

// An object by its role, its object name, or else by its class.
QByteArray Role(const QObject* O)
{
    return O->objectName().isEmpty() ? QByteArray(O->metaObject()->className()) : O->objectName().toUtf8();
}

// A control by its role; one without a name (a card) by its class and place.
QByteArray Named(const QWidget* W)
{
    const QPoint At = W->mapTo(W->window(), QPoint(0, 0));
    return W->objectName().isEmpty() ? Role(W) + Numbers({At.x(), At.y()}) : Role(W);
}

QByteArray TimerName(const QTimer* Timer)
{
    // A timer wrapped by a control of ours (TTimer) goes by its owner's name.
    const QObject* Source = Timer->objectName().isEmpty() && Timer->parent() ? Timer->parent() : Timer;
    return Role(Source) + ' ' + QByteArray::number(Timer->interval());
}

class TBenchTrace : public QObject
{
public:
    explicit TBenchTrace(const QString& Path) : QObject(QCoreApplication::instance()), Out(Path)
    {
        Out.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }

    void Log(const QByteArray& What)
    {
        Out.write(Nanoseconds(CLOCK_MONOTONIC) + ' ' + Nanoseconds(CLOCK_PROCESS_CPUTIME_ID) + ' ' + What + '\n');
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        const QEvent::Type Type = Event->type();
        auto* W = Watched->isWidgetType() ? static_cast<QWidget*>(Watched) : nullptr;
        switch (Type) {
        case QEvent::Paint:
            if (W && !Painted.contains(W->window())) {
                const QByteArray Title = W->window()->windowTitle().toUtf8();
                Painted.insert(W->window());
                Log("paint " + Title);
                Later("painted " + Title);
            }
            break;
        case QEvent::MouseButtonRelease:
            if (W)
                Input("release " + Named(W));
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // Only where the key is delivered, not again as it climbs to the parents, nor
            // when the accessibility bridge, which holds keys back for a screen reader,
            // delivers its copy.
            if (auto* K = static_cast<QKeyEvent*>(Event); W && W == QApplication::focusWidget() && !SameKey(K)) {
                const QByteArray Key = QKeySequence(K->key()).toString(QKeySequence::PortableText).toUtf8();
                Input(QByteArray("key ") + (Type == QEvent::KeyPress ? "press " : "release ") +
                      (Key.isEmpty() ? QByteArray("?") : Key) + ' ' + Named(W));
            }
            break;
        case QEvent::Timer:
            // Zero timers only say that the loop has caught up; a marker posted for
            // each would keep it from ever catching up.
            if (auto* T = qobject_cast<QTimer*>(Watched); T && T->interval() > 0) {
                Log("tick " + TimerName(T));
                Later("ticked " + TimerName(T));
            }
            break;
        case QEvent::Show:
        case QEvent::Hide:
            if (W && W->isWindow() && !Event->spontaneous()) {
                Log(QByteArray(Type == QEvent::Show ? "show " : "hide ") + W->metaObject()->className() + ' ' +
                    W->windowTitle().toUtf8());
                if (Type == QEvent::Show)
                    Layout(W);
                // The loop of a box that closes is about to end: what waited for it may go.
                if (Type == QEvent::Hide && !Waiting.isEmpty())
                    Flush();
            }
            break;
        case QEvent::EnabledChange:
            if (W)
                Log("enabled " + Named(W) + ' ' + (W->isEnabled() ? '1' : '0'));
            break;
        case QEvent::Move:
            if (W && W->isVisible())
                Log("move " + Role(W) + Numbers({W->width(), W->height(), W->x(), W->y()}));
            break;
        default:
            // A control's own queued request: the program's only one is a press through
            // accessibility.
            if (W && Type >= QEvent::User && Type <= QEvent::MaxUser)
                Input("press " + Named(W));
            break;
        }
        return false;
    }

private:
    static QByteArray Nanoseconds(clockid_t Clock)
    {
        timespec Now;
        clock_gettime(Clock, &Now);
        return QByteArray::number(qint64(Now.tv_sec) * 1000000000 + Now.tv_nsec);
    }
    // Where a window is placed (its frame, as the program asks, before the window system
    // has a say) and its client size, then each named control in window coordinates, hidden
    // ones too. A window with a layout manager may size itself in its own show handler (a
    // message box, to its text): its controls are given again once that is done.
    void Layout(QWidget* Window)
    {
        Log("layout " + Role(Window) + Numbers({Window->x(), Window->y(), Window->width(), Window->height()}));
        Controls(Window);
        if (Window->layout())
            QMetaObject::invokeMethod(this, [this, Window = QPointer<QWidget>(Window)] { Controls(Window); },
                                      Qt::QueuedConnection);
    }
    void Controls(const QWidget* Window)
    {
        for (const QWidget* C : Window ? Window->findChildren<QWidget*>() : QList<QWidget*>())
            if (!C->objectName().isEmpty() && C->window() == Window) {
                const QPoint At = C->mapTo(Window, QPoint(0, 0));
                Log("layout " + Role(C) + Numbers({At.x(), At.y(), C->width(), C->height()}));
            }
    }
    static int LoopLevel() { return std::max(1, QThread::currentThread()->loopLevel()); }

    bool SameKey(const QKeyEvent* K)
    {
        const TKey Now{K->type(), K->key(), K->timestamp()};
        const bool Same = Now.Type == LastKey.Type && Now.Key == LastKey.Key && Now.Time == LastKey.Time;
        LastKey = Now;
        return Same;
    }
    void Input(const QByteArray& What)
    {
        Log(What);
        Later("handled " + What);
    }
    // Logged once the current event has been handled: the marker is queued behind it, and
    // held back while a loop nested in its handler (a message box) runs.
    void Later(const QByteArray& What)
    {
        Waiting.append({What, LoopLevel()});
        Flush();
    }
    void Flush()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                const int Level = LoopLevel();
                for (auto It = Waiting.begin(); It != Waiting.end();)
                    if (It->Level >= Level) {
                        Log(It->What);
                        It = Waiting.erase(It);
                    } else {
                        ++It;
                    }
                // A box has closed but its loop has not ended yet: look again once it has.
                if (!Waiting.isEmpty() && !QApplication::activeModalWidget())
                    Flush();
            },
            Qt::QueuedConnection);
    }

    struct TMarker
    {
        QByteArray What;
        int Level;
    };
    struct TKey
    {
        QEvent::Type Type = QEvent::None;
        int Key = 0;
        quint64 Time = 0;
    };
    QFile Out;
    QSet<QObject*> Painted;
    TKey LastKey;
    QList<TMarker> Waiting;
};

TBenchTrace* Trace = nullptr;
}

void InstallBenchTrace()
{
    const QString Path = qEnvironmentVariable("ORVANTA_BENCH_TRACE");
    if (Path.isEmpty() || !QCoreApplication::instance() || Trace)
        return;
    Trace = new TBenchTrace(Path);
    QCoreApplication::instance()->installEventFilter(Trace);
}

bool Tracing() { return Trace; }

void TraceLine(const QByteArray& What)
{
    if (Trace)
        Trace->Log(What);
}

void TraceAccessPress(const QWidget* Control, bool Queued)
{
    if (Trace)
        Trace->Log("access " + Named(Control) + (Queued ? " queued" : " refused"));
}
