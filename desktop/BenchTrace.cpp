#include "desktop/BenchTrace.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <ctime>

namespace {
class TBenchTrace : public QObject
{
public:
    explicit TBenchTrace(const QString& Path) : QObject(QCoreApplication::instance()), Out(Path)
    {
        Out.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::Paint:
            if (auto* W = qobject_cast<QWidget*>(Watched); W && !Painted.contains(W->window())) {
                const QByteArray Title = W->window()->windowTitle().toUtf8();
                Painted.insert(W->window());
                Log("paint " + Title);
                Later("painted " + Title);
            }
            break;
        case QEvent::MouseButtonRelease:
            if (auto* W = qobject_cast<QWidget*>(Watched)) {
                const QPoint At = W->mapTo(W->window(), QPoint(0, 0));
                Log(QByteArray("release ") + W->metaObject()->className() + ' ' + QByteArray::number(At.x()) + ' ' +
                    QByteArray::number(At.y()));
                Later("handled");
            }
            break;
        case QEvent::Timer:
            if (qobject_cast<QTimer*>(Watched)) {
                Log("tick");
                Later("ticked");
            }
            break;
        case QEvent::EnabledChange:
            if (auto* W = qobject_cast<QWidget*>(Watched)) {
                const QPoint At = W->mapTo(W->window(), QPoint(0, 0));
                Log(QByteArray("enabled ") + W->metaObject()->className() + ' ' + QByteArray::number(At.x()) + ' ' +
                    QByteArray::number(At.y()) + ' ' + (W->isEnabled() ? '1' : '0'));
            }
            break;
        case QEvent::Move:
            if (auto* W = qobject_cast<QWidget*>(Watched); W && W->isVisible())
                Log(QByteArray("move ") + W->metaObject()->className() + ' ' + QByteArray::number(W->width()) + ' ' +
                    QByteArray::number(W->height()) + ' ' + QByteArray::number(W->x()) + ' ' +
                    QByteArray::number(W->y()));
            break;
        default:
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
    void Log(const QByteArray& What)
    {
        Out.write(Nanoseconds(CLOCK_MONOTONIC) + ' ' + Nanoseconds(CLOCK_PROCESS_CPUTIME_ID) + ' ' + What + '\n');
    }
    // Logged once the current event has been handled: the marker is queued behind it.
    void Later(const QByteArray& What)
    {
        QMetaObject::invokeMethod(this, [this, What] { Log(What); }, Qt::QueuedConnection);
    }

    QFile Out;
    QSet<QObject*> Painted;
};
}

void InstallBenchTrace()
{
    const QString Path = qEnvironmentVariable("ORVANTA_BENCH_TRACE");
    if (Path.isEmpty() || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(new TBenchTrace(Path));
}
