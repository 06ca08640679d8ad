#include <gtest/gtest.h>

#include <QWidget>

#include "desktop/InputGate.h"
#include "support/WindowClocks.h"

namespace {
class InputClockTest : public ::testing::TestWithParam<TWindowClock>
{
protected:
    // An event made at MadeAt (our clock), read at ReadAt: when does the clock say it was made?
    qint64 Made(qint64 MadeAt, qint64 ReadAt) { return Clock.MadeAt(quint32(MadeAt + GetParam().Ahead), ReadAt); }
    TInputClock Clock;
};
}

TEST_P(InputClockTest, LateEventsAreDatedByTheirOwnTimeAcrossTheWrap)
{
    EXPECT_EQ(Made(100, 100), 100);
    EXPECT_EQ(Made(300, 1700), 300);  // read after a 1.4 s deal
    EXPECT_EQ(Made(1800, 1800), 1800);
    EXPECT_EQ(Made(5000, 9000), 5000);
}

TEST_P(InputClockTest, TheEarliestReadEventsSetTheOffset)
{
    // The first event was read 300 ms late: until a prompt one comes, events look early.
    EXPECT_EQ(Made(100, 400), 400);
    EXPECT_EQ(Made(500, 500), 500);  // corrects the estimate
    EXPECT_EQ(Made(600, 900), 600);  // a late read does not pull it back
    EXPECT_EQ(Made(700, 701), 700);
}

TEST_P(InputClockTest, ClocksThatPartStartAfresh)
{
    EXPECT_EQ(Made(100, 100), 100);
    // A new server, or a tool with a clock of its own: no handler blocks for minutes.
    EXPECT_EQ(Clock.MadeAt(quint32(GetParam().Ahead + 100 - 3600000), 1000), 1000);
    EXPECT_EQ(Clock.MadeAt(quint32(GetParam().Ahead + 100 - 3600000 + 500), 1600), 1500);
}

INSTANTIATE_TEST_SUITE_P(BothClocks, InputClockTest, ::testing::Values(XServerClock, CompositorClock),
                         ::testing::PrintToStringParamName());

namespace {
// A window with two buttons side by side and a sheet that can cover the first.
class InputGateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Window.setGeometry(0, 0, 400, 300);
        Start = new QWidget(&Window);
        Start->setGeometry(10, 10, 100, 32);
        Call = new QWidget(&Window);
        Call->setGeometry(200, 10, 100, 32);
        Sheet = new QWidget(&Window);
        Sheet->setGeometry(0, 0, 150, 100);
        Sheet->hide();
        Window.show();
    }
    QPoint At(QWidget* W) const { return W->geometry().center(); }

    QWidget Window;
    QWidget *Start, *Call, *Sheet;
    TInputGate Gate;
};
}

TEST_F(InputGateTest, TheStateOfAnyRecentMomentIsRebuilt)
{
    const QRect Home = Call->geometry();
    // 100: disabled; 200: moved; 300: hidden, then moved while hidden; 400: shown.
    Call->setEnabled(false);
    Gate.NoteEnabled(Call, true, 100);
    Call->move(200, 60);
    Gate.NoteGeometry(Call, Home, 200);
    Call->hide();
    Gate.NoteVisible(Call, true, Call->geometry(), 300);
    Call->move(200, 110);
    Call->show();
    Gate.NoteVisible(Call, false, {}, 400);

    auto Expect = [&](qint64 T, bool Visible, bool Enabled, QRect Geometry) {
        SCOPED_TRACE(T);
        const TControlState S = Gate.StateAt(Call, T);
        EXPECT_EQ(S.Visible, Visible);
        EXPECT_EQ(S.Enabled, Enabled);
        if (Visible)
            EXPECT_EQ(S.Geometry, Geometry);
    };
    Expect(50, true, true, Home);
    Expect(150, true, false, Home);
    Expect(250, true, false, Home.translated(0, 50));
    Expect(350, false, false, {});
    Expect(450, true, false, Home.translated(0, 100));
    // A change at the very moment counts as made.
    Expect(100, true, false, Home);
}

TEST_F(InputGateTest, TheControlUnderThePointerIsTheOneThereThen)
{
    Sheet->show();
    Gate.NoteVisible(Sheet, false, {}, 500);
    EXPECT_EQ(Gate.ControlAt(&Window, At(Start), 400), Start);
    EXPECT_EQ(Gate.ControlAt(&Window, At(Start), 600), Sheet);
    EXPECT_EQ(Gate.ControlAt(&Window, QPoint(390, 290), 600), &Window);
    // A press made before the sheet came does not go to it, nor to Start under it.
    Gate.NoteHandler(300, 800);
    EXPECT_FALSE(Gate.MayPress(&Window, At(Start), Sheet, 400));
    EXPECT_TRUE(Gate.MayPress(&Window, At(Start), Sheet, 700));
}

TEST_F(InputGateTest, APressMadeDuringABusyHandlerActsOnlyIfItsControlCouldTakeItThen)
{
    // Like the deal: Start is disabled from 1000 to 2300, Call enabled at 2300.
    Call->setEnabled(false);
    Start->setEnabled(false);
    Gate.NoteEnabled(Start, true, 1000);
    Start->setEnabled(true);
    Gate.NoteEnabled(Start, false, 2300);
    Call->setEnabled(true);
    Gate.NoteEnabled(Call, false, 2300);
    Gate.NoteHandler(1000, 2300);

    EXPECT_FALSE(Gate.MayPress(&Window, At(Start), Start, 1300));  // the double click
    EXPECT_FALSE(Gate.MayPress(&Window, At(Call), Call, 1300));
    EXPECT_TRUE(Gate.MayPress(&Window, At(Start), Start, 990));   // made before it began
    EXPECT_TRUE(Gate.MayPress(&Window, At(Start), Start, 2300));  // made as it ended
    EXPECT_TRUE(Gate.MayPress(&Window, At(Call), Call, 2400));
    // Like the pause after a call: Start stayed usable all through.
    Call->setEnabled(false);
    Gate.NoteEnabled(Call, true, 3000);
    Gate.NoteHandler(3000, 3500);
    EXPECT_TRUE(Gate.MayPress(&Window, At(Start), Start, 3200));
    EXPECT_FALSE(Gate.MayPress(&Window, At(Call), Call, 3200));
}

TEST_F(InputGateTest, InputOlderThanTheRecordIsDropped)
{
    Gate.NoteHandler(1000, 2000);
    Gate.Prune(2000 + TInputGate::RecordMs);
    EXPECT_FALSE(Gate.MayPress(&Window, At(Start), Start, 1500));
    EXPECT_FALSE(Gate.MayAct(Start, 1500));
    EXPECT_TRUE(Gate.MayPress(&Window, At(Start), Start, 2000));
}

TEST_F(InputGateTest, TheRecordKeepsOnlyItsNewestChangesWhateverTheClockDoes)
{
    // A flood of moves a millisecond apart, more than the record holds, all within its time.
    constexpr auto Cap = TInputGate::MaxChanges;
    constexpr int Over = 500;
    for (int I = 0; I < int(Cap) + Over; ++I) {
        const QRect Was = Call->geometry();
        Call->move(I + 1, 60);
        Gate.NoteGeometry(Call, Was, 1000 + I);
    }
    Gate.NoteHandler(900, 1000 + Cap + Over);
    Gate.Prune(1000 + Cap + Over);
    EXPECT_EQ(Gate.Changes(), Cap);
    // The newest are all there: where Call lay at any moment they cover.
    EXPECT_EQ(Gate.StateAt(Call, 1000 + Over + 100).Geometry.topLeft(), QPoint(Over + 101, 60));
    EXPECT_TRUE(Gate.MayPress(&Window, QPoint(Over + 110, 70), Call, 1000 + Over + 100));
    // Before them nothing can be told any more: a press made then is dropped.
    EXPECT_FALSE(Gate.MayPress(&Window, QPoint(Over / 2 + 10, 70), Call, 1000 + Over / 2));
    EXPECT_FALSE(Gate.MayAct(Call, 1000 + Over / 2));

    // A clock that stands still (hands that take no time), then one that goes back.
    for (qint64 At : {qint64(5000), qint64(4000)}) {
        for (std::size_t I = 0; I < 2 * Cap; ++I)
            Gate.NoteEnabled(Start, true, At);
        Gate.Prune(At);
        EXPECT_EQ(Gate.Changes(), Cap) << At;
    }
}

TEST_F(InputGateTest, UntimedInputAfterABusyHandlerNeedsItsControlUsableThroughout)
{
    // A short handler is not busy: untimed input after it is taken as made when read.
    Gate.NoteHandler(0, TInputGate::BusyThresholdMs - 1);
    EXPECT_TRUE(Gate.MayPress(&Window, At(Start), Start, std::nullopt));

    // The deal: Start disabled at 1000 and enabled again at 2300.
    Start->setEnabled(false);
    Gate.NoteEnabled(Start, true, 1000);
    Start->setEnabled(true);
    Gate.NoteEnabled(Start, false, 2300);
    Gate.NoteHandler(1000, 2300);
    EXPECT_FALSE(Gate.MayPress(&Window, At(Start), Start, std::nullopt));
    EXPECT_FALSE(Gate.MayAct(Start, std::nullopt));
    EXPECT_TRUE(Gate.MayPress(&Window, At(Call), Call, std::nullopt));
    EXPECT_TRUE(Gate.MayAct(Call, std::nullopt));
    // Only until everything queued meanwhile has been read.
    Gate.NoteSettled();
    EXPECT_TRUE(Gate.MayPress(&Window, At(Start), Start, std::nullopt));
    EXPECT_TRUE(Gate.MayAct(Start, std::nullopt));
}

TEST_F(InputGateTest, KeysAndAccessibilityPressesNeedTheControlUsableNowToo)
{
    Gate.NoteHandler(1000, 1400);
    Call->setEnabled(false);
    Gate.NoteEnabled(Call, true, 1500);
    EXPECT_FALSE(Gate.MayAct(Call, 1200));  // usable then, not now
    EXPECT_FALSE(Gate.MayAct(Call, std::nullopt));
    Sheet->show();
    Gate.NoteVisible(Sheet, false, {}, 1300);
    EXPECT_FALSE(Gate.MayAct(Sheet, 1200));  // not shown yet when the key was pressed
    EXPECT_TRUE(Gate.MayAct(Sheet, 1600));
}
