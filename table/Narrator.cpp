#include "table/Narrator.h"

#include <QAccessible>

#include "desktop/Announcer.h"
#include "desktop/Image.h"
#include "game/TableState.h"
#include "table/TableWindow.h"
#include "table/TableAccess.h"
#include "table/TableAccessibles.h"

TNarrator::TNarrator(TTableWindow* Form) : QObject(Form), Form(Form), Announcer(new TAnnouncer(Form))
{
    QAccessible::installActivationObserver(this);
}

TNarrator::~TNarrator() { QAccessible::removeActivationObserver(this); }

void TNarrator::accessibilityActiveChanged(bool)
{
    Synced = false;
    Pending.clear();
    Result.clear();
}

bool TNarrator::Sync()
{
    if (Synced)
        return true;
    Synced = true;
    for (int P = 1; P <= 4; ++P) {
        Staked[P] = TotalBets[P];
        FoldSaid[P] = Folded[P];
        FaceUpSaid[P] = !FaceUpHand(Form, P, false).isEmpty();
    }
    CallOpen = Form->CallButton->Usable();
    FlipOpen = Form->FlipButton->Usable() || Form->FlipAllButton->Usable();
    return false;
}

void TNarrator::HandDealt()
{
    Synced = false;
    Sync();
    CallOpen = FlipOpen = false;  // the turn is said once the hand is
    if (!SeatingSaid)
        Pending << Seating();
    SeatingSaid = true;
    Pending << QStringLiteral("New hand. Your hand: ") + FaceUpHand(Form, User, true);
}

void TNarrator::PhaseEnded(int P)
{
    if (!Sync())
        return;
    if (TotalBets[P] > Staked[P] && P != User)
        Pending << QStringLiteral("%1 calls %2.").arg(PlayerName(Form, P)).arg(TotalBets[P] - Staked[P]);
    Staked[P] = TotalBets[P];
    // The seat that decided on this tick; its fold pile has just been drawn.
    for (int Q = Jack; Q <= Kate; ++Q)
        if (Folded[Q] && !FoldSaid[Q]) {
            FoldSaid[Q] = true;
            Pending << QStringLiteral("%1 folds.").arg(PlayerName(Form, Q));
        }
}

void TNarrator::Flipped()
{
    if (!Sync()) {
        Result.clear();
        return;
    }
    QStringList Shown;
    for (int P = Jack; P <= Kate; ++P) {
        const QString Hand = FaceUpHand(Form, P, false);
        if (!Hand.isEmpty() && !FaceUpSaid[P])
            Shown << QStringLiteral("%1: %2.").arg(PlayerName(Form, P), Hand);
        FaceUpSaid[P] = !Hand.isEmpty();
    }
    if (!Shown.isEmpty())
        Pending << Shown.join(QLatin1Char(' '));
    if (!Result.isEmpty())
        Pending << Result;
    Result.clear();
}

void TNarrator::ResultDrawn(int Winner)
{
    const TSheetRecord* Sheet = DrawnSheet(Form);
    if (!Sheet)
        return;
    const QString Gain = Sheet->Add[Winner];
    Result = Winner == User ? QStringLiteral("You win %1 chips.").arg(Gain)
                            : QStringLiteral("%1 wins %2 chips.").arg(Sheet->Name[Winner], Gain);
}

void TNarrator::TurnChanged()
{
    if (!Sync())
        return;
    const bool Call = Form->CallButton->Usable();
    const bool Flip = Form->FlipButton->Usable() || Form->FlipAllButton->Usable();
    if (Call && !CallOpen)
        Pending << QStringLiteral("Your turn: a call costs %1 chips.").arg(BetRound * StakePerRound);
    if (Flip && !FlipOpen)
        Pending << QStringLiteral("Betting closed: Flip or Flip all.");
    CallOpen = Call;
    FlipOpen = Flip;
}

void TNarrator::Flush()
{
    Announcer->Say(Pending.join(QLatin1Char(' ')));
    Pending.clear();
}
