#include "support/TableDriver.h"

#include "desktop/Image.h"
#include "desktop/Timer.h"
#include "table/TableWindow.h"

TTableDriver::TWays TTableDriver::WindowWays(std::function<TTableWindow&()> Window, std::function<void(QWidget*)> Press)
{
    auto Timer = [Window] { return Window().findChild<TTimer*>(QStringLiteral("BettingTimer")); };
    auto Button = [Window](TMove Move) {
        return Window().Control(Move == &TTable::NewHand ? TTablePart::Start
                                : Move == &TTable::Call  ? TTablePart::Call
                                : Move == &TTable::Fold  ? TTablePart::Fold
                                : Move == &TTable::Flip  ? TTablePart::Flip
                                                         : TTablePart::FlipAll);
    };
    return {[Window]() -> const TTable& { return Window().Game(); },
            [Timer, Button, Press](TMove Move) {
                // As the running timer signals its tick and a button its click, with the window's own hooks.
                if (Move == &TTable::BettingTick)
                    emit Timer()->Timeout();
                else
                    Press ? Press(Button(Move)) : emit Button(Move)->Clicked();
            },
            [Timer, Button](TMove Move) { return Move == &TTable::BettingTick ? Timer()->Enabled() : Button(Move)->isEnabled(); }};
}

void TTableDriver::Deal() { Play(&TTable::NewHand); }

void TTableDriver::Deal(const THands& Hands)
{
    StackDeck(Hands);
    Deal();
    Stacking->Script = {};
}

void TTableDriver::Tick(int Count)
{
    for (int I = 0; I < Count; ++I)
        Play(&TTable::BettingTick);
}

int TTableDriver::TickWhile(const std::function<bool()>& Going, int Limit, const std::function<void()>& AfterEach)
{
    int Ticks = 0;
    for (; Ticks < Limit && CanPlay(&TTable::BettingTick) && Going(); ++Ticks) {
        Tick();
        if (AfterEach)
            AfterEach();
    }
    return Ticks;
}

int TTableDriver::TickPhase(int Player, const std::function<void()>& AfterEach)
{
    return TickWhile([&] { return Ways.Table().Mover() == Player; }, 100, AfterEach);
}

bool TTableDriver::BetUntilClosed(const std::function<TMove()>& Choice, const std::function<void()>& AfterRound)
{
    while (!CanPlay(&TTable::Flip)) {
        if (CanPlay(&TTable::Call))
            Play(Choice());
        const int Ticks = TickUntilIdle();
        if (AfterRound)
            AfterRound();
        if (Ticks == 0 && !CanPlay(&TTable::Call))
            return false;  // nothing left to drive
    }
    return true;
}

void TTableDriver::PlayFolding()
{
    Play(&TTable::Fold);
    TickUntilIdle();
}

bool TTableDriver::PlayMixedHand(std::mt19937_64& Rng, const std::function<void()>& AfterRound)
{
    Deal();
    if (!BetUntilClosed([&Rng] { return Rng() % 6 ? &TTable::Call : &TTable::Fold; }, AfterRound))
        return false;
    static const TMove Flips[4][2] = {{&TTable::Flip, nullptr}, {&TTable::FlipAll, nullptr},
                                      {&TTable::Flip, &TTable::FlipAll}, {&TTable::FlipAll, &TTable::Flip}};
    for (TMove Move : Flips[Rng() % 4])
        if (Move)
            Play(Move);
    return true;
}
