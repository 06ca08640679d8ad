#pragma once

#include <QString>
#include <optional>

#include "game/TableDisplay.h"

class QObject;
class QWidget;
class TCardControl;
class TImage;
class TPanel;
class TTable;
struct TCard;

// The parts of the table a listener points at: the six image buttons in focus order, the
// result sheet and the rules chart.
enum class TTablePart { Start, Rules, Call, Fold, Flip, FlipAll, Sheet, Chart };

// All that the table's listeners (keyboard, readers, narrator, trace, tests) may know of
// the table window: the game it shows; where a part of the table is; what the window
// shows that the game no longer holds; whether a control can be used. Nothing here
// changes the table: a listener acts as the player does, by focusing or pressing.
class TTableScene
{
public:
    // The game the window shows.
    virtual const TTable& Game() const = 0;

    // Where a part is: the control that stands for it, to focus, press or read.
    virtual TImage* Control(TTablePart Part) const = 0;
    // Where a seat is: its portrait, which readers take for the seat, and its stake counter.
    virtual TImage* Portrait(int Player) const = 0;
    virtual TImage* StakeCounter(int Player) const = 0;
    // Where a card of the game lies: its control this hand; null before the hand made it
    // and once it is freed.
    virtual TCardControl* CardControl(const TCard& Card) const = 0;
    // What the table is laid on; its focus rest holds the focus when no control does.
    virtual TPanel* Panel() const = 0;

    // What the result sheet shows, as drawn: a game over resets the figures it was drawn
    // from. Empty before the first sheet.
    virtual const std::optional<TSettlement>& DrawnSheet() const = 0;

    // Whether the open rules chart lies over Control: a covered control takes no press,
    // from a key or an assistive tool alike.
    virtual bool Covered(const QWidget* Control) const = 0;

protected:
    ~TTableScene() = default;
};

// Chips as the table writes them, on the money labels and the result sheet: decimal,
// a leading "-" when negative, no grouping.
QString ChipsText(int Chips);

// The scene of the table window Object lies on, or null.
const TTableScene* SceneOf(const QObject* Object);
