#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "game/Table.h"
#include "support/Hands.h"
#include "support/RecordingDisplay.h"
#include "support/TableDriver.h"
#include "support/TestDraw.h"

// A table with no window: what it shows, its pauses and its events are written down in
// Display.Lines, in order; pauses take no time, the draw is fixed, the deck can be
// stacked and the seats' chips chosen.
class TGameTest : public ::testing::Test
{
protected:
    TGameTest();

    // The next shuffle leaves these hands at the seats' deck positions.
    void StackDeck(const THands& Hands) { Draws.Script = StackedDraws(Hands); }
    // Starts a hand with these cards dealt.
    void Deal(const THands& Hands) { Drive.Deal(StackedDraws(Hands)); }
    // Ticks until the betting waits for the user or has closed; returns the ticks used.
    int TickUntilIdle(int Limit = 500) { return Drive.TickUntilIdle(Limit); }
    // Deals, then the user folds at once, or calls whenever asked, until the betting closes.
    void PlayFolding(const THands& Hands) { Deal(Hands), Drive.PlayFolding(); }
    void PlayCalling(const THands& Hands) { Deal(Hands), Drive.PlayCalling(); }
    // Chips(p) + Bets(p) == ChipsBefore(p) for every player.
    bool ChipsBalance() const;
    // The events heard but the pauses' own, in order.
    std::vector<std::string> Events() const;
    // The pauses asked, in order.
    std::vector<int> Pauses() const;
    // A new table, at which Player starts with Chips (and the others as before).
    void GiveChips(int Player, int Chips);

    TRecordingDisplay Display;
    TTestDraw Draws;
    TSeatChips StartChips = EvenChips;
    std::optional<TTable> Game;
    // Plays the moves on Game; through TTable::Play, so that listeners hear each move's
    // end as the window's do, when AsPlayed.
    bool AsPlayed = false;
    TTableDriver Drive;
};
