#include "support/TableFixture.h"

#include <QTest>
#include <fstream>
#include <stdexcept>

#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Panel.h"
#include "desktop/ScreenCursor.h"
#include "game/Table.h"
#include "table/TableAccess.h"
#include "table/TableTooltips.h"
#include "table/TableTrace.h"

const std::array<TButtonSeen, 6>& ButtonsSeen()
{
    static const std::array<TButtonSeen, 6> List = [] {
        std::array<TButtonSeen, 6> Out;
        std::ifstream In(ORVANTA_TEST_SUPPORT_DIR "/buttons.tsv");
        size_t N = 0;
        for (std::string Line; std::getline(In, Line);)
            if (const size_t Tab = Line.find('\t'); Line[0] != '#' && Tab != std::string::npos && N++ < Out.size())
                Out[N - 1] = {Line.substr(0, Tab), Line.substr(Tab + 1)};
        return N == Out.size() ? Out : throw std::runtime_error("buttons.tsv: not six lines of caption, tab, meaning");
    }();
    return List;
}

TTableSeams TTableTest::Seams()
{
    TTableSeams Out;
    Out.Pause = [this](int Ms) { Pausing(Ms); };
    Out.Draw = Draws.Draw();
    Out.MessageBoxes = [this](const TMessageRecord& Record) { return Answering(Record); };
    Out.TimerClock = TTimerClock::Held;
    Out.StartChips = StartChips;
    Out.GateClock = GateClock;
    return Out;
}

TTableDriver::TWays TTableTest::PaintedWays(TTableTest* Test, std::function<void(QWidget*)> Press)
{
    TWays Ways = WindowWays([Test]() -> TTableWindow& { return *Test->Window; }, std::move(Press));
    Ways.Play = [Test, Play = Ways.Play](TMove Move) {
        // Each tick comes from the event loop, which has painted what the one before changed.
        if (Move == &TTable::BettingTick)
            QCoreApplication::sendPostedEvents(Test->Window.get(), QEvent::UpdateRequest);
        Play(Move);
    };
    return Ways;
}

void TTableTest::SetUp()
{
    Pausing = [this](int Ms) { Sleeps.push_back(Ms); };
    Answering = [this](const TMessageRecord& Record) {
        Messages.push_back(Record);
        return Answer;
    };
    ShowNewWindow();
}

void TTableTest::ShowNewWindow()
{
    Window.reset();
    Window = std::make_unique<TTableWindow>(Seams());
    InstallTableAccess(Window.get());
    InstallTableTrace(Window->Game());
    InstallTableTooltips(*Window);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
}

void TTableTest::TearDown()
{
    Window.reset();
    SetScreenCursor(crDefault);
}

QList<QWidget*> TTableTest::Stacking(QWidget* Parent)
{
    // The panel's resting spot for the focus has no size and is no control.
    const auto* Panel = qobject_cast<TPanel*>(Parent);
    QList<QWidget*> Out;
    for (QObject* Child : Parent->children())
        if (auto* W = qobject_cast<QWidget*>(Child); W && !(Panel && W == Panel->FocusRest()))
            Out.push_back(W);
    return Out;
}

void TTableTest::Click(QWidget* Control, Qt::MouseButton Button)
{
    QTest::mouseClick(Control, Button, Qt::NoModifier, QPoint(Control->width() / 2, Control->height() / 2));
}

QImage TTableTest::GrabPanel() const { return Window->Panel()->grab().toImage(); }

QRgb TTableTest::PanelPixel(int X, int Y) const
{
    return Window->Panel()->grab(QRect(X, Y, 1, 1)).toImage().pixel(0, 0) & 0xFFFFFF;
}

bool TTableTest::ChipsBalance() const { return ::ChipsBalance(Game()); }

int TTableTest::SleptMs() const
{
    int Sum = 0;
    for (int Ms : Sleeps)
        Sum += Ms;
    return Sum;
}
