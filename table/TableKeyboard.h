#pragma once

#include <QObject>
#include <QPointer>

class TTableWindow;
class TGraphicControl;
class TImage;

// Playing the table from the keyboard: the Tab ring (the buttons, then the result sheet
// while it shows), Escape for the rules chart, and the focus following the turn. While
// the chart is open, what it covers (by stacking order) is out of the ring and takes no
// press; the focus waits on the chart, and goes back when the chart closes.
class TTableKeyboard : public QObject
{
public:
    explicit TTableKeyboard(TTableWindow* Form);

    // Where the focus goes now that the game may have handed the turn to the player
    // (Call, Flip or a new sheet became usable); null to leave it where it is.
    // Start never takes it by itself: one key too many would abandon the hand.
    TImage* TurnTarget();
    // After a click handler: the chart may have opened, closed or been covered in turn.
    // ChartHadFocus tells whether the focus waited on the chart before the handler.
    void AfterClick(bool ChartHadFocus);
    // Whether the rules chart lies over Control now.
    bool Covered(const TGraphicControl* Control) const;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    TTableWindow* Form;
    bool SheetWasUsable = false, CallWasUsable = false, FlipWasUsable = false, FlipAllWasUsable = false;
    // The control the chart covered while it had the focus.
    QPointer<TImage> CoveredFocus;
};
