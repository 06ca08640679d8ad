// The input gate, in one place: first its own bookkeeping (the window system's clock
// against ours, the record of what each control was when, and its rules), then on a
// window: input made while a handler kept the thread busy, as the window system hands it
// over afterwards, with its own time, on a clock that the sleeps advance; on bare
// controls, then on the table: clicks, keys and a reader's presses.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>
#include <QWidget>
#include <QWindow>
#include <optional>

#include "desktop/Image.h"
#include "desktop/InputGate.h"
#include "desktop/InputGuard.h"
#include "desktop/Panel.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/PanelTest.h"
#include "support/TableFixture.h"
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

namespace {
class InputGateWindowTest : public TTableTest, public ::testing::WithParamInterface<TWindowClock>
{
protected:
    void SetUp() override
    {
        GateClock = [this] { return Now; };
        TTableTest::SetUp();
        PauseOnFakeClock(Now, Sleeps, Pausing, Window.get(), GetParam().Ahead);
    }

    // An event of the left button on Control, made at MadeAt; read now, or at MadeAt if
    // that is later (nothing kept the thread busy meanwhile). Without Stamp, it carries no time.
    void Send(QEvent::Type Type, QWidget* Control, qint64 MadeAt, bool Stamp = true)
    {
        Now = std::max(Now, MadeAt);
        const QPointF At = Control->mapTo(Window.get(), QPointF(Control->width() / 2.0, Control->height() / 2.0));
        const bool Down = Type == QEvent::MouseButtonPress;
        QMouseEvent Event(Type, At, Window->mapToGlobal(At), Qt::LeftButton,
                          Down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        Event.setTimestamp(Stamp ? quint32(MadeAt + GetParam().Ahead) : 0);
        QCoreApplication::sendEvent(Window->windowHandle(), &Event);
    }
    // A click: the button goes down at MadeAt and up 80 ms later.
    void ClickAt(QWidget* Control, qint64 MadeAt, bool Stamp = true)
    {
        Send(QEvent::MouseButtonPress, Control, MadeAt, Stamp);
        Send(QEvent::MouseButtonRelease, Control, MadeAt + 80, Stamp);
    }
    // Space goes down at MadeAt and up 80 ms later, read now (or then, if later).
    void SpaceAt(qint64 MadeAt)
    {
        for (QEvent::Type Type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            Now = std::max(Now, MadeAt);
            QKeyEvent Event(Type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            Event.setTimestamp(quint32(MadeAt + GetParam().Ahead));
            QCoreApplication::sendEvent(Window->windowHandle(), &Event);
            MadeAt += 80;
        }
    }
    // A screen reader's Press or focus grab on Control; it comes round with the event loop.
    static void Ask(QWidget* Control, const QString& Action)
    {
        QAccessibleInterface* I = QAccessible::queryAccessibleInterface(Control);
        ASSERT_TRUE(I && I->actionInterface());
        ASSERT_TRUE(I->actionInterface()->actionNames().contains(Action));
        I->actionInterface()->doAction(Action);
    }
    static void Press(QWidget* Control) { Ask(Control, QAccessibleActionInterface::pressAction()); }
    static void Grab(QWidget* Control) { Ask(Control, QAccessibleActionInterface::setFocusAction()); }
    // The loop comes round twice: once to judge the request, once to run the press.
    static void Flush()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    }
    void ActivateTable()
    {
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
    int Deals() const { return int(std::count(Sleeps.begin(), Sleeps.end(), 100)) / 12; }

    qint64 Now = 1000;
};
}

// A button that logs its mouse events, and a control whose click keeps the thread busy
// with the button disabled meanwhile, as the test's click handler says.
class InputGateOnControlsTest : public TPanelTest
{
protected:
    void SetUp() override
    {
        TPanelTest::SetUp();
        new TInputGuard(Panel.get(), [this] { return Now; });
        Button = LoggingControl(Log);
        Busy = PlainControl(100);
    }
    // The gate's clock reads this fixture: the panel closes, through the gate, before it goes.
    void TearDown() override { Panel.reset(); }

    qint64 Now = 0;
    QString Log;
    TImage *Button = nullptr, *Busy = nullptr;
};

TEST_F(InputGateOnControlsTest, UntimedInputCountsAsMadeDuringABusyHandlerUntilTheQueueIsRead)
{
    QObject::connect(Busy, &TImage::Clicked, [&] {
        Button->setEnabled(false);
        Now += 1000;
        Button->setEnabled(true);
    });
    Mouse(QTest::MouseClick, Busy, Qt::LeftButton);
    EXPECT_FALSE(InputMayAct(Button, 0));
    EXPECT_TRUE(InputMayAct(Busy, 0));
    // The event loop goes through what was queued, then the gate takes untimed input as new.
    for (int I = 0; I < 20 && !InputMayAct(Button, 0); ++I)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_TRUE(InputMayAct(Button, 0));
}

TEST_F(InputGateOnControlsTest, InputMadeWhileAHandlerWasBusyIsJudgedByItsControlThen)
{
    // Sent straight to the control, stamped with its moment on a clock 100 s ahead of ours.
    auto Send = [&](QWidget* Control, QEvent::Type Type, qint64 MadeAt) {
        QMouseEvent Event(Type, QPointF(5, 5), Control->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        Event.setTimestamp(quint64(MadeAt + 100000));
        QApplication::sendEvent(Control, &Event);
    };
    auto Click = [&](QWidget* Control, qint64 MadeAt) {
        Send(Control, QEvent::MouseButtonPress, MadeAt);
        Send(Control, QEvent::MouseButtonRelease, MadeAt);
    };

    // Like the deal: the button is disabled, then the thread sleeps with a repaint (a
    // nested dispatch) in between, and the button comes back.
    QObject::connect(Busy, &TImage::Clicked, [&] {
        Button->setEnabled(false);
        Now += 300;
        Busy->Repaint();
        Now += 300;
        Button->setEnabled(true);
    });
    // Like the pause after a call: the button stays usable.
    TImage* Pause = PlainControl(150);
    QObject::connect(Pause, &TImage::Clicked, [&] { Now += 500; });

    Click(Button, Now);  // delivered at once: sets the clocks' offset
    EXPECT_EQ(Log, "dcu");
    const qint64 BusyAt = Now;
    Click(Busy, BusyAt);
    Log.clear();
    Click(Button, BusyAt + 200);  // made during the busy click, read only now
    EXPECT_EQ(Log, "");
    Click(Button, Now);
    EXPECT_EQ(Log, "dcu");

    const qint64 PauseAt = ++Now;
    Click(Pause, PauseAt);
    Log.clear();
    Click(Button, PauseAt + 200);
    EXPECT_EQ(Log, "dcu");

    // A slow press does not swallow its own release: the click completes.
    QObject::connect(Button, &TImage::MouseDown, [&] { Now += 400; });
    Log.clear();
    const qint64 PressedAt = ++Now;
    Send(Button, QEvent::MouseButtonPress, PressedAt);
    Send(Button, QEvent::MouseButtonRelease, PressedAt + 5);
    EXPECT_EQ(Log, "dcu");
}

TEST_P(InputGateWindowTest, ADoubleClickOnStartDealsOnce)
{
    const qint64 T0 = Now;
    ClickAt(Control(StartButton), T0);
    ASSERT_GT(Now, T0 + 1000);  // the deal kept the thread busy
    ClickAt(Control(StartButton), T0 + 300);
    EXPECT_EQ(Deals(), 1);
    EXPECT_EQ(Game().Chips(1), 995);
    EXPECT_EQ(Game().Bets(1), 5);
    EXPECT_TRUE(Control(CallButton)->isEnabled());
    // The gate swallowed only that click: the next one deals.
    ClickAt(Control(StartButton), Now);
    EXPECT_EQ(Deals(), 2);
    EXPECT_EQ(Game().Chips(1), 990);
}

TEST_P(InputGateWindowTest, ACallClickedDuringTheDealComesToNothing)
{
    const qint64 T0 = Now;
    ClickAt(Control(StartButton), T0);
    ClickAt(Control(CallButton), T0 + 300);
    EXPECT_EQ(Game().Bets(1), 5);
    EXPECT_EQ(Game().Mover(), 0);
    EXPECT_TRUE(Control(CallButton)->isEnabled());
    EXPECT_TRUE(Control(FoldButton)->isEnabled());
    EXPECT_EQ(std::count(Sleeps.begin(), Sleeps.end(), 500), 0);
    // Nor does the pointer left on Call bring up its tooltip when Qt's delay is over: the
    // dropped click put it to sleep, as a delivered one does, until the pointer moves.
    const QPoint On = Control(CallButton)->rect().center();
    QHelpEvent Rested(QEvent::ToolTip, On, Control(CallButton)->mapToGlobal(On));
    QCoreApplication::sendEvent(Control(CallButton), &Rested);
    EXPECT_FALSE(QToolTip::isVisible());
    QTest::mouseMove(Window->windowHandle(), Control(CallButton)->mapTo(Window.get(), On));
    QCoreApplication::sendEvent(Control(CallButton), &Rested);
    EXPECT_TRUE(QToolTip::isVisible() && QToolTip::text().contains(QString::number(Game().CallCost())));
}

TEST_P(InputGateWindowTest, StartClickedDuringTheCallsPauseBeginsANewHandAfterIt)
{
    ClickAt(Control(StartButton), Now);
    const qint64 Called = Now;
    ClickAt(Control(CallButton), Called);
    ASSERT_EQ(Game().Chips(1), 975);
    ASSERT_GE(Now, Called + 500);
    ClickAt(Control(StartButton), Called + 200);  // Start stays usable through the pause
    EXPECT_EQ(Deals(), 2);
    EXPECT_EQ(Game().Chips(1), 970);
    EXPECT_EQ(Game().Bets(1), 5);
    EXPECT_TRUE(Control(CallButton)->isEnabled());
}

TEST_P(InputGateWindowTest, StartClickedDuringFoldedJimsPauseBeginsANewHandAfterIt)
{
    // Jim folds at once; his step then pauses 1000 ms on a tick.
    StackDeck(JimFolds);
    ClickAt(Control(StartButton), Now);
    ClickAt(Control(CallButton), Now);
    qint64 JimPausedAt = -1;
    Pausing = [&](int Ms) {
        if (Ms == 1000)
            JimPausedAt = Now;
        Sleeps.push_back(Ms);
        Now += Ms;
    };
    // Ticks come from the event loop like clicks: each is a dispatch of its own.
    struct TTicker : QObject
    {
        TTableWindow* Window;
        bool event(QEvent* Event) override
        {
            if (Event->type() != QEvent::User)
                return QObject::event(Event);
            emit Window->findChild<TTimer*>(QStringLiteral("BettingTimer"))->Timeout();
            return true;
        }
    } Ticker;
    Ticker.Window = Window.get();
    for (int I = 0; I < 500 && JimPausedAt < 0; ++I) {
        QEvent Tick(QEvent::User);
        QCoreApplication::sendEvent(&Ticker, &Tick);
        Now += 50;
    }
    ASSERT_GE(JimPausedAt, 0);
    ClickAt(Control(StartButton), JimPausedAt + 300);
    EXPECT_EQ(Deals(), 2);
    EXPECT_EQ(Game().Bets(1), 5);
    EXPECT_FALSE(Game().Folded(3));
}

TEST_P(InputGateWindowTest, RulesClickedDuringTheDealShowTheChartAfterIt)
{
    const qint64 T0 = Now;
    ClickAt(Control(StartButton), T0);
    ASSERT_FALSE(Window->Control(TTablePart::Chart)->isVisible());
    ClickAt(Control(RulesButton), T0 + 300);
    EXPECT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
    EXPECT_EQ(Deals(), 1);
}

TEST_P(InputGateWindowTest, UntimedClicksRightAfterTheDealCountAsMadeDuringIt)
{
    ClickAt(Control(StartButton), Now);
    ClickAt(Control(StartButton), Now, false);  // dropped: Start was disabled during the deal
    ClickAt(Control(RulesButton), Now, false);  // Rules was usable all along
    EXPECT_EQ(Deals(), 1);
    EXPECT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
    // Once the queue has been read, an untimed click counts as made when read.
    TInputGuard::Of(Window.get())->Settle();
    ClickAt(Control(StartButton), Now, false);
    EXPECT_EQ(Deals(), 2);
}

TEST_P(InputGateWindowTest, KeysAndAccessibilityPressesAreJudgedLikeClicks)
{
    const qint64 T0 = Now;
    ClickAt(Control(StartButton), T0);
    const quint32 During = quint32(T0 + 300 + GetParam().Ahead);
    EXPECT_FALSE(InputMayAct(Control(StartButton), During));
    EXPECT_FALSE(InputMayAct(Control(CallButton), During));
    EXPECT_TRUE(InputMayAct(Control(RulesButton), During));
    EXPECT_FALSE(InputMayAct(Control(StartButton), 0));
    EXPECT_TRUE(InputMayAct(Control(RulesButton), 0));
    EXPECT_TRUE(InputMayAct(Control(StartButton), quint32(Now + GetParam().Ahead)));
    EXPECT_FALSE(InputMayAct(Control(FlipButton), quint32(Now + GetParam().Ahead)));  // Flip: disabled now
}

TEST_P(InputGateWindowTest, KeysAndPressesMadeDuringTheDealAreJudgedByWhatTheyAimedAt)
{
    ActivateTable();
    ASSERT_TRUE(Control(StartButton)->hasFocus());
    const qint64 T0 = Now;
    StackDeck(NobodyFolds);
    SpaceAt(T0);
    Draws.Script = {};
    ASSERT_GT(Now, T0 + 1000) << "the deal kept the thread busy";
    ASSERT_TRUE(Control(CallButton)->hasFocus());

    // Read before the event loop has caught up: untimed, so taken as made during the deal.
    Press(Control(StartButton));  // Start was disabled through the deal: dropped
    Press(Control(RulesButton));  // Rules was usable all along: acts
    Flush();
    EXPECT_EQ(Game().Chips(User), 995) << "a press sent during the deal never deals again";
    EXPECT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
    // Space on Call made during the deal, read after it: dropped with its release.
    SpaceAt(T0 + 300);
    EXPECT_EQ(Game().Mover(), 0);
    EXPECT_TRUE(Control(CallButton)->isEnabled());
    // Once the loop has read its queue, the same keys act.
    TInputGuard::Of(Window.get())->Settle();
    SpaceAt(Now);
    EXPECT_EQ(Game().Mover(), 1);
    EXPECT_EQ(Game().Chips(User), 975);
}

TEST_P(InputGateWindowTest, PressesAndFocusGrabsAnsweredDuringAPauseActOnlyAfterTheMoveAsMadeDuringIt)
{
    ActivateTable();
    StackDeck(NobodyFolds);
    SpaceAt(Now);
    Draws.Script = {};
    TInputGuard::Of(Window.get())->Settle();
    ASSERT_TRUE(Control(CallButton)->hasFocus());
    // The reader's requests come in while the call's pause goes on answering it.
    bool Asked = false;
    Pausing = [&](int Ms) {
        Sleeps.push_back(Ms);
        Now += Ms;
        if (Asked)
            return;
        Asked = true;
        QWidget* Focus = QApplication::focusWidget();
        Grab(Control(RulesButton));  // usable all along: acts, after the move
        Press(Control(FoldButton));  // disabled by the call: never acts
        EXPECT_EQ(QApplication::focusWidget(), Focus) << "a focus grab acted mid-move";
    };
    SpaceAt(Now);
    ASSERT_TRUE(Asked);
    EXPECT_FALSE(Control(RulesButton)->hasFocus());
    Flush();
    EXPECT_TRUE(Control(RulesButton)->hasFocus());
    EXPECT_FALSE(Game().Folded(User)) << "a press on Fold made while the call disabled it";
    EXPECT_EQ(Game().Chips(User), 975);
}

INSTANTIATE_TEST_SUITE_P(BothClocks, InputGateWindowTest,
                         ::testing::Values(XServerClock, CompositorClock),
                         ::testing::PrintToStringParamName());
