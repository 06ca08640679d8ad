#pragma once

#include <QApplication>

// The application object. Besides Qt's own work it lets each window's input gate
// (TInputGuard) see every event and where the dispatch of each one straight from the
// event loop begins and ends, which only notify can tell.
class TApplication : public QApplication
{
public:
    TApplication(int& Argc, char** Argv);

    void SetTitle(const QString& Title);
    bool notify(QObject* Receiver, QEvent* Event) override;

private:
    int Depth = 0;
    // A dropped press puts the pointer's tooltip to sleep until the pointer moves again,
    // as Qt does for a press it delivers.
    bool TipAsleep = false;
};
