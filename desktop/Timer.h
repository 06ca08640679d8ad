#pragma once

#include <QTimer>
#include <functional>

// A periodic timer. A tick that falls due while a handler blocks the thread waits for
// it; ticks never pile up, so after a long handler at most one follows.
class TTimer : public QObject
{
    Q_OBJECT
public:
    explicit TTimer(QObject* Owner = nullptr);

    int Interval() const { return Timer.interval(); }
    void SetInterval(int Ms);
    bool Enabled() const { return IsEnabled; }
    void SetEnabled(bool Enabled);

    std::function<void(QObject* Sender)> OnTimer;

private:
    QTimer Timer;
    bool IsEnabled = false;
};

// Tests drive the ticks themselves: with the clock held, the clock's own ticks reach no
// timer. Enabling, disabling and the interval work as ever.
void HoldTimerClock(bool Held);
