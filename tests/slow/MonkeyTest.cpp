// Seeded streams of random input through the real handlers: clicks with every mouse
// button on every control (disabled and hidden ones too), timer ticks while the timer
// runs, close requests and random answers to the message boxes. After each event the
// table must still keep its rules. A failure names the seed and the event to replay.
//
// ORVANTA_MONKEY_EVENTS and ORVANTA_MONKEY_SEEDS scale the run (see tests/slow/README.md).

#include <QPointer>
#include <QTest>
#include <cstdlib>
#include <numeric>
#include <random>
#include <sstream>

#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"

namespace {
// Deals that random shuffles rarely give: two equal best hands, and a table where
// every computer player folds at once (a tie of four zeros when the user folds too).
const THands Stacked[] = {
    JackAndKateTie,
    AllComputersFold,
    {{"AS", "AD", "AC"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"KH", "KD", "2C"}},
};


// What the table held before an event, to judge what the event did.
struct TSnapshot
{
    int Money[5], MoneyBefore[5];
    double Scores[5];
    bool FlipOn, FlipAllOn;
    long Made;  // card controls made so far

    static TSnapshot Take(const TTableWindow& Window)
    {
        TSnapshot S{};
        for (int P = 1; P <= 4; ++P) {
            S.Money[P] = Window.Game().Chips(P);
            S.MoneyBefore[P] = Window.Game().ChipsBefore(P);
            S.Scores[P] = Window.Game().Score(P);
        }
        S.FlipOn = Window.Control(TTablePart::Flip)->isEnabled();
        S.FlipAllOn = Window.Control(TTablePart::FlipAll)->isEnabled();
        S.Made = CardsAlive + CardsDestroyed;
        return S;
    }
};
}

class MonkeyTest : public TTableTest
{
protected:
    void SetUp() override
    {
        TTableTest::SetUp();
        // Bounded bookkeeping: a long run must not grow the test's own memory.
        Pausing = [](int) {};
        Answering = [this](const TMessageRecord& Record) { return OnMessage(Record); };
        RandomDeals();
    }

    void RandomDeals()
    {
        Draws.Script = [this](int N) { return std::uniform_int_distribution<int>(0, N - 1)(Shuffler); };
    }

    // Runs Events random events from Seed; stops at the first broken rule.
    void Run(std::uint64_t Seed, long Events)
    {
        Rng.seed(Seed);
        Shuffler.seed(Seed ^ 0x9e3779b97f4a7c15ULL);
        NewWindow();
        if (HasFatalFailure())
            return;
        for (long I = 0; I < Events; ++I) {
            Event = I;
            Step();
            const std::string Broken = Check();
            ASSERT_TRUE(Broken.empty()) << "seed " << Seed << ", event " << I << " (" << Last << "): " << Broken;
            if (HasFatalFailure())
                return;
        }
    }

    long Hands = 0, Settlements = 0, Ties = 0, GameOvers = 0, Closes = 0, Ticks = 0;

private:
    std::mt19937_64 Rng, Shuffler;
    long Event = 0;
    std::string Last;

    // The hand as the events so far have taken it.
    bool HandDealt = false;  // a hand was started in this window
    bool Closed = false;     // its betting has closed
    bool Settled = false;    // Flip or Flip all has run on it
    TSnapshot Before{};

    // What the message boxes of the current event saw.
    std::vector<QString> Boxes;
    bool BoxWithTimer = false;
    bool CloseRequestedInBox = false;
    bool WindowGoneUnderBox = false;

    // A button held down between events.
    QPointer<QWidget> HeldOn;
    Qt::MouseButton HeldButton = Qt::NoButton;
    bool HeldMayStart = false;

    int Pick(int N) { return std::uniform_int_distribution<int>(0, N - 1)(Rng); }
    bool Chance(int Percent) { return Pick(100) < Percent; }

    int OnMessage(const TMessageRecord& Record)
    {
        Boxes.push_back(Record.Text);
        if (IsFarewell(Record.Text)) {
            // The timer still ticks in the box's own loop, and the user may ask again.
            for (int I = Pick(3); I > 0 && Timer()->Enabled(); --I) {
                emit Timer()->Timeout();
                ++Ticks;
            }
            if (Chance(10))
                Window->close();
        } else {
            // The game asks only once the betting has stopped the timer.
            BoxWithTimer = BoxWithTimer || Timer()->Enabled();
            if (Chance(20)) {
                CloseRequestedInBox = true;
                Window->close();
                WindowGoneUnderBox = WindowGoneUnderBox || !Window->isVisible();
            }
        }
        static const int Answers[] = {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No, QMessageBox::NoButton};
        return Answers[Pick(5)];
    }

    void NewWindowState()
    {
        HandDealt = Closed = Settled = false;
        HeldOn = nullptr;
        HeldButton = Qt::NoButton;
    }

    QPoint Inside(QWidget* W) { return QPoint(Pick(std::max(1, W->width())), Pick(std::max(1, W->height()))); }
    QPoint Anywhere(QWidget* W)
    {
        // A release may land outside the control it was pressed on.
        return Chance(70) ? Inside(W) : QPoint(Pick(3 * W->width() + 1) - W->width(), Pick(3 * W->height() + 1) - W->height());
    }
    Qt::MouseButton AnyButton()
    {
        static const Qt::MouseButton Buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        return Buttons[Pick(4)];
    }
    Qt::KeyboardModifiers AnyModifiers()
    {
        static const Qt::KeyboardModifiers Mods[] = {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
        return Mods[Pick(5)];
    }

    QWidget* AnyTarget()
    {
        const int Kind = Pick(100);
        if (Kind < 45) {
            // Start seldom, so that most hands run to their end.
            const std::pair<TImage*, int> Buttons[] = {{Control(CallButton), 30}, {Control(FoldButton), 10}, {Control(FlipButton), 15},
                                                       {Control(FlipAllButton), 15}, {Control(RulesButton), 8}, {Control(StartButton), 4}};
            int Roll = Pick(82);
            for (const auto& [Button, Weight] : Buttons) {
                if (Roll < Weight)
                    return Button;
                Roll -= Weight;
            }
        }
        if (Kind < 60) {
            if (TCardControl* Control = Card(1 + Pick(52)))
                return Control;
        }
        if (Kind < 85) {
            QWidget* const Others[] = {Window->Control(TTablePart::Sheet), Window->Control(TTablePart::Chart), Named("JackPortrait"), Named("JimPortrait"),
                                       Named("KatePortrait"), Named("UserPortrait"), Named("UserToken"), Named("JackToken"),
                                       Named("JimToken"), Named("KateToken"), Named("UserStake"), Named("KateStake"),
                                       Named("SheetTemplate"), Named("WinnerMarker"), Named("Background"), Named<TLabel>("UserMoney"),
                                       Named<TLabel>("UserName")};
            return Others[Pick(int(std::size(Others)))];
        }
        // Whatever lies under a point of the table, as the window system would pick it.
        const QPoint At(Pick(Window->Panel()->width()), Pick(Window->Panel()->height()));
        QWidget* Under = Window->Panel()->childAt(At);
        return Under ? Under : Window->Panel();
    }

    std::string Name(QWidget* W) const
    {
        const std::pair<const QWidget*, const char*> Names[] = {
            {Control(CallButton), "Call"}, {Control(FoldButton), "Fold"}, {Control(FlipButton), "Flip"}, {Control(FlipAllButton), "Flip all"},
            {Control(StartButton), "Start"}, {Control(RulesButton), "Rules"}, {Window->Control(TTablePart::Sheet), "sheet"}, {Window->Control(TTablePart::Chart), "rules chart"},
            {Window->Panel(), "panel"}};
        for (const auto& [Control, Text] : Names)
            if (Control == W)
                return Text;
        for (int K = 1; K <= 52; ++K)
            if (Card(K) == W)
                return "card";
        return W->metaObject()->className();
    }

    // Only a left click on Start or on the shown result sheet begins a hand.
    bool MayStartHand(QWidget* W, Qt::MouseButton B) const
    {
        return B == Qt::LeftButton && (W == Control(StartButton) || (W == Window->Control(TTablePart::Sheet) && !W->isHidden()));
    }

    void Describe(const char* What, QWidget* W, Qt::MouseButton B)
    {
        std::ostringstream Out;
        Out << What << ' ' << Name(W) << (W->isEnabled() ? "" : " (disabled)") << (W->isHidden() ? " (hidden)" : "")
            << " button " << int(B);
        Last = Out.str();
    }

    void Tick()
    {
        Last = "tick";
        // The real timer ticks only while it runs.
        if (Timer()->Enabled()) {
            emit Timer()->Timeout();
            ++Ticks;
        }
    }

    // One random event, then the bookkeeping of what it did.
    void Step()
    {
        Boxes.clear();
        BoxWithTimer = CloseRequestedInBox = WindowGoneUnderBox = false;
        Before = TSnapshot::Take(*Window);
        bool StartsHand = false;  // a click that may start a hand

        if (HeldOn || HeldButton != Qt::NoButton) {
            // While a button is held the timer goes on; then it is let go somewhere.
            if (Chance(60) || !HeldOn) {
                if (!HeldOn)
                    HeldButton = Qt::NoButton;
                Tick();
            } else {
                QWidget* W = HeldOn;
                const Qt::MouseButton B = HeldButton;
                HeldOn = nullptr;
                HeldButton = Qt::NoButton;
                Describe("release", W, B);
                StartsHand = HeldMayStart;
                QTest::mouseRelease(W, B, AnyModifiers(), Anywhere(W));
            }
        } else {
            const int Kind = Pick(1000);
            if (Kind < 550) {
                Tick();
            } else if (Kind < 850) {
                QWidget* W = AnyTarget();
                const Qt::MouseButton B = AnyButton();
                Describe("click", W, B);
                StartsHand = MayStartHand(W, B);
                const bool Stack = StartsHand && Chance(20);
                if (Stack) {
                    StackDeck(Stacked[Pick(int(std::size(Stacked)))]);
                    Last += ", stacked deck";
                }
                QTest::mouseClick(W, B, AnyModifiers(), Inside(W));
                if (Stack)
                    RandomDeals();
            } else if (Kind < 950) {
                QWidget* W = AnyTarget();
                HeldButton = AnyButton();
                HeldOn = W;
                HeldMayStart = MayStartHand(W, HeldButton);
                Describe("press", W, HeldButton);
                QTest::mousePress(W, HeldButton, AnyModifiers(), Inside(W));
            } else if (Kind < 975) {
                QWidget* W = AnyTarget();
                const Qt::MouseButton B = AnyButton();
                Describe("double click", W, B);
                StartsHand = MayStartHand(W, B);
                // As the window system delivers one: press, release, double-click press, release.
                const QPoint At = Inside(W);
                const Qt::KeyboardModifiers Mods = AnyModifiers();
                QTest::mouseClick(W, B, Mods, At);
                QTest::mouseDClick(W, B, Mods, At);
                QTest::mouseRelease(W, B, Mods, At);
            } else if (Kind < 997) {
                // Let the window paint what the handlers changed, as the event loop would.
                Last = "paint";
                QCoreApplication::processEvents();
            } else {
                Last = "close";
                RequestClose();
                return;
            }
        }
        Account(StartsHand);
        if (CloseRequestedInBox && !HasFatalFailure())
            WaitForDeferredClose();
    }

    // A close request from the window system, answered like any other box.
    void RequestClose()
    {
        const int AliveBefore = CardsAlive, DestroyedBefore = CardsDestroyed;
        const bool Accepted = Window->close();
        std::string Broken;
        if (!Accepted || Window->isVisible())
            Broken = "the window stayed after the farewell";
        else if (Boxes.empty() || !IsFarewell(Boxes.front()))
            Broken = "no farewell before closing";
        ReplaceWindow(AliveBefore, DestroyedBefore, Broken);
    }

    // A close request made while a game box was open is served once the box is answered.
    void WaitForDeferredClose()
    {
        Last += ", close requested inside a box";
        const int AliveBefore = CardsAlive, DestroyedBefore = CardsDestroyed;
        std::string Broken;
        if (WindowGoneUnderBox)
            Broken = "the window closed under an open message box";
        else if (BoxWithTimer)
            Broken = "a game message box opened while the timer ran";
        const bool Gone = QTest::qWaitFor([this] { return !Window->isVisible(); }, 5000);
        if (Broken.empty() && !Gone)
            Broken = "the waiting close request was never served";
        if (Broken.empty() && !IsFarewell(Boxes.back()))
            Broken = "no farewell before closing";
        ReplaceWindow(AliveBefore, DestroyedBefore, Broken);
    }

    void ReplaceWindow(int AliveBefore, int DestroyedBefore, std::string Broken)
    {
        ++Closes;
        Window.reset();
        int Farewells = 0;
        for (const QString& Text : Boxes)
            Farewells += IsFarewell(Text);
        if (Broken.empty() && Farewells != 1)
            Broken = "farewells shown: " + std::to_string(Farewells);
        if (Broken.empty() && (CardsAlive != 0 || CardsDestroyed != DestroyedBefore + AliveBefore))
            Broken = "cards not freed exactly once: " + std::to_string(AliveBefore) + " alive, " +
                     std::to_string(CardsDestroyed - DestroyedBefore) + " destroyed";
        ASSERT_TRUE(Broken.empty()) << "event " << Event << " (" << Last << "): " << Broken;
        NewWindow();
    }

    void NewWindow()
    {
        // Sometimes a game that is close to its end, so that game over comes often.
        const bool Poor = Chance(30);
        for (int P = 1; P <= 4; ++P)
            StartChips[P] = Poor ? 6 + Pick(60) : StartMoney;
        ShowNewWindow();
        NewWindowState();
    }

    // Follows the hand through what the event did; checks the settlement when it ran.
    void Account(bool StartsHand)
    {
        const TSnapshot After = TSnapshot::Take(*Window);
        if (After.Made != Before.Made) {
            EXPECT_TRUE(StartsHand) << "event " << Event << ": a hand started on " << Last;
            EXPECT_EQ((After.Made - Before.Made) % 52, 0) << "event " << Event;
            HandDealt = true;
            Closed = Settled = false;
            ++Hands;
            return;
        }
        if ((After.FlipOn || After.FlipAllOn) && !Before.FlipOn && !Before.FlipAllOn) {
            EXPECT_TRUE(After.FlipOn && After.FlipAllOn) << "event " << Event << ": the betting closed by halves";
            Closed = true;
        }
        const bool Flip = Before.FlipOn && !After.FlipOn;
        const bool FlipAll = Before.FlipAllOn && !After.FlipAllOn;
        if (Flip || FlipAll)
            CheckSettlement(Flip);
    }

    // The rules of a showdown, not its workings: a tie when the best hand is shared, else
    // the marked winner holds the best hand; the others keep their chips and every chip
    // bet goes to the winner (the chips balance); a settled seat at 5 chips or fewer ends
    // the game after Flip.
    void CheckSettlement(bool Flip)
    {
        ++Settlements;
        Settled = true;
        const std::string At = "event " + std::to_string(Event) + " (" + Last + ")";
        const double Best = *std::max_element(Before.Scores + 1, Before.Scores + 5);
        const bool Tie = std::count(Before.Scores + 1, Before.Scores + 5, Best) > 1;
        int Winner = 0, Held[5], All = 0;
        for (int P = 1; P <= 4; ++P) {
            if (Named("WinnerMarker")->isVisible() &&
                Named("WinnerMarker")->pos() == SheetPlace + QPoint(SheetMarkerX, Seats[P].SheetRowY))
                Winner = P;
            Held[P] = Before.Money[P];
            All += Before.MoneyBefore[P];
        }
        std::vector<QString> Want;
        if (Tie) {
            ++Ties;
            Want.push_back(QStringLiteral("Two winners, begin again!"));
            EXPECT_EQ(Winner, 0) << At << ": a winner marked in a tie";
        } else {
            ASSERT_NE(Winner, 0) << At << ": no winner marked";
            EXPECT_EQ(Before.Scores[Winner], Best) << At << ": the winner does not hold the best hand";
            EXPECT_TRUE(Window->Control(TTablePart::Sheet)->isVisible()) << At << ": no result sheet";
            Held[Winner] = All - std::accumulate(Held + 1, Held + 5, -Held[Winner]);  // all the others do not hold
        }
        if (Flip && std::any_of(Held + 1, Held + 5, [](int Chips) { return Chips <= 5; })) {
            ++GameOvers;
            Want.push_back(QStringLiteral("Game over!"));
            for (int P = 1; P <= 4; ++P) {
                EXPECT_EQ(Game().Chips(P), 1000) << At;
                EXPECT_EQ(Game().ChipsBefore(P), 1000) << At;
                EXPECT_EQ(Game().Bets(P), 0) << At;
            }
        } else {
            for (int P = 1; P <= 4; ++P) {
                EXPECT_EQ(Game().Chips(P), Held[P]) << At << ", player " << P << (Tie ? ", tie" : "");
                EXPECT_EQ(Game().ChipsBefore(P), Before.MoneyBefore[P]) << At;
            }
            EXPECT_TRUE(ChipsBalance()) << At;
        }
        ASSERT_EQ(Boxes.size(), Want.size()) << At;
        for (size_t I = 0; I < Want.size(); ++I)
            EXPECT_TRUE(Boxes[I].startsWith(Want[I])) << At << ": " << Boxes[I].toStdString();
        EXPECT_FALSE(BoxWithTimer) << At;
    }

    // The rules that hold between any two events; empty when they all do.
    std::string Check() const
    {
        if (HasFailure())
            return "see above";
        const bool Timer = TTableTest::Timer()->Enabled();
        const bool Call = Control(CallButton)->isEnabled(), Fold = Control(FoldButton)->isEnabled();
        const bool Flip = Control(FlipButton)->isEnabled(), FlipAll = Control(FlipAllButton)->isEnabled();
        if (CardsAlive != (HandDealt ? 52 : 0))
            return std::to_string(CardsAlive) + " card controls alive";
        if (Game().Mover() < 0 || Game().Mover() > 4)
            return "Game().Mover() " + std::to_string(Game().Mover());
        if (Game().BetRound() < 1 || Game().BetRound() > 3)
            return "Game().BetRound() " + std::to_string(Game().BetRound());
        if (!Control(StartButton)->isEnabled() || !Control(RulesButton)->isEnabled())
            return "Start or Rules disabled";
        const bool UsersTurn = HandDealt && !Closed && Game().Mover() == 0;
        if (Call != UsersTurn || Fold != UsersTurn)
            return std::string("Call/Fold ") + (Call ? "on" : "off") + "/" + (Fold ? "on" : "off") +
                   " in the user's turn: " + (UsersTurn ? "yes" : "no");
        if ((Flip || FlipAll) && (!Closed || Timer))
            return "Flip usable before the betting closed";
        if (Call && (Flip || FlipAll))
            return "Call and Flip usable together";
        if (Closed && Game().Mover() != 0)
            return "Game().Mover() " + std::to_string(Game().Mover()) + " after the betting closed";
        for (int P = 1; P <= 4; ++P)
            if (Named(QLatin1String(Seats[P].Role) + QLatin1String("Token"))->isVisible() && (Game().Mover() != P || !Timer))
                return "token " + std::to_string(P) + " shows in phase " + std::to_string(Game().Mover());
        if (HandDealt && !Settled && !ChipsBalance())
            return "Money + TotalBets != MoneyBefore";
        if (ScreenCursor() != crDefault)
            return "hourglass left on";
        return {};
    }
};

TEST_F(MonkeyTest, RandomInputKeepsTheTableConsistent)
{
    const long Events = EnvLong("ORVANTA_MONKEY_EVENTS", 50000);
    const long Seeds = EnvLong("ORVANTA_MONKEY_SEEDS", 4);
    const std::uint64_t First = std::uint64_t(EnvLong("ORVANTA_MONKEY_FIRST_SEED", 1));
    for (std::uint64_t Seed = First; Seed < First + Seeds; ++Seed) {
        Run(Seed, Events);
        if (HasFatalFailure())
            return;
    }
    std::printf("[ monkey   ] %ld seeds x %ld events: %ld hands, %ld ticks, %ld settlements (%ld ties, %ld game overs), %ld windows closed\n",
                Seeds, Events, Hands, Ticks, Settlements, Ties, GameOvers, Closes);
    // A full-sized stream must reach every part of a hand, or it proves little.
    if (Events * Seeds >= 40000) {
        EXPECT_GT(Settlements, 10);
        EXPECT_GT(Ties, 0);
        EXPECT_GT(GameOvers, 0);
        EXPECT_GT(Closes, 2);
    }
}
