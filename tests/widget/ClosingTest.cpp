// Closing the table in every state of a hand: the farewell comes first, then the window
// goes and every card it made is freed exactly once, whatever the farewell's answer. A
// close request that comes while a game message box is open waits for the answer.

#include <QPointer>
#include <QTest>
#include <functional>

#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"

namespace {

}

class ClosingTest : public TTableTest
{
protected:
    void NewWindow()
    {
        ShowNewWindow();
        Messages.clear();
    }

    void CallAndTickToPhase(int Phase)
    {
        Deal(NobodyFolds);
        emit Control(CallButton)->Clicked();
        TickWhile([&] { return Game().Mover() != Phase; });
        Tick();  // a token on its way
    }

    // Closes the window as the window system asks, then destroys it; every card freed once.
    void CloseAndDestroy(const char* State, bool LetRequestsSettle = false)
    {
        SCOPED_TRACE(State);
        const int AliveBefore = CardsAlive, DestroyedBefore = CardsDestroyed;
        Messages.clear();
        EXPECT_TRUE(Window->close());
        // A request that had to wait gets its turn a moment later; the closed window ignores it.
        if (LetRequestsSettle)
            QTest::qWait(300);
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_TRUE(IsFarewell(Messages[0].Text));
        EXPECT_EQ(Messages[0].Buttons, TMsgButtons::YesNo);
        EXPECT_FALSE(Window->isVisible());
        QPointer<TTableWindow> Closed(Window.get());
        Window.reset();
        EXPECT_TRUE(Closed.isNull());
        EXPECT_EQ(CardsAlive, 0);
        EXPECT_EQ(CardsDestroyed - DestroyedBefore, AliveBefore);
    }
};

TEST_F(ClosingTest, EveryStateSaysFarewellAndFreesTheCards)
{
    const std::pair<const char*, std::function<void()>> States[] = {
        {"idle", [] {}},
        {"user's turn", [&] { Deal(NobodyFolds); }},
        {"user's token travelling", [&] { CallAndTickToPhase(1); }},
        {"Jack's token travelling", [&] { CallAndTickToPhase(2); }},
        {"Jim's token travelling", [&] { CallAndTickToPhase(3); }},
        {"Kate's token travelling", [&] { CallAndTickToPhase(4); }},
        {"user folded, rounds running", [&] { Deal(NobodyFolds); emit Control(FoldButton)->Clicked(); Tick(3); }},
        {"user's second turn", [&] { Deal(NobodyFolds); emit Control(CallButton)->Clicked(); TickUntilIdle(); }},
        {"betting closed", [&] { PlayCalling(NobodyFolds); }},
        {"result shown", [&] { PlayCalling(NobodyFolds); emit Control(FlipButton)->Clicked(); }},
        {"folded hands spread", [&] { PlayCalling(AllComputersFold); emit Control(FlipAllButton)->Clicked(); }},
        {"rules chart shown", [&] { Deal(NobodyFolds); emit Control(RulesButton)->Clicked(); }},
        {"rules chart before any hand", [&] { emit Control(RulesButton)->Clicked(); }},
    };
    for (const auto& [Name, Reach] : States) {
        NewWindow();
        Answer = Answer == QMessageBox::Yes ? QMessageBox::No : QMessageBox::Yes;  // farewell whatever the answer
        Reach();
        if (std::string(Name).find("travelling") != std::string::npos || std::string(Name).find("running") != std::string::npos)
            EXPECT_TRUE(Timer()->Enabled() && Game().Mover() != 0) << Name;
        CloseAndDestroy(Name);
        if (HasFatalFailure())
            return;
    }
}

TEST_F(ClosingTest, TicksWhileTheFarewellIsOpenDoNoHarm)
{
    // The farewell's own loop still delivers the running timer's ticks.
    CallAndTickToPhase(2);
    int TicksInBox = 0;
    Answering = [&](const TMessageRecord& Record) {
        Messages.push_back(Record);
        for (int I = 0; I < 40 && Timer()->Enabled(); ++I, ++TicksInBox)
            Tick();
        return int(QMessageBox::No);
    };
    CloseAndDestroy("ticks during the farewell");
    EXPECT_GT(TicksInBox, 9);
}

TEST_F(ClosingTest, AskingAgainDuringTheFarewellShowsItOnce)
{
    Deal(NobodyFolds);
    Answering = [&](const TMessageRecord& Record) {
        Messages.push_back(Record);
        Window->close();
        return int(QMessageBox::Yes);
    };
    CloseAndDestroy("a second request inside the farewell", true);
}

TEST_F(ClosingTest, CloseWaitsForTheGameOverBox)
{
    // Jack ends at 5 chips: Flip announces the game over while the close request waits.
    StartChips[Jack] = 10;
    NewWindow();
    PlayCalling(AllComputersFold);
    int Requests = 0;
    bool ShownInsideBox = true;
    Answering = [&](const TMessageRecord& Record) {
        Messages.push_back(Record);
        if (!IsFarewell(Record.Text)) {
            // Asked twice while the box is open: still one farewell, and only afterwards.
            for (int I = 0; I < 2; ++I, ++Requests)
                Window->close();
            ShownInsideBox = ShownInsideBox && Window->isVisible() && Window->isWindow();
        }
        return int(QMessageBox::No);
    };
    const int Alive = CardsAlive, Destroyed = CardsDestroyed;
    emit Control(FlipButton)->Clicked();
    EXPECT_EQ(Requests, 2);
    EXPECT_TRUE(ShownInsideBox);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].Text.startsWith("Game over!"));
    EXPECT_EQ(Game().Chips(Jack), 1000);  // the handler ran to its end before the window went
    QTRY_VERIFY_WITH_TIMEOUT(!Window->isVisible(), 5000);
    // Both waiting requests have had their turn; the farewell came once.
    QTest::qWait(300);
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_TRUE(IsFarewell(Messages[1].Text));
    Window.reset();
    EXPECT_EQ(CardsAlive, 0);
    EXPECT_EQ(CardsDestroyed - Destroyed, Alive);
}

TEST_F(ClosingTest, ACloseRequestInTheMiddleOfAMoveWaitsUntilItIsOver)
{
    // As Qt's Wayland plugin closes the window while a repaint waits: in the deal's pauses,
    // and in the pause after a call.
    for (const bool InTheDeal : {true, false}) {
        SCOPED_TRACE(InTheDeal ? "the deal" : "the pause after a call");
        NewWindow();
        if (!InTheDeal)
            Deal(NobodyFolds);
        int Requests = 0;
        Pausing = [&](int) {
            if (Requests++ < 2)
                EXPECT_FALSE(Window->close());
            EXPECT_TRUE(Messages.empty()) << "the farewell came mid-move";
        };
        if (InTheDeal)
            Deal(NobodyFolds);
        else
            emit Control(CallButton)->Clicked();
        EXPECT_TRUE(Messages.empty());
        EXPECT_TRUE(Window->isVisible());
        EXPECT_EQ(Game().Mover(), InTheDeal ? 0 : User) << "the move ran to its end";
        QTRY_VERIFY_WITH_TIMEOUT(!Window->isVisible(), 5000);
        ASSERT_EQ(Messages.size(), 1u) << "one farewell for both requests";
        EXPECT_TRUE(IsFarewell(Messages[0].Text));
        Pausing = [](int) {};
    }
}
