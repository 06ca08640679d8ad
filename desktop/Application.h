#pragma once

#include <QApplication>
#include <QElapsedTimer>

#include "desktop/InputGate.h"

// The application object. Besides Qt's own work it drops mouse input that was made
// while a handler blocked the thread (a sleep during the deal, a pause in a turn).
class TApplication : public QApplication
{
public:
    TApplication(int& Argc, char** Argv);

    void SetTitle(const QString& Title);
    bool notify(QObject* Receiver, QEvent* Event) override;

    // On by default only where event times come from a real window system.
    bool DropsStaleInput = false;

private:
    bool Gated(QEvent* Event);

    TInputGate Gate;
    QElapsedTimer Clock;
    int Depth = 0;
    // A release follows its press: delivered if the press was, dropped if it was not.
    Qt::MouseButtons Delivered, Dropped;
};
