#include "table/TableTrace.h"

#include <QByteArray>

#include "desktop/BenchTrace.h"
#include "table/TableWindow.h"

namespace {
// A seat in the trace: "user", "jack", "jim", "kate".
QByteArray Seat(int Player) { return QByteArray(Seats[Player].Role).toLower(); }
}

void InstallTableTrace(TTableWindow* Window)
{
    if (!Tracing())
        return;
    Window->Table.Listen([](const TTableEvent& Event) {
        QByteArray Line = QByteArray("event ") + EventName(Event.Kind);
        switch (Event.Kind) {
        case TTableEvent::Call:
        case TTableEvent::Result:
            Line += ' ' + Seat(Event.Player) + ' ' + QByteArray::number(Event.Chips);
            break;
        case TTableEvent::Fold:
        case TTableEvent::GameOver:
            Line += ' ' + Seat(Event.Player);
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
