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

// A table with no window, played by the driver: what it shows, its pauses and its events
// are written down in Display.Lines, in order; pauses take no time, the draw is fixed, the
// deck can be stacked and the seats' chips chosen.
class TGameTest : public ::testing::Test, public TTableDriver
{
protected:
    TGameTest();

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
    // The moves go through TTable::Play, so that listeners hear each move's end as the
    // window's do, when AsPlayed.
    bool AsPlayed = false;
};
