#include "table/Narrator.h"

#include <QAccessible>
#include <QCoreApplication>
#include <utility>

#include "game/Table.h"
#include "table/TableTexts.h"

namespace {
// What a line is about: a choice the player has now passes with the next move.
// Where the hand stands is true until the next move.
enum TTopic { Lasting = 0, TurnTopic, FlipTopic, StandingTopic };

// The narration's lines, one context of the program's catalogue (app/Translation.h).
struct TNarration
{
    Q_DECLARE_TR_FUNCTIONS(Narrator)
};
}

TNarrator::TNarrator(const TTable& Table, TSpeech& Speech, QObject* Owner) : QObject(Owner), Table(Table), Speech(Speech)
{
    connect(&Table, &TTable::Happened, this, &TNarrator::Heard, Qt::DirectConnection);
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
        FaceUpSaid[P] = !FaceUpHand(Table, P, false).isEmpty();
}

// The events arrive in the middle of the game's moves; the line is said once the move is
// over. A move that raised no event (a token's step) costs nothing here.
void TNarrator::Heard(const TTableEvent& Event)
{
    using E = TTableEvent;
    switch (Event.Kind) {
    case E::MoveOver:
        if (std::exchange(Moved, false) && Speech.Listening())
            Flush();
        break;
    case E::PauseBegins:
        if (Speech.Listening()) {
            PauseBegins();
            Moved = true;
        }
        break;
    case E::PauseEnds:
        break;
    default:
        Moved = true;
        if (!Speech.Listening())
            break;
        Tell(Event);
        // A message box opens next, inside the move: what led to it is said before it.
        if (Event.Kind == E::Tie || Event.Kind == E::GameOver)
            Flush();
        break;
    }
}

void TNarrator::Tell(const TTableEvent& Event)
{
    const int P = Event.Player;
    switch (Event.Kind) {
    case TTableEvent::HandDealt:
        Outcome.clear();
        NoteFaceUp();
        if (!SeatingSaid)
            Pending << TSpeech::TLine{Seating()};
        SeatingSaid = true;
        Pending << TSpeech::TLine{TNarration::tr("New hand. Your hand: %1").arg(FaceUpHand(Table, User, true))};
        break;
    case TTableEvent::Call:
        if (P != User && Event.Chips > 0)
            Pending << TSpeech::TLine{TNarration::tr("%1 calls %2.").arg(PlayerName(Table, P)).arg(Event.Chips)};
        break;
    case TTableEvent::Fold:
        if (P != User)
            Pending << TSpeech::TLine{TNarration::tr("%1 folds.").arg(PlayerName(Table, P))};
        else
            Speech.Forget(TurnTopic);
        break;
    case TTableEvent::UserTurn:
        Pending << TSpeech::TLine{TNarration::tr("Your turn: a call costs %1.").arg(SpokenChips(ChipsText(Event.Chips))),
                                  TurnTopic};
        break;
    case TTableEvent::BettingClosed:
        Pending << TSpeech::TLine{TNarration::tr("Betting closed: Flip or Flip all."), FlipTopic};
        break;
    case TTableEvent::HandsTurnedOver:
        if (const QString Shown = TurnedOver(); !Shown.isEmpty())
            Pending << TSpeech::TLine{Shown};
        break;
    case TTableEvent::Result:
        Pending << TSpeech::TLine{P == User ? TNarration::tr("You win %1.").arg(SpokenChips(ChipsText(Event.Chips)))
                                            : TNarration::tr("%1 wins %2.").arg(PlayerName(Table, P),
                                                                                SpokenChips(ChipsText(Event.Chips)))};
        Outcome = P == User ? TNarration::tr("you won %1.").arg(SpokenChips(ChipsText(Event.Chips)))
                            : TNarration::tr("%1 won %2.").arg(PlayerName(Table, P), SpokenChips(ChipsText(Event.Chips)));
        break;
    // A tie and a game over are message boxes, read as they open.
    case TTableEvent::Tie:
        Outcome = TNarration::tr("two winners, the pot is lost.");
        break;
    case TTableEvent::GameOver:
        Outcome += QLatin1Char(' ') + (P == User ? TNarration::tr("Game over: you had the most chips; everyone starts again.")
                                                 : TNarration::tr("Game over: %1 had the most chips; everyone starts again.")
                                                       .arg(PlayerName(Table, P)));
        break;
    default:
        break;
    }
}

QString TNarrator::TurnedOver()
{
    // Every seat's hand that lies face up now, by its kind alone, and what it scores.
    QString Kind[5];
    double Scored[5] = {};
    for (int P = User; P <= Kate; ++P) {
        Kind[P] = FaceUpHand(Table, P, false);
        if (!Kind[P].isEmpty())
            Scored[P] = Table.SeatScore(P);
    }
    QStringList Shown;
    for (int P = Jack; P <= Kate; ++P) {
        if (!Kind[P].isEmpty() && !FaceUpSaid[P]) {
            bool Alike = false;
            for (int Q = User; Q <= Kate; ++Q)
                Alike = Alike || (Q != P && Kind[Q] == Kind[P] && Scored[Q] != Scored[P]);
            // With its cards the hand ends its own sentence.
            Shown << (Alike ? TNarration::tr("%1: %2") : TNarration::tr("%1: %2."))
                              .arg(PlayerName(Table, P), FaceUpHand(Table, P, Alike));
        }
        FaceUpSaid[P] = !Kind[P].isEmpty();
    }
    return Shown.join(QLatin1Char(' '));
}

void TNarrator::Flush()
{
    Speech.Say(Pending);
    Pending.clear();
}

void TNarrator::PauseBegins()
{
    // Every pause is a move that takes the player's present choice away: a new deal, or
    // a call made.
    Speech.Forget(TurnTopic);
    Speech.Forget(FlipTopic);
    Speech.Forget(StandingTopic);
    Pending.removeIf([](const TSpeech::TLine& Line) { return Line.Topic != Lasting; });
    Speech.PauseBegins();
}

void TNarrator::SayStanding()
{
    if (Speech.Listening())
        Speech.Say({{Standing(), StandingTopic}});
}

QString TNarrator::Standing() const
{
    const QString Comma = TNarration::tr(", ");
    QStringList Chips, Folded;
    for (int P = User; P <= Kate; ++P) {
        Chips << TNarration::tr("%1 %2").arg(PlayerName(Table, P)).arg(Table.ChipsShown(P));
        if (Table.Folded(P))
            Folded << PlayerName(Table, P);
    }
    QStringList Said{TNarration::tr("Chips: %1.").arg(Chips.join(Comma))};
    switch (Table.Stage()) {
    case TTable::NoHandYet:
        Said << TNarration::tr("No hand yet: Start deals one.");
        break;
    case TTable::HandOver:
        Said << (Outcome.isEmpty() ? TNarration::tr("The hand is over.") : TNarration::tr("The hand is over: %1").arg(Outcome));
        break;
    default:
        Said << TNarration::tr("Pot: %1.").arg(SpokenChips(ChipsText(Table.Pot())));
        if (Table.Stage() != TTable::BettingClosed)
            Said << TNarration::tr("Betting round %1 of %2.").arg(Table.BetRound()).arg(TTable::LastRound);
        if (!Folded.isEmpty())
            Said << TNarration::tr("Folded: %1.").arg(Folded.join(Comma));
        if (Table.Stage() == TTable::UsersTurn)
            Said << TNarration::tr("Your turn: a call costs %1.").arg(SpokenChips(ChipsText(Table.CallCost())));
        else if (Table.Stage() == TTable::BettingClosed)
            Said << TNarration::tr("Betting closed: Flip or Flip all.");
        break;
    }
    return Said.join(QLatin1Char(' '));
}
