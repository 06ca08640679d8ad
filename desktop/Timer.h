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

    // Tests drive the ticks themselves; while set, the clock's own ticks are not delivered.
    static bool TestDriven;

private:
    QTimer Timer;
    bool IsEnabled = false;
};
