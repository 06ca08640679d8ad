#pragma once

#include <functional>
#include <random>

#include "game/Table.h"
#include "support/TestDraw.h"

class QWidget;
class TTableWindow;

// Plays a table the one way the tests and the bench's probe play it, whatever shows it: a
// bare TTable with a recording display, or a window through its buttons and its timer. It
// is told how a move is played and whether it can be played now (a button enabled, the
// betting timer running); where the hand stands it reads from the table.
class TTableDriver
{
public:
    // NewHand, Call, Fold, BettingTick, Flip or FlipAll.
    using TMove = void (TTable::*)();
    struct TWays
    {
        std::function<const TTable&()> Table;
        std::function<void(TMove)> Play;
        std::function<bool(TMove)> CanPlay;
    };
    // The ways of a window: each move is its button's click, or goes through Press with the
    // button when it is given; each tick is its timer's timeout.
    static TWays WindowWays(std::function<TTableWindow&()> Window, std::function<void(QWidget*)> Press = {});

    // Draws, when given, is the table's draw, which a deal may script.
    explicit TTableDriver(TWays Ways, TTestDraw* Draws = nullptr) : Ways(std::move(Ways)), Draws(Draws) {}

    void Play(TMove Move) { Ways.Play(Move); }
    bool CanPlay(TMove Move) const { return Ways.CanPlay(Move); }
    // Starts a hand; while it is dealt the draw answers with Script, when one is given.
    void Deal(std::function<int(int N)> Script = {});
    void Tick(int Count = 1);
    // Ticks while the timer runs and Going holds, at most Limit times, running AfterEach
    // after each tick; returns the ticks used.
    int TickWhile(const std::function<bool()>& Going, int Limit = 500, const std::function<void()>& AfterEach = {});
    // Ticks until the phase of Player's chip has ended.
    int TickPhase(int Player, const std::function<void()>& AfterEach = {}) { return TickWhile([&] { return Mover() == Player; }, 100, AfterEach); }
    // Ticks until the betting waits for the user or has closed.
    int TickUntilIdle(int Limit = 500, const std::function<void()>& AfterEach = {}) { return TickWhile([&] { return Mover() != 0; }, Limit, AfterEach); }
    // Ticks until Move can be played.
    int TickUntilPlayable(TMove Move) { return TickWhile([&] { return !CanPlay(Move); }); }
    // After the deal, the user calls whenever asked, or folds at once, until the betting closes.
    void PlayCalling();
    void PlayFolding();
    // A hand as a player might play it, its choices drawn from Rng: the deal, a call (five
    // times in six) or a fold whenever asked, the ticks until the table waits (AfterRound
    // after each run of them), then Flip, Flip all, or both in either order. Returns
    // whether the betting closed.
    bool PlayMixedHand(std::mt19937_64& Rng, const std::function<void()>& AfterRound = {});

private:
    int Mover() const { return Ways.Table().Mover(); }

    TWays Ways;
    TTestDraw* Draws;
};
