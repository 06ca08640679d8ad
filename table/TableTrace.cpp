#include "table/TableTrace.h"

#include <QByteArray>

#include "desktop/BenchTrace.h"
#include "table/Layout.h"
#include "table/TableWindow.h"

namespace {
// A seat in the trace: "user", "jack", "jim", "kate".
QByteArray Seat(int Player) { return QByteArray(Seats[Player].Role).toLower(); }
}

void InstallTableTrace(const TTable& Table)
{
    if (!Tracing())
        return;
    // For the end-to-end runs: where each token travels, and where the sheet's rows stand.
    for (int P = 1; P <= 4; ++P) {
        const QPoint At = Seats[P].TokenStart, Step = Seats[P].Route.Step;
        const QString Token = QLatin1String(Seats[P].Role) + QLatin1String("Token");  // as the window names it
        TraceLine(QStringLiteral("route %1 %2 %3 %4 %5 %6").arg(Token).arg(At.x()).arg(At.y())
                      .arg(Step.x()).arg(Step.y()).arg(Seats[P].Route.Stop).toUtf8());
        TraceLine(QStringLiteral("sheet-row %1 %2 %3").arg(P).arg(SheetNameX).arg(Seats[P].SheetRowY).toUtf8());
    }
    QObject::connect(&Table, &TTable::Happened, &Table, [](const TTableEvent& Event) {
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
