#include "table/TableTrace.h"

#include <QByteArray>

#include "desktop/BenchTrace.h"
#include "table/TableWindow.h"

void InstallTableTrace(TTableWindow* Window)
{
    if (!Tracing())
        return;
    Window->Table.Listen([](const TTableEvent& Event) {
        static const char* const Seats[5] = {"", "user", "jack", "jim", "kate"};
        QByteArray Line = QByteArray("event ") + EventName(Event.Kind);
        switch (Event.Kind) {
        case TTableEvent::Call:
        case TTableEvent::Result:
            Line += QByteArray(" ") + Seats[Event.Player] + ' ' + QByteArray::number(Event.Chips);
            break;
        case TTableEvent::Fold:
        case TTableEvent::GameOver:
            Line += QByteArray(" ") + Seats[Event.Player];
            break;
        case TTableEvent::UserTurn:
        case TTableEvent::PauseBegins:
            Line += ' ' + QByteArray::number(Event.Chips);
            break;
        case TTableEvent::HandsTurnedOver:
            Line += Event.All ? " all" : " in";
            break;
        default:
            break;
        }
        TraceLine(Line);
    });
}
