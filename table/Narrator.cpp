#include "table/Narrator.h"

#include <QAccessible>

#include "desktop/Announcer.h"
#include "table/TableAccessibles.h"
#include "table/TableWindow.h"

TNarrator::TNarrator(TTableWindow* Window) : QObject(Window), Window(Window), Announcer(new TAnnouncer(Window))
{
    QAccessible::installActivationObserver(this);
}

TNarrator::~TNarrator() { QAccessible::removeActivationObserver(this); }

void TNarrator::accessibilityActiveChanged(bool)
{
    Pending.clear();
    NoteFaceUp();
}

void TNarrator::NoteFaceUp()
{
    for (int P = 1; P <= 4; ++P)
        FaceUpSaid[P] = !FaceUpHand(Window, P, false).isEmpty();
}

void TNarrator::Heard(const TTableEvent& Event)
{
    const int P = Event.Player;
    switch (Event.Kind) {
    case TTableEvent::HandDealt:
        NoteFaceUp();
        if (!SeatingSaid)
            Pending << Seating();
        SeatingSaid = true;
        Pending << QStringLiteral("New hand. Your hand: ") + FaceUpHand(Window, User, true);
        break;
    case TTableEvent::Call:
        if (P != User && Event.Chips > 0)
            Pending << QStringLiteral("%1 calls %2.").arg(PlayerName(Window, P)).arg(Event.Chips);
        break;
    case TTableEvent::Fold:
        if (P != User)
            Pending << QStringLiteral("%1 folds.").arg(PlayerName(Window, P));
        break;
    case TTableEvent::UserTurn:
        Pending << QStringLiteral("Your turn: a call costs %1 chips.").arg(Event.Chips);
        break;
    case TTableEvent::BettingClosed:
        Pending << QStringLiteral("Betting closed: Flip or Flip all.");
        break;
    case TTableEvent::HandsTurnedOver: {
        QStringList Shown;
        for (int Q = Jack; Q <= Kate; ++Q) {
            const QString Hand = FaceUpHand(Window, Q, false);
            if (!Hand.isEmpty() && !FaceUpSaid[Q])
                Shown << QStringLiteral("%1: %2.").arg(PlayerName(Window, Q), Hand);
            FaceUpSaid[Q] = !Hand.isEmpty();
        }
        if (!Shown.isEmpty())
            Pending << Shown.join(QLatin1Char(' '));
        break;
    }
    case TTableEvent::Result:
        Pending << (P == User ? QStringLiteral("You win %1 chips.").arg(ChipsText(Event.Chips))
                              : QStringLiteral("%1 wins %2 chips.").arg(PlayerName(Window, P), ChipsText(Event.Chips)));
        break;
    default:  // a tie and a game over are message boxes, read as they open
        break;
    }
}

void TNarrator::Flush()
{
    Announcer->Say(Pending.join(QLatin1Char(' ')));
    Pending.clear();
}

void TNarrator::PauseBegins() { Announcer->PauseBegins(); }
