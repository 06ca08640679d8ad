#include "support/TableDriver.h"

#include "desktop/Image.h"
#include "desktop/Timer.h"
#include "table/TableWindow.h"

TTableDriver::TWays TTableDriver::WindowWays(std::function<TTableWindow&()> Window, std::function<void(QWidget*)> Press)
{
    auto Timer = [Window] { return Window().findChild<TTimer*>(QStringLiteral("BettingTimer")); };
    auto Button = [Window](TMove Move) {
        const TTablePart Part = Move == &TTable::NewHand ? TTablePart::Start
                                : Move == &TTable::Call  ? TTablePart::Call
                                : Move == &TTable::Fold  ? TTablePart::Fold
                                : Move == &TTable::Flip  ? TTablePart::Flip
                                                         : TTablePart::FlipAll;
        return Window().Control(Part);
    };
    return {[Window]() -> const TTable& { return Window().Game(); },
            [Timer, Button, Press](TMove Move) {
                // As the running timer signals its tick and a button its click, with the window's own hooks.
                if (Move == &TTable::BettingTick)
                    emit Timer()->Timeout();
                else if (Press)
                    Press(Button(Move));
                else
                    emit Button(Move)->Clicked();
            },
            [Timer, Button](TMove Move) { return Move == &TTable::BettingTick ? Timer()->Enabled() : Button(Move)->isEnabled(); }};
}

void TTableDriver::Deal(std::function<int(int N)> Script)
{
    if (Draws)
        Draws->Script = std::move(Script);
    Play(&TTable::NewHand);
    if (Draws)
        Draws->Script = {};
}

void TTableDriver::Tick(int Count)
{
    for (int I = 0; I < Count; ++I)
        Play(&TTable::BettingTick);
}

int TTableDriver::TickWhile(const std::function<bool()>& Going, int Limit, const std::function<void()>& AfterEach)
{
    int Ticks = 0;
    while (Ticks < Limit && CanPlay(&TTable::BettingTick) && Going()) {
        Tick();
        ++Ticks;
        if (AfterEach)
            AfterEach();
    }
    return Ticks;
}

void TTableDriver::PlayCalling()
{
    while (!CanPlay(&TTable::Flip)) {
        if (CanPlay(&TTable::Call))
            Play(&TTable::Call);
        if (TickUntilIdle() == 0 && !CanPlay(&TTable::Call))
            break;  // nothing left to drive
    }
}

void TTableDriver::PlayFolding()
{
    Play(&TTable::Fold);
    TickUntilIdle();
}

bool TTableDriver::PlayMixedHand(std::mt19937_64& Rng, const std::function<void()>& AfterRound)
{
    Deal();
    while (!CanPlay(&TTable::Flip)) {
        if (CanPlay(&TTable::Call))
            Play(Rng() % 6 ? &TTable::Call : &TTable::Fold);
        const int Ticks = TickUntilIdle();
        if (AfterRound)
            AfterRound();
        if (Ticks == 0 && !CanPlay(&TTable::Call))
            return false;  // nothing left to drive
    }
    static const TMove Flips[4][2] = {{&TTable::Flip, nullptr}, {&TTable::FlipAll, nullptr},
                                      {&TTable::Flip, &TTable::FlipAll}, {&TTable::FlipAll, &TTable::Flip}};
    for (TMove Move : Flips[Rng() % 4])
        if (Move)
            Play(Move);
    return true;
}
