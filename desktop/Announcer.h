#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>


class QAccessibleInterface;
class QWidget;

// Makes a screen reader speak a line without moving the focus, the one place that knows
// how. Qt 6.4 has no announcement event, and Orca speaks changes only of the focused
// object; what it does speak unfocused is a notification that becomes showing. So each
// line is the name of a 0 x 0 child of the window, of the notification role, shown.
// Nothing paints and nothing takes the focus or the mouse: the window looks the same.
//
// The reader asks for the line's name some time after the line is shown, and gives up
// when no answer comes within its limit (Orca: 0.8 s), as when the game blocks in a
// pause. A line the reader has not yet asked for when a pause begins is withdrawn (its
// object goes, so a late question finds nothing to speak) and said again, on a new
// object, once the handler holding the pause is over or before the next line: heard
// once, however late the reader is. A line already asked for is never said again.
class TAnnouncer : public QObject
{
public:
    explicit TAnnouncer(QWidget* Window);

    // Whether an assistive tool listens; when none does, nothing is worth composing.
    static bool Listening();
    // Speaks Line after whatever was said before it. Does nothing while none listens.
    void Say(const QString& Line);
    // Its owner is about to hold the thread in a pause: nothing here answers until the
    // pause is over.
    void PauseBegins();

private:

    QWidget* Window;
    // A reader asks for a line's name after the event, perhaps after the next line: each
    // line keeps its own object until several more have been said.
    static constexpr int Kept = 8;
    std::array<QWidget*, Kept> Lines{};
    int Next = 0;
    QStringList Withdrawn;  // oldest first, said again with the next line
    bool Resaying = false;
};

// The accessible interface of the announcer's lines, for the desktop's factory.
QAccessibleInterface* AnnouncementInterface(const QString& ClassName, QObject* Object);
