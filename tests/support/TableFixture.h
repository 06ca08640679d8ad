#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <ostream>
#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "desktop/GraphicControl.h"
#include "desktop/MessageBox.h"
#include "support/Hands.h"
#include "support/TableDriver.h"
#include "support/TestDraw.h"
#include "table/TableWindow.h"

class TCardControl;

// The six buttons as a reader finds them, in focus order, from tests/support/buttons.tsv.
struct TButtonSeen
{
    std::string Caption, Meaning;
};
enum TButtonNo { StartButton, RulesButton, CallButton, FoldButton, FlipButton, FlipAllButton };
const std::array<TButtonSeen, 6>& ButtonsSeen();
inline const std::string& Caption(TButtonNo Button) { return ButtonsSeen()[Button].Caption; }

// A shown table window made with seams for tests, played by the driver: pauses take no
// time and are added up, message boxes are recorded and answered, the draw is fixed and
// the deck can be stacked, and the betting timer ticks only when the test says.
class TTableTest : public ::testing::Test, public TTableDriver
{
protected:
    TTableTest() : TTableDriver(PaintedWays(this), &Draws) {}
    void SetUp() override;
    void TearDown() override;

    // Seams wired to Pausing, Answering and Draws, for every window a test makes.
    TTableSeams Seams();
    // Test's window's ways to play, each tick after the painting of what the last move
    // changed; the buttons are clicked by Press, when it is given.
    static TWays PaintedWays(TTableTest* Test, std::function<void(QWidget*)> Press = {});
    // A new window in Window, made with Seams() and its listeners as the program installs
    // them, shown and exposed; the old one goes first.
    void ShowNewWindow();
    // What each pause does: by default it is recorded in Sleeps.
    TPause Pausing;
    // Who answers each box: by default it is recorded in Messages and answered with Answer.
    TMessageBoxes Answering;
    // The input gate's clock, for windows made from now on; empty: the real one.
    TInputGuard::TClock GateClock;
    TTestDraw Draws;
    // The seats' chips the next window's game starts with.
    TSeatChips StartChips = EvenChips;

    // A mouse click through the window system's events.
    void Click(QWidget* Control, Qt::MouseButton Button = Qt::LeftButton);
    // The panel's pixels, as the screen shows them.
    QImage GrabPanel() const;
    QRgb PanelPixel(int X, int Y) const;

    // The controls on a parent, bottom to top.
    static QList<QWidget*> Stacking(QWidget* Parent);
    // The table's game, and the control of the card at its deck position 1..52.
    const TTable& Game() const { return Window->Game(); }
    TCardControl* Card(int Position) const { return Window->CardControl(Game().DeckCard(Position)); }
    // The card control at the seat of Player, row 12, 11 or 10.
    TCardControl* SeatCard(int Player, int Row) const { return Window->CardControl(Game().SeatCard(Player, Row)); }
    // A button by its place in the focus order; any other control by its role ("JackMoney").
    TImage* Control(TButtonNo Button) const { return Window->Control(TTablePart(Button)); }
    template <class T = TImage> T* Named(const QString& Role) const { return Window->findChild<T*>(Role); }
    TTimer* Timer() const { return Named<TTimer>(QStringLiteral("BettingTimer")); }
    // Chips(p) + Bets(p) == ChipsBefore(p) for every player.
    bool ChipsBalance() const;

    std::unique_ptr<TTableWindow> Window;
    std::vector<int> Sleeps;
    int SleptMs() const;
    std::vector<TMessageRecord> Messages;
    int Answer = QMessageBox::Ok;
};

// Whether a box is the farewell the window says when it closes.
inline bool IsFarewell(const QString& Text) { return Text.startsWith(QStringLiteral("本软件免费")); }

// A whole number from the environment, or Default: how the long runs are scaled.
inline long EnvLong(const char* Name, long Default)
{
    const char* Value = std::getenv(Name);
    return Value && *Value ? std::atol(Value) : Default;
}

// Readable geometry in test failures.
inline void PrintTo(const QRect& R, std::ostream* Out) { *Out << "QRect(" << R.x() << "," << R.y() << " " << R.width() << "x" << R.height() << ")"; }
inline void PrintTo(const QPoint& P, std::ostream* Out) { *Out << "QPoint(" << P.x() << "," << P.y() << ")"; }
inline void PrintTo(const QSize& S, std::ostream* Out) { *Out << "QSize(" << S.width() << "x" << S.height() << ")"; }
