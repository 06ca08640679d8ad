#pragma once

#include <QAccessible>
#include <QObject>
#include <QList>

#include "desktop/Announcer.h"
#include "game/TableEvent.h"

class TAnnouncer;
class TTableWindow;

// Tells a screen reader's user what just happened at the table, once each, short, in
// the order of play: where everyone sits, with the first hand only; a new hand and the
// player's own hand; each opponent's call as its chip arrives and each fold as the fold
// pile is drawn; the player's turn with what a call costs; the betting closed; the hands
// a flip turns over, told apart where two would sound alike; the winner and the gain.
// It hears the table's events, gathers their lines and says them together at Flush. A
// line about what the player may do now is dropped once that has passed unheard. Only
// while a reader listens: otherwise nobody calls it.
class TNarrator : public QObject, public QAccessible::ActivationObserver
{
public:
    TNarrator(TTableWindow* Window, QObject* Owner);
    ~TNarrator() override;

    void Heard(const TTableEvent& Event);
    // Says what was gathered since the last Flush, as one line.
    void Flush();
    // The game is about to hold the thread: a line the reader has not asked for yet would
    // be lost to it.
    void PauseBegins();
    // Says at once where the hand stands, as one line: each player's chips, the pot, the
    // betting round, who has folded, and on the player's turn what a call costs.
    void SayStanding();
    QString Standing() const;

private:
    // A reader that joins mid-hand hears from the next event on, not stale ones.
    void accessibilityActiveChanged(bool Active) override;
    void NoteFaceUp();
    // The hands a flip has just shown, each told apart from every other face-up hand it
    // would sound like but does not equal.
    QString TurnedOver();

    TTableWindow* Window;
    TAnnouncer* Announcer;
    QList<TAnnouncer::TLine> Pending;
    bool FaceUpSaid[5] = {};  // whose hand has been told face up this hand
    bool SeatingSaid = false;  // with the first hand heard
    QString Outcome;  // how the hand on the table ended, once it has
};
