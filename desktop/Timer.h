#pragma once

#include <QTimer>

// Where a timer's ticks come from: its clock, or, held, only whoever signals Timeout (a
// test drives the ticks itself). Enabling, disabling and the interval work as ever.
enum class TTimerClock { Running, Held };

// A periodic timer. A tick that falls due while a handler blocks the thread waits for
// it; ticks never pile up, so after a long handler at most one follows.
class TTimer : public QObject
{
    Q_OBJECT
public:
    explicit TTimer(QObject* Owner = nullptr, TTimerClock Clock = TTimerClock::Running);

    int Interval() const { return Timer.interval(); }
    void SetInterval(int Ms);
    bool Enabled() const { return IsEnabled; }
    void SetEnabled(bool Enabled);

signals:
    // A tick, while enabled.
    void Timeout();

private:
    QTimer Timer;
    bool IsEnabled = false;
};
