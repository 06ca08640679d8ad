#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <set>

#include "cards/CardControl.h"
#include "desktop/Application.h"
#include "desktop/FocusRing.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/MessageBox.h"
#include "desktop/Panel.h"
#include "desktop/Timer.h"
#include "game/HandEval.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"
#include "table/TableTexts.h"

namespace {
std::string Str(const QString& S) { return S.toStdString(); }
std::string Name(QAccessibleInterface* I) { return I ? Str(I->text(QAccessible::Name)) : "<none>"; }
std::string Description(QAccessibleInterface* I) { return I ? Str(I->text(QAccessible::Description)) : "<none>"; }

std::vector<std::string> ChildNames(QAccessibleInterface* I)
{
    std::vector<std::string> Out;
    for (int C = 0; C < I->childCount(); ++C)
        Out.push_back(Name(I->child(C)));
    return Out;
}
}

class AccessibilityTest : public TTableTest
{
protected:
    void SetUp() override
    {
        TTableTest::SetUp();
        Window->SetUserName(QStringLiteral("Alice"));
    }

    QAccessibleInterface* PanelInterface() const { return QAccessible::queryAccessibleInterface(Window->Panel()); }
    // A child of the table by its name (a seat by its player's name before the comma).
    QAccessibleInterface* Child(const std::string& Prefix) const
    {
        QAccessibleInterface* T = PanelInterface();
        for (int C = 0; C < T->childCount(); ++C)
            if (Name(T->child(C)).rfind(Prefix, 0) == 0)
                return T->child(C);
        ADD_FAILURE() << "no child named " << Prefix;
        return nullptr;
    }
    QAccessibleInterface* Seat(int Player) const { return PanelInterface()->child(Player - 1); }
    // What a screen reader's Press does; the press comes round with the event loop.
    static void Press(QAccessibleInterface* I)
    {
        ASSERT_TRUE(I->actionInterface());
        ASSERT_TRUE(I->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        I->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    // The loop comes round twice: once to judge the request, once to run the press.
    // A screen reader's focus grab.
    static void Grab(QAccessibleInterface* I)
    {
        ASSERT_TRUE(I->actionInterface()->actionNames().contains(QAccessibleActionInterface::setFocusAction()));
        I->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    }
    static void Flush()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    }
    void Key(int K, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Window->windowHandle(), Qt::Key(K), Modifiers);
    }
    void ActivateTable()
    {
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }

    // The steps of a whole hand read and played through the tree.
    void AnEarlyPressIsDroppedAndStartDeals()
    {
        // A press on a button that cannot be used when it comes round does nothing, then or later.
        Press(Child(Caption(CallButton)));
        Flush();
        EXPECT_EQ(Game().Mover(), 0);

        StackDeck(AcesWin);
        Press(Child(Caption(StartButton)));
        EXPECT_EQ(CardsAlive, 0) << "the press runs from the event loop, not inside the request";
        Flush();
        Draws.Script = {};
        ASSERT_EQ(CardsAlive, 52);
        EXPECT_EQ(Game().Mover(), 0) << "the early press on Call stayed dropped";
    }
    void TheSeatsReadTheDeal()
    {
        // The user's cards in display order (left to right), with the hand's kind.
        EXPECT_EQ(ChildNames(Seat(User)),
                  (std::vector<std::string>{"Your stake: 5 chips", "ace of spades", "ace of diamonds", "king of clubs"}));
        EXPECT_EQ(Description(Seat(User)),
                  "Your seat. Stake 5 chips. Hand: pair of aces: ace of spades, ace of diamonds, king of clubs.");
        for (int P = Jack; P <= Kate; ++P) {
            EXPECT_EQ(Name(Seat(P)).substr(Name(Seat(P)).find(',')), ", 995 chips");
            EXPECT_EQ(ChildNames(Seat(P)), (std::vector<std::string>{Name(Seat(P)).substr(0, Name(Seat(P)).find(',')) +
                                                                         "'s stake: 5 chips",
                                                                     "card, face down", "card, face down", "card, face down"}));
            EXPECT_EQ(Description(Seat(P)), "Stake 5 chips.");
            for (int C = 1; C < 4; ++C) {
                EXPECT_EQ(Seat(P)->child(C)->parent()->object(), Seat(P)->object());
                EXPECT_EQ(Seat(P)->indexOfChild(Seat(P)->child(C)), C);
            }
        }
        EXPECT_FALSE(Child(Caption(CallButton))->state().disabled);
        EXPECT_FALSE(Child(Caption(FoldButton))->state().disabled);
    }
    void CallRunsTheBettingAndTheSeatsFollowTheChips()
    {
        Press(Child(Caption(CallButton)));
        EXPECT_EQ(Game().Mover(), 0);
        Flush();
        EXPECT_EQ(Game().Mover(), 1);
        EXPECT_TRUE(Child(Caption(CallButton))->state().disabled);
        EXPECT_EQ(Name(Seat(User)), "Alice, 995 chips") << "the money label changes when the chip arrives";
        EXPECT_EQ(Name(Seat(User)->child(0)), "Your stake: 5 chips") << "so does the stake counter";
        TickUntilIdle();
        EXPECT_EQ(Name(Seat(User)), "Alice, 975 chips");
        EXPECT_EQ(Name(Seat(User)->child(0)), "Your stake: 25 chips");
        EXPECT_EQ(Description(Seat(Jim)), "Stake 5 chips. Folded.");
        EXPECT_EQ(Name(Seat(Jack)), "Jack, 975 chips");
        EXPECT_EQ(Description(Child(Caption(CallButton))), ButtonsSeen()[CallButton].Meaning)
            << "the hand is said once, at the deal; the cost once, in the turn's line";
        for (int Round = 2; Round <= 3; ++Round) {
            Press(Child(Caption(CallButton)));
            Flush();
            TickUntilIdle();
        }
        EXPECT_FALSE(Child(Caption(FlipButton))->state().disabled);
        EXPECT_EQ(Name(Seat(Kate)), "Kate, 875 chips");
        EXPECT_EQ(Name(Seat(Kate)->child(0)), "Kate's stake: 125 chips");
    }
    void FlipReadsTheHandsStillIn()
    {
        // Flip: the hands still in are read face up; Jim's folded pile stays face down.
        Press(Child(Caption(FlipButton)));
        Flush();
        EXPECT_EQ(Description(Seat(Kate)),
                  "Stake 125 chips. Hand: pair of tens: ten of diamonds, ten of spades, four of hearts.");
        EXPECT_EQ(Description(Seat(Jim)), "Stake 5 chips. Folded.");
        EXPECT_EQ(Name(Seat(Jim)->child(1)), "card, face down");
    }
    void TheSheetReadsAsAGrid()
    {
        QAccessibleInterface* Sheet = Child("Result sheet");
        EXPECT_FALSE(Sheet->state().invisible);
        EXPECT_TRUE(Sheet->state().focusable);
        EXPECT_EQ(Name(Sheet), "Result sheet: Alice wins");
        QAccessibleTableInterface* Grid = Sheet->tableInterface();
        ASSERT_TRUE(Grid);
        ASSERT_EQ(Grid->rowCount(), 4);
        ASSERT_EQ(Grid->columnCount(), 3);
        const char* const Expected[4][3] = {
            {"Alice", "255", "1255"}, {"Jack", "-125", "875"}, {"Jim", "-5", "995"}, {"Kate", "-125", "875"}};
        for (int R = 0; R < 4; ++R)
            for (int C = 0; C < 3; ++C) {
                QAccessibleInterface* Cell = Grid->cellAt(R, C);
                EXPECT_EQ(Name(Cell), Expected[R][C]) << R << "," << C;
                EXPECT_EQ(Cell->parent(), Sheet);
                ASSERT_TRUE(Cell->tableCellInterface());
                EXPECT_EQ(Cell->tableCellInterface()->rowIndex(), R);
                EXPECT_EQ(Name(Cell->tableCellInterface()->columnHeaderCells().value(0)),
                          (std::vector<std::string>{"Player", "Add", "Score"})[C]);
                EXPECT_TRUE(Sheet->rect().intersects(Cell->rect()));
            }
        EXPECT_EQ(Name(Sheet->child(1)), "Add");
        EXPECT_EQ(Name(Seat(User)), "Alice, 1255 chips");
    }
    void PressingTheSheetDealsTheNextHand()
    {
        QAccessibleInterface* Sheet = Child("Result sheet");
        Press(Sheet);
        Flush();
        EXPECT_TRUE(Sheet->state().invisible);
        EXPECT_EQ(Name(Seat(User)), "Alice, 1250 chips");
        EXPECT_EQ(Name(Sheet), "Result sheet: Alice wins") << "the last sheet keeps its figures while hidden";
    }

    // The steps of a hand played from the keys.
    void TabCyclesStartAndRulesBeforeAHand()
    {
        ActivateTable();
        EXPECT_EQ(QApplication::focusWidget(), Control(StartButton)) << "Start has the focus when the table shows";
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Control(RulesButton));
        Key(Qt::Key_Tab);  // the disabled buttons and the hidden sheet are passed over
        EXPECT_EQ(QApplication::focusWidget(), Control(StartButton));
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), Control(RulesButton));
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), Control(StartButton));
    }
    void SpaceHeldOnStartLooksPressedAndDealsOnRelease()
    {
        QTest::mousePress(Control(StartButton), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        const QImage MousePressed = Control(StartButton)->Picture();
        QTest::mouseRelease(Control(StartButton), Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
        const QImage Normal = Control(StartButton)->Picture();
        StackDeck(AcesWin);
        QTest::keyPress(Window->windowHandle(), Qt::Key_Space);
        EXPECT_EQ(Control(StartButton)->Picture(), MousePressed);
        EXPECT_EQ(CardsAlive, 0);
        QTest::keyRelease(Window->windowHandle(), Qt::Key_Space);
        Draws.Script = {};
        EXPECT_EQ(CardsAlive, 52);
        EXPECT_EQ(Control(StartButton)->Picture(), Normal);
    }
    void EnterCallsAndTheFocusWaitsOffStart()
    {
        // The turn brings the focus to Call; Enter calls; the focus waits, off Start.
        EXPECT_EQ(QApplication::focusWidget(), Control(CallButton));
        Key(Qt::Key_Return);
        EXPECT_EQ(Game().Mover(), 1);
        EXPECT_FALSE(Control(CallButton)->hasFocus());
        EXPECT_FALSE(Control(StartButton)->hasFocus()) << "one key too many must not start a new hand";
        // Where it waits, a reader hears one short word, not the table's stakes and names.
        QAccessibleInterface* Waiting = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        EXPECT_EQ(Waiting->text(QAccessible::Name), "Waiting");
        EXPECT_EQ(Waiting->childCount(), 0);
        Key(Qt::Key_Space);
        EXPECT_EQ(Game().Mover(), 1);
        // Nor when the window is left and activated again.
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(Window.get());
        EXPECT_FALSE(Control(StartButton)->hasFocus());
    }
    void FoldAndFlipAllFromTheKeysAndTheSheetTakesTheFocus()
    {
        // The timer's ticks come through the timer's handler, as the running clock gives them.
        TickUntilPlayable(&TTable::Call);
        EXPECT_EQ(QApplication::focusWidget(), Control(CallButton));
        EXPECT_EQ(Game().Chips(User), 975);
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Control(FoldButton));
        Key(Qt::Key_Space);  // fold
        EXPECT_TRUE(Game().Folded(User));
        TickUntilPlayable(&TTable::Flip);
        EXPECT_EQ(QApplication::focusWidget(), Control(FlipButton));
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Control(FlipAllButton));
        Key(Qt::Key_Space);  // flip all: Kate's tens win; the sheet takes the focus
        ASSERT_TRUE(Window->Control(TTablePart::Sheet)->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), Window->Control(TTablePart::Sheet));
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Control(StartButton));
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), Window->Control(TTablePart::Sheet));
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), Control(FlipButton)) << "Flip is still usable after Flip all";
    }
    void RulesFromTheKeysAndEscapeClosesTheChart()
    {
        Control(RulesButton)->setFocus();
        Key(Qt::Key_Space);
        EXPECT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
        Key(Qt::Key_Escape);
        EXPECT_FALSE(Window->Control(TTablePart::Chart)->isVisible());
        EXPECT_TRUE(Control(RulesButton)->hasFocus());
    }
};

TEST_F(AccessibilityTest, BeforeAHandTheTreeNamesSeatsButtonsAndHidesTheRest)
{
    QAccessibleInterface* T = PanelInterface();
    ASSERT_TRUE(T);
    std::vector<std::string> Names{"Alice, 1000 chips", "Jack, 1000 chips", "Jim, 1000 chips", "Kate, 1000 chips"};
    for (const TButtonSeen& B : ButtonsSeen())
        Names.push_back(B.Caption);
    Names.insert(Names.end(), {"Result sheet", "Rules chart", "Waiting"});
    EXPECT_EQ(ChildNames(T), Names);
    for (int C = 0; C < T->childCount(); ++C) {
        EXPECT_EQ(T->child(C)->parent()->object(), static_cast<QObject*>(Window->Panel()));
        EXPECT_EQ(T->indexOfChild(T->child(C)), C);
    }
    // Each seat: its stake counter, named by its owner, no cards yet.
    for (int P = 1; P <= 4; ++P) {
        EXPECT_EQ(Seat(P)->role(), QAccessible::Grouping);
        const char* const Owner[5] = {"", "Your", "Jack's", "Jim's", "Kate's"};
        EXPECT_EQ(ChildNames(Seat(P)), std::vector<std::string>{std::string(Owner[P]) + " stake: none"});
        EXPECT_EQ(Seat(P)->child(0)->parent()->object(), Seat(P)->object());
    }
    EXPECT_EQ(Description(Seat(User)), "Your seat.");

    for (const auto& [Caption, Meaning] : ButtonsSeen()) {
        QAccessibleInterface* B = Child(Caption);
        EXPECT_EQ(B->role(), QAccessible::Button) << Caption;
        EXPECT_EQ(Description(B), Meaning);
        EXPECT_TRUE(B->state().focusable) << Caption;
        EXPECT_TRUE(B->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        const bool Usable = Caption == ::Caption(StartButton) || Caption == ::Caption(RulesButton);
        EXPECT_EQ(B->state().disabled, !Usable) << Caption;
        EXPECT_FALSE(B->state().invisible) << Caption;
        EXPECT_EQ(B->rect().size(), QSize(100, 32));
    }
    EXPECT_TRUE(Child("Result sheet")->state().invisible);
    EXPECT_EQ(Child("Result sheet")->role(), QAccessible::Table);
    EXPECT_TRUE(Child("Rules chart")->state().invisible);

    // The window reads as a window named by its title.
    QAccessibleInterface* Frame = QAccessible::queryAccessibleInterface(Window.get());
    EXPECT_EQ(Frame->role(), QAccessible::Window);
    EXPECT_EQ(Name(Frame), "Orvanta");
}


TEST_F(AccessibilityTest, AWholeHandIsReadAndPlayedThroughTheTree)
{
    ASSERT_NO_FATAL_FAILURE(AnEarlyPressIsDroppedAndStartDeals());
    ASSERT_NO_FATAL_FAILURE(TheSeatsReadTheDeal());
    ASSERT_NO_FATAL_FAILURE(CallRunsTheBettingAndTheSeatsFollowTheChips());
    ASSERT_NO_FATAL_FAILURE(FlipReadsTheHandsStillIn());
    ASSERT_NO_FATAL_FAILURE(TheSheetReadsAsAGrid());
    ASSERT_NO_FATAL_FAILURE(PressingTheSheetDealsTheNextHand());
}

TEST_F(AccessibilityTest, TheSheetKeepsTheFiguresItShowsAfterAGameOver)
{
    StartChips[Jim] = 10;
    ShowNewWindow();
    PlayCalling(AcesWin);  // Jim folds and keeps 5 chips; a Flip ends the game
    emit Control(FlipButton)->Clicked();
    ASSERT_EQ(Messages.size(), 1u);
    QAccessibleTableInterface* Grid = Child("Result sheet")->tableInterface();
    EXPECT_EQ(Name(Grid->cellAt(2, 2)), "5");
    EXPECT_EQ(Name(Seat(Jim)), "Jim, 1000 chips") << "the money labels already show the new game";
}


TEST_F(AccessibilityTest, KeysMoveTheFocusInOrderAndPressLikeALeftClick)
{
    ASSERT_NO_FATAL_FAILURE(TabCyclesStartAndRulesBeforeAHand());
    ASSERT_NO_FATAL_FAILURE(SpaceHeldOnStartLooksPressedAndDealsOnRelease());
    ASSERT_NO_FATAL_FAILURE(EnterCallsAndTheFocusWaitsOffStart());
    ASSERT_NO_FATAL_FAILURE(FoldAndFlipAllFromTheKeysAndTheSheetTakesTheFocus());
    ASSERT_NO_FATAL_FAILURE(RulesFromTheKeysAndEscapeClosesTheChart());
}

TEST_F(AccessibilityTest, WhatTheChartCoversTakesNoKeyNorPressAndTheFocusWaitsOnTheChart)
{
    ActivateTable();
    PlayCalling(AcesWin);
    Control(FlipButton)->setFocus();
    Key(Qt::Key_Space);  // Flip: the sheet takes the focus
    ASSERT_TRUE(Window->Control(TTablePart::Sheet)->hasFocus());
    const int Chips = Game().Chips(User);

    Click(Control(RulesButton));  // the chart opens over the sheet
    EXPECT_TRUE(Window->Control(TTablePart::Chart)->hasFocus()) << "the focus waits where Escape closes the chart";
    Press(Child("Result sheet"));
    Flush();
    Key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), Window->Control(TTablePart::Sheet)) << "the covered sheet is out of the Tab ring";
    Window->Control(TTablePart::Chart)->setFocus();
    Key(Qt::Key_Escape);
    EXPECT_EQ(Game().Chips(User), Chips) << "no new hand from a sheet the player cannot see";
    EXPECT_TRUE(Window->Control(TTablePart::Sheet)->hasFocus()) << "back to the sheet the chart covered";

    Click(Control(RulesButton));
    Key(Qt::Key_Tab, Qt::ShiftModifier);  // the player moves on: the focus stays where he put it
    QWidget* Moved = QApplication::focusWidget();
    Key(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), Moved);

    // A sheet drawn after the chart lies above it: it takes the focus and deals.
    Control(StartButton)->setFocus();
    Key(Qt::Key_Space);
    Click(Control(RulesButton));
    PlayCalling(AcesWin);
    Control(FlipButton)->Press();
    ASSERT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
    EXPECT_TRUE(Window->Control(TTablePart::Sheet)->hasFocus());
    Key(Qt::Key_Space);
    EXPECT_FALSE(Window->Control(TTablePart::Sheet)->isVisible()) << "the sheet dealt the next hand";
}

TEST_F(AccessibilityTest, NoCardIsReadWhileTheDeckIsRebuilt)
{
    Deal(AcesWin);
    std::vector<std::vector<std::string>> Read;
    auto ReadSeats = [&] {
        for (int P = 1; P <= 4; ++P)
            Read.push_back(ChildNames(Seat(P)));
        Description(Seat(User));
    };
    // The old cards are freed one by one, then the new ones are made and dealt.
    QObject::connect(Card(1), &QObject::destroyed, ReadSeats);
    Pausing = [&](int) { ReadSeats(); };
    Control(StartButton)->Press();
    ASSERT_GT(Read.size(), 4u * 12);
    for (const auto& Names : Read)
        EXPECT_EQ(Names.size(), 1u) << Names.back();  // the stake counter alone
    EXPECT_EQ(ChildNames(Seat(User)).size(), 4u) << "once dealt, the cards are read again";
}

TEST_F(AccessibilityTest, TheFocusRingShowsOnlyAfterAKeyAndAMouseClickHidesIt)
{
    ActivateTable();
    const QRect RulesArea = Control(RulesButton)->geometry();
    const QImage Before = GrabPanel().copy(RulesArea);
    Key(Qt::Key_Tab);  // onto Rules
    ASSERT_TRUE(Control(RulesButton)->hasFocus());
    EXPECT_TRUE(FocusRingShown(Window.get()));
    const QImage WithRing = GrabPanel().copy(RulesArea);
    EXPECT_NE(WithRing, Before);
    // The ring lies on the button's edge, not over its caption.
    int Changed = 0, Inside = 0;
    for (int Y = 0; Y < RulesArea.height(); ++Y)
        for (int X = 0; X < RulesArea.width(); ++X)
            if (WithRing.pixel(X, Y) != Before.pixel(X, Y)) {
                ++Changed;
                Inside += X >= 2 && Y >= 2 && X < RulesArea.width() - 2 && Y < RulesArea.height() - 2;
            }
    EXPECT_GT(Changed, 100);
    EXPECT_EQ(Inside, 0);

    // A click anywhere on the table hides it: the table looks as it did.
    QTest::mouseClick(Named("Background"), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_FALSE(FocusRingShown(Window.get()));
    EXPECT_EQ(GrabPanel().copy(RulesArea), Before);
    EXPECT_TRUE(Control(RulesButton)->hasFocus()) << "the focus stays where it was, unseen";
}

TEST_F(AccessibilityTest, HandTextsSayTheKindAndItsDecidingRank)
{
    TCard Cards[53];
    for (int K = 1; K <= 52; ++K)
        Cards[K] = {TCardValue((K - 1) % 13 + 1), TCardSuit((K - 1) / 13)};
    auto Said = [&Cards](const char* A, const char* B, const char* C) {
        const TCard Hand[3] = {Cards[CardIndex(A)], Cards[CardIndex(B)], Cards[CardIndex(C)]};
        return Str(HandText(ClassifyHand(Hand)));
    };
    EXPECT_EQ(Said("AS", "2D", "3S"), "straight, three high");
    EXPECT_EQ(Said("QH", "KH", "AH"), "straight flush, ace high");
    EXPECT_EQ(Said("6C", "6D", "6H"), "three sixes");
    EXPECT_EQ(Said("AS", "KD", "2S"), "ace high");
    EXPECT_EQ(Said("9C", "KC", "5C"), "flush, king high");
    EXPECT_EQ(Said("JD", "4S", "JH"), "pair of jacks");
    EXPECT_EQ(Said("3H", "2H", "AH"), "straight flush, three high");
    EXPECT_EQ(Said("10S", "QD", "JC"), "straight, queen high");
    // Every rank has its own word, and its own plural, in each kind; the kind's words lead,
    // but for a high card.
    const std::pair<THandKind, const char*> Kinds[] = {
        {THandKind::HighCard, " high"}, {THandKind::Pair, "pair of "}, {THandKind::Straight, "straight, "},
        {THandKind::Flush, "flush, "}, {THandKind::StraightFlush, "straight flush, "}, {THandKind::ThreeOfAKind, "three "}};
    for (const auto& [Kind, Words] : Kinds) {
        std::set<std::string> Texts;
        for (int Rank = 2; Rank <= 14; ++Rank) {
            const std::string Text = Str(HandText({Kind, Rank}));
            const bool High = Kind == THandKind::HighCard;
            EXPECT_EQ(Text.rfind(Words), High ? Text.size() - std::string(Words).size() : 0) << Text;
            Texts.insert(Text);
        }
        EXPECT_EQ(Texts.size(), 13u) << Words;
    }
    EXPECT_EQ(Str(CardText(Cards[CardIndex("10C")])), "ten of clubs");
    Cards[CardIndex("10C")].FaceDown = true;
    EXPECT_EQ(Str(CardText(Cards[CardIndex("10C")])), "card, face down");
    EXPECT_EQ(Str(SpokenChips("1")), "1 chip");
    EXPECT_EQ(Str(SpokenChips("-15")), "-15 chips");
}

TEST_F(AccessibilityTest, MessageBoxesReadAsAlerts)
{
    QString Role, Text, Title, Label;
    QTimer Answerer;
    Answerer.setInterval(10);
    QObject::connect(&Answerer, &QTimer::timeout, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!Box)
            return;
        QAccessibleInterface* I = QAccessible::queryAccessibleInterface(Box);
        Role = I->role() == QAccessible::AlertMessage ? "alert" : "other";
        Title = I->text(QAccessible::Name);
        Text = I->text(QAccessible::Value);
        // A reader speaks the alert's text label among its children.
        for (int C = 0; C < I->childCount(); ++C)
            if (I->child(C)->role() == QAccessible::StaticText && I->child(C)->text(QAccessible::Name) == Text)
                Label = Text;
        Box->done(QMessageBox::Ok);
    });
    Answerer.start();
    ShowInformation(ShowMessageBox, QStringLiteral("Two winners, begin again!"), TMsgButtons::OkCancel);
    Answerer.stop();
    EXPECT_EQ(Str(Role), "alert");
    EXPECT_EQ(Title, QApplication::applicationName());
    EXPECT_EQ(Str(Text), "Two winners, begin again!");
    EXPECT_EQ(Label, Text);
}
