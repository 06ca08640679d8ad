// Clicks made while the deal or a pause keeps the table busy, as the window system hands
// them over afterwards: with their own times, through the table window, on a clock that
// the sleeps advance.
#include <QMouseEvent>
#include <QWindow>
#include <optional>

#include "desktop/Application.h"
#include "desktop/Image.h"
#include "desktop/Panel.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/WindowClocks.h"

namespace {
class StaleInputTest : public TTableTest, public ::testing::WithParamInterface<TWindowClock>
{
protected:
    void SetUp() override
    {
        TTableTest::SetUp();
        Gate.emplace(Now, Sleeps, Pausing, Form.get(), GetParam().Ahead);
    }
    void TearDown() override
    {
        Gate.reset();
        TTableTest::TearDown();
    }

    // An event of the left button on Control, made at MadeAt; read now, or at MadeAt if
    // that is later (nothing kept the thread busy meanwhile). Without Stamp, it carries no time.
    void Send(QEvent::Type Type, QWidget* Control, qint64 MadeAt, bool Stamp = true)
    {
        Now = std::max(Now, MadeAt);
        const QPointF At = Control->mapTo(Form.get(), QPointF(Control->width() / 2.0, Control->height() / 2.0));
        const bool Down = Type == QEvent::MouseButtonPress;
        QMouseEvent Event(Type, At, Form->mapToGlobal(At), Qt::LeftButton,
                          Down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        Event.setTimestamp(Stamp ? quint32(MadeAt + GetParam().Ahead) : 0);
        QCoreApplication::sendEvent(Form->windowHandle(), &Event);
    }
    // A click: the button goes down at MadeAt and up 80 ms later.
    void ClickAt(QWidget* Control, qint64 MadeAt, bool Stamp = true)
    {
        Send(QEvent::MouseButtonPress, Control, MadeAt, Stamp);
        Send(QEvent::MouseButtonRelease, Control, MadeAt + 80, Stamp);
    }
    int Deals() const { return int(std::count(Sleeps.begin(), Sleeps.end(), 100)) / 12; }

    std::optional<TGateOnFakeClock> Gate;
    qint64 Now = 1000;
};
}

TEST_P(StaleInputTest, ADoubleClickOnStartDealsOnce)
{
    const qint64 T0 = Now;
    ClickAt(Form->StartButton, T0);
    ASSERT_GT(Now, T0 + 1000);  // the deal kept the thread busy
    ClickAt(Form->StartButton, T0 + 300);
    EXPECT_EQ(Deals(), 1);
    EXPECT_EQ(Game().Money[1], 995);
    EXPECT_EQ(Game().TotalBets[1], 5);
    EXPECT_TRUE(Form->CallButton->isEnabled());
    // The gate swallowed only that click: the next one deals.
    ClickAt(Form->StartButton, Now);
    EXPECT_EQ(Deals(), 2);
    EXPECT_EQ(Game().Money[1], 990);
}

TEST_P(StaleInputTest, ACallClickedDuringTheDealComesToNothing)
{
    const qint64 T0 = Now;
    ClickAt(Form->StartButton, T0);
    ClickAt(Form->CallButton, T0 + 300);
    EXPECT_EQ(Game().TotalBets[1], 5);
    EXPECT_EQ(Game().TurnPhase, 0);
    EXPECT_TRUE(Form->CallButton->isEnabled());
    EXPECT_TRUE(Form->FoldButton->isEnabled());
    EXPECT_EQ(std::count(Sleeps.begin(), Sleeps.end(), 500), 0);
}

TEST_P(StaleInputTest, StartClickedDuringTheCallsPauseBeginsANewHandAfterIt)
{
    ClickAt(Form->StartButton, Now);
    const qint64 Called = Now;
    ClickAt(Form->CallButton, Called);
    ASSERT_EQ(Game().Money[1], 975);
    ASSERT_GE(Now, Called + 500);
    ClickAt(Form->StartButton, Called + 200);  // Start stays usable through the pause
    EXPECT_EQ(Deals(), 2);
    EXPECT_EQ(Game().Money[1], 970);
    EXPECT_EQ(Game().TotalBets[1], 5);
    EXPECT_TRUE(Form->CallButton->isEnabled());
}

TEST_P(StaleInputTest, StartClickedDuringFoldedJimsPauseBeginsANewHandAfterIt)
{
    // Jim folds at once; his step then pauses 1000 ms on a tick.
    StackDeck(THands{{"7S", "7D", "7C"}, {"2S", "2D", "3C"}, {"JH", "9S", "8D"}, {"9H", "9C", "KD"}});
    ClickAt(Form->StartButton, Now);
    ClickAt(Form->CallButton, Now);
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
            Window->BettingTick();
            return true;
        }
    } Ticker;
    Ticker.Window = Form.get();
    for (int I = 0; I < 500 && JimPausedAt < 0; ++I) {
        QEvent Tick(QEvent::User);
        QCoreApplication::sendEvent(&Ticker, &Tick);
        Now += 50;
    }
    ASSERT_GE(JimPausedAt, 0);
    ClickAt(Form->StartButton, JimPausedAt + 300);
    EXPECT_EQ(Deals(), 2);
    EXPECT_EQ(Game().TotalBets[1], 5);
    EXPECT_FALSE(Game().Folded[3]);
}

TEST_P(StaleInputTest, RulesClickedDuringTheDealShowTheChartAfterIt)
{
    const qint64 T0 = Now;
    ClickAt(Form->StartButton, T0);
    ASSERT_FALSE(Form->RulesChart->isVisible());
    ClickAt(Form->RulesButton, T0 + 300);
    EXPECT_TRUE(Form->RulesChart->isVisible());
    EXPECT_EQ(Deals(), 1);
}

TEST_P(StaleInputTest, UntimedClicksRightAfterTheDealCountAsMadeDuringIt)
{
    ClickAt(Form->StartButton, Now);
    ClickAt(Form->StartButton, Now, false);  // dropped: Start was disabled during the deal
    ClickAt(Form->RulesButton, Now, false);  // Rules was usable all along
    EXPECT_EQ(Deals(), 1);
    EXPECT_TRUE(Form->RulesChart->isVisible());
    // Once the queue has been read, an untimed click counts as made when read.
    Gate->App->SettleInput();
    ClickAt(Form->StartButton, Now, false);
    EXPECT_EQ(Deals(), 2);
}

TEST_P(StaleInputTest, KeysAndAccessibilityPressesAreJudgedLikeClicks)
{
    const qint64 T0 = Now;
    ClickAt(Form->StartButton, T0);
    const quint32 During = quint32(T0 + 300 + GetParam().Ahead);
    EXPECT_FALSE(InputMayAct(Form->StartButton, During));
    EXPECT_FALSE(InputMayAct(Form->CallButton, During));
    EXPECT_TRUE(InputMayAct(Form->RulesButton, During));
    EXPECT_FALSE(InputMayAct(Form->StartButton, 0));
    EXPECT_TRUE(InputMayAct(Form->RulesButton, 0));
    EXPECT_TRUE(InputMayAct(Form->StartButton, quint32(Now + GetParam().Ahead)));
    EXPECT_FALSE(InputMayAct(Form->FlipButton, quint32(Now + GetParam().Ahead)));  // Flip: disabled now
}

INSTANTIATE_TEST_SUITE_P(BothClocks, StaleInputTest,
                         ::testing::Values(XServerClock, CompositorClock),
                         ::testing::PrintToStringParamName());
