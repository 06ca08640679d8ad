#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "game/TableEvent.h"

class QWidget;
class TImage;
class TTableScene;

// Playing the table from the keyboard: the Tab ring (the buttons, then the result sheet
// while it shows), Escape for the rules chart, and the focus following the turn. While
// the chart is open, what it covers (by stacking order) is out of the ring and takes no
// press; the focus waits on the chart, and goes back when the chart closes. One key
// asks where the hand stands; neither Orca nor the desktops take it.
class TTableKeyboard : public QObject
{
public:
    static constexpr int StandingKey = Qt::Key_S;

    // Window: the table window, whose keys and focus it watches; Scene: what it knows of it.
    TTableKeyboard(QWidget* Window, const TTableScene& Scene, QObject* Owner);

    // The standing key was pressed: it changes nothing and moves no focus.
    std::function<void()> OnStandingKey;

    // A table event: the turn may have come to the player.
    void Heard(const TTableEvent& Event);
    // Once the move that raised the events is over: the focus goes where the turn has
    // opened (Call, Flip, or a new sheet). Start never takes it by itself: one key too
    // many would abandon the hand.
    void FollowTurn();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // What the chart covers leaves the ring, and comes back when it no longer does.
    void UpdateRing();
    void ChartShown();
    void ChartHidden(bool HadFocus);

    QWidget* Window;
    const TTableScene& Scene;
    // Turn controls opened by the game since the focus last followed: the sheet, Call,
    // Flip, Flip all.
    bool Opened[4] = {};
    // The control the chart covered while it had the focus.
    QPointer<TImage> CoveredFocus;
};
