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
    // For the end-to-end runs: where each token travels, and where the sheet's rows stand.
    for (int P = 1; P <= 4; ++P) {
        const QPoint At = Seats[P].TokenStart, Step = Seats[P].Route.Step;
        TraceLine(QStringLiteral("route %1 %2 %3 %4 %5 %6").arg(Window->Token(P)->objectName()).arg(At.x()).arg(At.y())
                      .arg(Step.x()).arg(Step.y()).arg(Seats[P].Route.Stop).toUtf8());
        TraceLine(QStringLiteral("sheet-row %1 %2 %3").arg(P).arg(TTableWindow::SheetNameX).arg(TTableWindow::SheetRowY(P)).toUtf8());
    }
    QObject::connect(&Window->Table, &TTable::Happened, Window, [](const TTableEvent& Event) {
        // MoveOver is every tick's (the trace marks handlers itself); a dealt card's move
        // line, followed by its pause, already says it was laid.
        if (Event.Kind == TTableEvent::MoveOver || Event.Kind == TTableEvent::CardLaid)
            return;
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
    }, Qt::DirectConnection);
}
