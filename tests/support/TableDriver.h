#pragma once

#include <functional>
#include <random>

#include "game/Table.h"
#include "support/Hands.h"
#include "support/TestDraw.h"

class QWidget;
class TTableWindow;

// Plays a table the one way the tests and the bench's probe play it, whatever shows it: a
// bare TTable with a recording display, or a window through its buttons and timer. It is
// told how a move is played and whether it can be played now (a button enabled, the timer
// running); where the hand stands it reads from the table.
class TTableDriver
{
public:
    using TMove = void (TTable::*)();  // NewHand, Call, Fold, BettingTick, Flip or FlipAll
    struct TWays
    {
        std::function<const TTable&()> Table;
        std::function<void(TMove)> Play;
        std::function<bool(TMove)> CanPlay;
    };
    // A window's: a move is its button's click (or Press on the button), a tick its timer's.
    static TWays WindowWays(std::function<TTableWindow&()> Window, std::function<void(QWidget*)> Press = {});
    // Deals are stacked through Draws, the table's draw.
    explicit TTableDriver(TWays Ways, TTestDraw* Draws = nullptr) : Ways(std::move(Ways)), Stacking(Draws) {}

    void Play(TMove Move) { Ways.Play(Move); }
    bool CanPlay(TMove Move) const { return Ways.CanPlay(Move); }
    // The next shuffle leaves these hands at the seats' deck positions.
    void StackDeck(const THands& Hands) { Stacking->Script = StackedDraws(Hands); }
    // Starts a hand, with these cards dealt when given.
    void Deal();
    void Deal(const THands& Hands);
    void Tick(int Count = 1);
    // Ticks while the timer runs and Going holds, at most Limit times, AfterEach after each;
    // returns the ticks used.
    int TickWhile(const std::function<bool()>& Going, int Limit = 500, const std::function<void()>& AfterEach = {});
    // Ticks until Player's chip phase has ended, until the betting waits for the user or
    // has closed, or until Move can be played.
    int TickPhase(int Player, const std::function<void()>& AfterEach = {});
    int TickUntilIdle(int Limit = 500) { return TickWhile([this] { return Ways.Table().Mover() != 0; }, Limit); }
    int TickUntilPlayable(TMove Move) { return TickWhile([&] { return !CanPlay(Move); }); }
    // After the deal (of Hands), the user calls whenever asked, or folds at once, until
    // the betting closes.
    void PlayCalling() { BetUntilClosed([] { return &TTable::Call; }); }
    void PlayFolding();
    void PlayCalling(const THands& Hands) { Deal(Hands), PlayCalling(); }
    void PlayFolding(const THands& Hands) { Deal(Hands), PlayFolding(); }
    // A hand as a player might play it, drawn from Rng: the deal, a call (five times in six)
    // or a fold whenever asked, the ticks until the table waits (AfterRound after each run
    // of them), then Flip, Flip all, or both in either order. False if the betting never closed.
    bool PlayMixedHand(std::mt19937_64& Rng, const std::function<void()>& AfterRound = {});

private:
    // The user answers Choice whenever asked until the betting closes; false when it never does.
    bool BetUntilClosed(const std::function<TMove()>& Choice, const std::function<void()>& AfterRound = {});

    TWays Ways;
    TTestDraw* Stacking;
};
