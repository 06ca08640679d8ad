#pragma once

#include <QList>
#include <QString>

// Where a program's lines go to be spoken by a screen reader without moving the focus:
// the desktop's announcer (Announcer.h), or a test's stand-in.
class TSpeech
{
public:
    // One line and what it is about: lines of topic 0 stay true; others may pass.
    struct TLine
    {
        QString Text;
        int Topic = 0;
    };

    virtual ~TSpeech() = default;

    // Whether an assistive tool listens; when none does, nothing is worth composing.
    virtual bool Listening() const = 0;
    // Speaks Lines after whatever waits to be said.
    virtual void Say(const QList<TLine>& Lines) = 0;
    // What is about Topic has passed: not said if no reader has asked for it yet.
    virtual void Forget(int Topic) = 0;
    // The program is about to hold the thread in a pause, and answers no reader until it
    // is over.
    virtual void PauseBegins() = 0;
};
