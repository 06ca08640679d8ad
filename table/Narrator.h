#pragma once

#include <QAccessible>
#include <QObject>
#include <QStringList>

class TAnnouncer;
class TTableWindow;

// Tells a screen reader's user what just happened at the table, once each, short, in
// the order of play: where everyone sits, with the first hand only; a new hand and the
// player's own hand; each opponent's call as its
// token arrives and each fold as the fold pile is drawn; the player's turn with what a
// call costs; the betting closed; the hands a flip turns over; the winner and the gain.
// It is told at the handlers' and the betting phases' boundaries, reads the table state
// there, gathers the lines and says them together at Flush. Only while a reader listens:
// otherwise the table's handlers never call it.
class TNarrator : public QObject, public QAccessible::ActivationObserver
{
public:
    explicit TNarrator(TTableWindow* Form);
    ~TNarrator() override;

    // Start's handler (or the sheet's) has dealt a new hand.
    void HandDealt();
    // The betting phase of Player (1..4) ended on a timer tick: that seat's token has
    // arrived or it was passed over, and the next seat has decided.
    void PhaseEnded(int Player);
    // After a click handler, or as a message box opens inside one: the hands a flip turned
    // over, then the result of a showdown.
    void Flipped();
    // The sheet was just drawn: its result is said after the hands that were turned over.
    void ResultDrawn(int Winner);
    // The turn has come to the player, with what a call costs (said here only: whether
    // the focus's return to Call is spoken depends on how late the reader is), or the
    // betting has closed.
    void TurnChanged();
    // Says what was gathered since the last Flush, as one line.
    void Flush();

private:
    // A reader that joins mid-hand hears from the next change on, not stale ones: the
    // first boundary after a change of listening only takes the table in.
    void accessibilityActiveChanged(bool Active) override;
    bool Sync();

    TTableWindow* Form;
    TAnnouncer* Announcer;
    QStringList Pending;
    QString Result;
    bool Synced = false;
    int Staked[5] = {};
    bool FoldSaid[5] = {}, FaceUpSaid[5] = {};
    bool CallOpen = false, FlipOpen = false;
    bool SeatingSaid = false;  // with the first hand heard
};
