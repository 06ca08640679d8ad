#include <gtest/gtest.h>

#include "desktop/InputGate.h"

namespace {
// The window system's clock runs this far ahead of ours.
constexpr qint64 Ahead = 5000;

// An event made at MadeAt (our clock) and read at ReadAt.
bool Stale(TInputGate& Gate, qint64 MadeAt, qint64 ReadAt) { return Gate.IsStale(quint64(MadeAt + Ahead), ReadAt); }
}

TEST(InputGateTest, InputMadeDuringABusyHandlerIsStaleWhenReadLater)
{
    TInputGate Gate;
    EXPECT_FALSE(Stale(Gate, 100, 100));  // nothing busy yet
    Gate.NoteHandler(1000, 1300);
    EXPECT_TRUE(Stale(Gate, 1200, 1301));
    EXPECT_TRUE(Stale(Gate, 1299, 2500));  // still stale however late it is read
    EXPECT_FALSE(Stale(Gate, 1300, 1302));
    EXPECT_FALSE(Stale(Gate, 1400, 1400));
    // A short handler afterwards does not forgive input made during the busy one.
    Gate.NoteHandler(1400, 1405);
    EXPECT_TRUE(Stale(Gate, 1250, 1410));
    EXPECT_FALSE(Stale(Gate, 1402, 1410));
}

TEST(InputGateTest, OnlyHandlersOfTheThresholdOrLongerMakeInputStale)
{
    TInputGate Gate;
    EXPECT_FALSE(Stale(Gate, 100, 100));
    Gate.NoteHandler(1000, 1000 + TInputGate::BusyThresholdMs - 1);
    EXPECT_FALSE(Stale(Gate, 1010, 1100));
    Gate.NoteHandler(2000, 2000 + TInputGate::BusyThresholdMs);
    EXPECT_TRUE(Stale(Gate, 2010, 2100));
}

TEST(InputGateTest, ClockOffsetComesFromTheEarliestDeliveredEvents)
{
    TInputGate Gate;
    // The very first event was read 300 ms late; a later prompt one corrects the offset.
    EXPECT_FALSE(Stale(Gate, 100, 400));
    EXPECT_FALSE(Stale(Gate, 500, 500));
    // Another late read must not pull the estimate back.
    EXPECT_FALSE(Stale(Gate, 600, 900));
    Gate.NoteHandler(1000, 1300);
    EXPECT_TRUE(Stale(Gate, 1290, 1350));
    EXPECT_FALSE(Stale(Gate, 1310, 1350));
}

TEST(InputGateTest, EventsWithoutTimestampAreNeverStale)
{
    TInputGate Gate;
    EXPECT_FALSE(Stale(Gate, 100, 100));
    Gate.NoteHandler(1000, 1300);
    EXPECT_FALSE(Gate.IsStale(0, 1200));
    EXPECT_FALSE(Gate.IsStale(0, 1305));
    // ... nor do they disturb the offset.
    EXPECT_TRUE(Stale(Gate, 1290, 1305));
    EXPECT_FALSE(Stale(Gate, 1301, 1305));
}
