#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include "app/Translation.h"
#include "desktop/Image.h"
#include "desktop/MessageBox.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "table/TableKeyboard.h"

// What a screen reader hears while a hand is played through the real handlers, as one
// list per scenario: the narrator's lines and the message boxes, in order.
namespace {
std::vector<std::string>* Heard = nullptr;
// A reader that lags asks for a line's name later, as Orca under load: at the end of a
// step, unless a pause of 0.8 s came first (Orca gives up on a question left unanswered
// that long).
std::vector<QPointer<QObject>>* Asked = nullptr;
constexpr int ReaderGivesUpMs = 800;

void Listen(QAccessibleEvent* Event)
{
    QAccessibleInterface* I = Event->accessibleInterface();
    if (!Heard || Event->type() != QAccessible::ObjectShow || !I || I->role() != QAccessible::Notification)
        return;
    if (Asked)
        Asked->push_back(I->object());
    else
        Heard->push_back(I->text(QAccessible::Name).toStdString());
}

// As when an assistive tool connects: the platform's accessibility becomes active.
void SetReaderListening(bool On) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(On); }

const THands AcesWin{{"AS", "AD", "KC"}, {"9H", "9C", "2D"}, {"5H", "3S", "2C"}, {"10D", "10S", "4H"}};
const THands Tie{{"2S", "7D", "9C"}, {"KS", "9D", "5C"}, {"3H", "4S", "8D"}, {"KH", "9H", "5D"}};
// Jack's king high sounds like the player's, Jim's eight-high flush like Kate's: no pair scores alike.
const THands Alike{{"KC", "10D", "4S"}, {"KS", "9D", "5C"}, {"8H", "6H", "2H"}, {"8D", "7D", "3D"}};

struct TScenario
{
    const char* Name;
    THands Hands;
    std::vector<std::string> Steps;  // start, call, fold, ticks (until the table waits), flip, flip all,
                                     // quiet and listen (a reader leaves, joins), away (another window
                                     // is active), poor jim (Jim holds 10 chips), lag (the reader asks
                                     // at the end of each step), behind and read (the reader asks for
                                     // nothing until it reads, then keeps up), chinese (the desktop
                                     // asks for zh_CN), standing (the player asks where the hand
                                     // stands)
    std::vector<std::string> Heard;
};
void PrintTo(const TScenario& S, std::ostream* Out) { *Out << S.Name; }

const std::string Seating = "You sit at the bottom, Jack on the right, Jim at the top, Kate on the left. ";
const std::string AcesDealt = Seating + "New hand. Your hand: pair of aces: ace of spades, ace of diamonds, king of clubs.";

const TScenario Scenarios[] = {
    {"a hand called to the end",
     AcesWin,
     {"start", "call", "ticks", "call", "ticks", "call", "ticks", "flip"},
     {AcesDealt + " Your turn: a call costs 20 chips.", "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips.", "Jack calls 40.",
      "Kate calls 40. Your turn: a call costs 60 chips.", "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
      "Jack: pair of nines. Kate: pair of tens. You win 255 chips."}},
    {"the player folds; the rounds run on; flip all shows the folded hand too",
     AcesWin,
     {"start", "fold", "ticks", "flip all"},
     {AcesDealt + " Your turn: a call costs 20 chips.", "Jack calls 20. Jim folds.", "Kate calls 20.", "Jack calls 40.", "Kate calls 40.",
      "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
      "Jack: pair of nines. Jim: five high. Kate: pair of tens. Kate wins 135 chips."}},
    {"a tie: the hands are said before the box",
     Tie,
     {"start", "fold", "ticks", "flip"},
     {Seating + "New hand. Your hand: nine high: nine of clubs, seven of diamonds, two of spades. Your turn: a call costs 20 chips.",
      "Jack calls 20. Jim folds.", "Kate calls 20.", "Jack calls 40.", "Kate calls 40.", "Jack calls 60.",
      "Kate calls 60. Betting closed: Flip or Flip all.", "Jack: king high. Kate: king high.",
      "[box] Two winners, begin again!"}},
    {"game over: the result before the box",
     AcesWin,
     {"poor jim", "start", "fold", "ticks", "flip"},
     {AcesDealt + " Your turn: a call costs 20 chips.", "Jack calls 20. Jim folds.", "Kate calls 20.", "Jack calls 40.", "Kate calls 40.",
      "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
      "Jack: pair of nines. Kate: pair of tens. Kate wins 135 chips.", "[box] Game over! Kate is the winner! Try again?"}},
    {"the seating is said with the first hand only",
     AcesWin,
     {"start", "start"},
     {AcesDealt + " Your turn: a call costs 20 chips.",
      "New hand. Your hand: pair of aces: ace of spades, ace of diamonds, king of clubs. Your turn: a call costs 20 chips."}},
    {"no focus to speak the cost: the line says it",
     AcesWin,
     {"away", "start"},
     {AcesDealt + " Your turn: a call costs 20 chips."}},
    {"a reader that lags loses no line to folded Jim's pause: what waits goes with the next line, heard once",
     AcesWin,
     {"start", "lag", "call", "ticks"},
     {AcesDealt + " Your turn: a call costs 20 chips.", "Jack calls 20. Jim folds. Kate calls 20. Your turn: a call costs 40 chips."}},
    {"hands that would sound alike but score apart are said with their cards",
     Alike,
     {"start", "fold", "ticks", "flip all"},
     {Seating + "New hand. Your hand: king high: king of clubs, ten of diamonds, four of spades. Your turn: a call costs 20 chips.",
      "Jack calls 20.", "Jim calls 20.", "Kate calls 20.", "Jack calls 40.", "Jim calls 40.", "Kate calls 40.", "Jack calls 60.",
      "Jim calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
      "Jack: king high: king of spades, nine of diamonds, five of clubs. Jim: flush, eight high: eight of hearts, six of hearts, "
      "two of hearts. Kate: flush, eight high: eight of diamonds, seven of diamonds, three of diamonds. Kate wins 255 chips."}},
    {"a turn that passed before the reader read it is not said",
     AcesWin,
     {"behind", "start", "call", "read", "ticks"},
     {AcesDealt, "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips."}},
    {"a reader far behind loses nothing, and a new deal drops the betting's end",
     AcesWin,
     {"start", "fold", "behind", "ticks", "start", "read"},
     {AcesDealt + " Your turn: a call costs 20 chips.",
      "Jack calls 20. Jim folds. Kate calls 20. Jack calls 40. Kate calls 40. Jack calls 60. Kate calls 60. "
      "New hand. Your hand: pair of aces: ace of spades, ace of diamonds, king of clubs. Your turn: a call costs 20 chips."}},
    {"nothing while no reader listens; one that joins hears only what follows",
     AcesWin,
     {"quiet", "start", "call", "ticks", "listen", "call", "ticks"},
     {"Jack calls 40.", "Kate calls 40. Your turn: a call costs 60 chips."}},
    {"where the hand stands, on a key: before the first hand, at the turn, after folds, at the close, on the sheet",
     AcesWin,
     {"standing", "start", "standing", "call", "ticks", "standing", "fold", "ticks", "standing", "flip", "standing"},
     {"Chips: ? 1000, Jack 1000, Jim 1000, Kate 1000. No hand yet: Start deals one.",
      AcesDealt + " Your turn: a call costs 20 chips.",
      "Chips: ? 995, Jack 995, Jim 995, Kate 995. Pot: 20 chips. Betting round 1 of 3. Your turn: a call costs 20 chips.",
      "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips.",
      "Chips: ? 975, Jack 975, Jim 995, Kate 975. Pot: 80 chips. Betting round 2 of 3. Folded: Jim. "
      "Your turn: a call costs 40 chips.",
      "Jack calls 40.", "Kate calls 40.", "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
      "Chips: ? 975, Jack 875, Jim 995, Kate 875. Pot: 280 chips. Folded: ?, Jim. Betting closed: Flip or Flip all.",
      "Jack: pair of nines. Kate: pair of tens. Kate wins 155 chips.",
      "Chips: ? 975, Jack 875, Jim 995, Kate 1155. The hand is over: Kate won 155 chips."}},
    {"where the hand stands while the others bet (the player's chip on its way still counts at the seat), and after a tie",
     Tie,
     {"start", "call", "standing", "ticks", "fold", "ticks", "flip", "standing"},
     {Seating + "New hand. Your hand: nine high: nine of clubs, seven of diamonds, two of spades. Your turn: a call costs 20 chips.",
      "Chips: ? 995, Jack 995, Jim 995, Kate 995. Pot: 20 chips. Betting round 1 of 3.",
      "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips.",
      "Jack calls 40.", "Kate calls 40.", "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
      "Jack: king high. Kate: king high.", "[box] Two winners, begin again!",
      "Chips: ? 975, Jack 875, Jim 995, Kate 875. The hand is over: two winners, the pot is lost."}},
    {"in Chinese from the catalogue built into the program",
     AcesWin,
     {"chinese", "start", "call", "ticks", "standing"},
     {"你坐在下方，Jack 在右边，Jim 在上方，Kate 在左边。 新的一局。你的牌：对子A：黑桃A、方块A、梅花K。 "
      "轮到你了：跟注需要 20 筹码。",
      "Jack 跟注 20。 Jim 放弃。", "Kate 跟注 20。 轮到你了：跟注需要 40 筹码。",
      "筹码：? 975，Jack 975，Jim 995，Kate 975。 底池：80 筹码。 第 2 轮下注，共 3 轮。 已放弃：Jim。 轮到你了：跟注需要 40 筹码。"}},
};
}

class NarratorTest : public TTableTest, public ::testing::WithParamInterface<TScenario>
{
protected:
    void SetUp() override
    {
        TTableTest::SetUp();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Heard = &Lines;
        Pausing = [this](int Ms) {
            Sleeps.push_back(Ms);
            if (Ms >= ReaderGivesUpMs)
                Questions.clear();
        };
        Previous = QAccessible::installUpdateHandler(Listen);
        SetReaderListening(true);
        // The real boxes, answered as they open: they send the table the event a reader's
        // box does, and what they say joins the list.
        Answering = ShowMessageBox;
        Answerer.setInterval(5);
        QObject::connect(&Answerer, &QTimer::timeout, [this] {
            if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Lines.push_back("[box] " + Box->text().toStdString());
                Box->done(QMessageBox::Ok);
            }
        });
        Answerer.start();
    }
    void TearDown() override
    {
        Translation.reset();  // the other tests hear English
        Answerer.stop();
        SetReaderListening(false);
        QAccessible::installUpdateHandler(Previous);
        Heard = nullptr;
        Asked = nullptr;
        TTableTest::TearDown();
    }

    void Step(const std::string& S)
    {
        if (S == "start") {
            StackDeck(GetParam().Hands);
            Window->StartButton->Press();
            Draws.Script = {};
        } else if (S == "call") {
            Window->CallButton->Press();
        } else if (S == "fold") {
            Window->FoldButton->Press();
        } else if (S == "flip") {
            Window->FlipButton->Press();
        } else if (S == "flip all") {
            Window->FlipAllButton->Press();
        } else if (S == "ticks") {
            for (int I = 0; I < 1000 && Game().TurnPhase != 0 && Window->BettingTimer->Enabled(); ++I)
                emit Window->BettingTimer->Timeout();  // what the running timer calls
        } else if (S == "standing") {
            // It tells; it changes nothing on the table and moves no focus. Like any key it
            // shows the focus ring, on the focused control.
            QWidget* Focus = QApplication::focusWidget();
            const auto Look = [&] {
                QImage Picture = Window->grab().toImage();
                if (Focus && Focus->window() == Window.get())
                    QPainter(&Picture).fillRect(QRect(Focus->mapTo(Window.get(), QPoint()), Focus->size()), Qt::black);
                return Picture;
            };
            const QImage Before = Look();
            QTest::keyClick(Window->windowHandle(), Qt::Key(TTableKeyboard::StandingKey));
            EXPECT_EQ(QApplication::focusWidget(), Focus);
            EXPECT_EQ(Look(), Before);
        } else if (S == "quiet" || S == "listen") {
            SetReaderListening(S == "listen");
        } else if (S == "away") {
            QApplication::setActiveWindow(nullptr);
        } else if (S == "lag") {
            Asked = &Questions;
        } else if (S == "behind") {
            Asked = &Questions;
            Behind = true;
        } else if (S == "read") {
            Behind = false;
            CatchUp();
            Asked = nullptr;
        } else if (S == "chinese") {
            Translation = InstallTranslation(QLocale(QLocale::Chinese, QLocale::China));
            ASSERT_TRUE(Translation);
        } else if (S == "poor jim") {
            Game().Money[Jim] = 10;
        } else {
            FAIL() << "no step " << S;
        }
    }

    // The lagging reader's questions, answered at the end of a step.
    void CatchUp()
    {
        for (const QPointer<QObject>& Line : Questions)
            if (Line)
                Lines.push_back(QAccessible::queryAccessibleInterface(Line)->text(QAccessible::Name).toStdString());
        Questions.clear();
    }

    std::vector<std::string> Lines;
    std::vector<QPointer<QObject>> Questions;
    bool Behind = false;  // the reader asks nothing until it reads
    QAccessible::UpdateHandler Previous = nullptr;
    QTimer Answerer;
    std::unique_ptr<QTranslator> Translation;
};

TEST_P(NarratorTest, SaysEachMoveOnceInTheOrderOfPlay)
{
    for (const std::string& S : GetParam().Steps) {
        Step(S);
        if (!Behind)
            CatchUp();
    }
    EXPECT_EQ(Lines, GetParam().Heard);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, NarratorTest, ::testing::ValuesIn(Scenarios),
                         [](const auto& Info) { return "Scenario" + std::to_string(Info.index); });

// The lines live in objects no one sees: the same hand looks the same with a reader
// listening as without one.
class NarratorLookTest : public TTableTest
{
};

TEST_F(NarratorLookTest, AReaderLeavesTheTableAsItLooks)
{
    auto Play = [this](bool Listening) {
        ShowNewWindow();
        SetReaderListening(Listening);
        StackDeck(AcesWin);
        Window->StartButton->Press();
        Draws.Script = {};
        Window->CallButton->Press();
        for (int I = 0; I < 1000 && Game().TurnPhase != 0 && Window->BettingTimer->Enabled(); ++I)
            emit Window->BettingTimer->Timeout();
        SetReaderListening(false);
        return Window->grab().toImage();
    };
    const QImage Alone = Play(false);
    std::vector<std::string> Lines;
    Heard = &Lines;
    const QAccessible::UpdateHandler Previous = QAccessible::installUpdateHandler(Listen);
    const QImage Listened = Play(true);
    QAccessible::installUpdateHandler(Previous);
    Heard = nullptr;
    EXPECT_EQ(Lines.size(), 3u) << "the deal, Jack and Jim, Kate and the turn";
    EXPECT_EQ(Listened, Alone);
}
