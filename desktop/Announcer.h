#pragma once

#include <QObject>
#include <QPointer>
#include <deque>

#include "desktop/Speech.h"

class QAccessibleInterface;
class QWidget;
class TAnnouncement;

// Makes a screen reader speak a line without moving the focus, the one place that knows
// how. Qt 6.4 has no announcement event, and Orca speaks changes only of the focused
// object; what it does speak unfocused is a notification that becomes showing. So each
// announcement is the name of a 0 x 0 child of the window, of the notification role,
// shown. Nothing paints and nothing takes the focus or the mouse: the window looks the same.
//
// The reader asks for an announcement's name some time after it is shown, and gives up
// when no answer comes within its limit (Orca: 0.8 s), as when the program blocks in a
// pause. So every line is said exactly once, however late the reader is:
// - a line comes to the announcement the reader has not asked for yet, which then holds
//   everything that waits: never lost, never overwritten;
// - when a pause begins, what the reader has not asked for is taken back (its object
//   goes, so a question that times out in the pause finds nothing) and said again once
//   the pause is over;
// - what it has asked for is never said again;
// - a line whose topic has passed (Forget) is dropped if it has not been asked for.
class TAnnouncer : public QObject, public TSpeech
{
public:
    // Its lines are Window's children; Owner owns the announcer.
    TAnnouncer(QWidget* Window, QObject* Owner);

    bool Listening() const override;
    // Does nothing while none listens.
    void Say(const QList<TLine>& Lines) override;
    void Forget(int Topic) override;
    // Nothing here answers until the pause is over, so what waits is taken back and said
    // again after it.
    void PauseBegins() override;

private:
    // Takes back the shown announcement if no reader has asked for it.
    void TakeBack();
    // Shows what waits, on the announcement no reader has asked for yet, or a new one.
    void Show();

    QWidget* Window;
    QList<TLine> Unread;               // the lines of Shown, or taken back in a pause
    QPointer<TAnnouncement> Shown;     // the announcement no reader has asked for yet
    std::deque<QPointer<TAnnouncement>> Read;  // asked for: kept a while for a second look
    bool Resaying = false;
};

// The accessible interface of the announcer's lines, for the desktop's factory.
QAccessibleInterface* AnnouncementInterface(const QString& ClassName, QObject* Object);
