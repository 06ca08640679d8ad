#pragma once

#include <QAccessible>
#include <QList>
#include <QObject>

#include "desktop/Speech.h"
#include "game/TableEvent.h"

class TTable;

// Tells a screen reader's user what just happened at the table, once each, short, in
// the order of play: where everyone sits, with the first hand only; a new hand and the
// player's own hand; each opponent's call as its chip arrives and each fold as the fold
// pile is drawn; the player's turn with what a call costs; the betting closed; the hands
// a flip turns over, told apart where two would sound alike; the winner and the gain.
// It hears the table's events, gathers their lines and hands them to Speech together
// once the move is over, or before a message box that opens inside it. A line about what
// the player may do now is dropped once that has passed unheard. Only while a reader
// listens: otherwise it composes nothing.
class TNarrator : public QObject, public QAccessible::ActivationObserver
{
public:
    TNarrator(const TTable& Table, TSpeech& Speech, QObject* Owner = nullptr);
    ~TNarrator() override;

    // Says at once where the hand stands, as one line: each player's chips, the pot, the
    // betting round, who has folded, and on the player's turn what a call costs.
    void SayStanding();

private:
    void Heard(const TTableEvent& Event);
    // The line of one event of the game, if it has one.
    void Tell(const TTableEvent& Event);
    // Says what was gathered since the last Flush, as one line.
    void Flush();
    // The game is about to hold the thread: a line the reader has not asked for yet would
    // be lost to it.
    void PauseBegins();
    QString Standing() const;
    // A reader that joins mid-hand hears from the next event on, not stale ones.
    void accessibilityActiveChanged(bool Active) override;
    void NoteFaceUp();
    // The hands a flip has just shown, each told apart from every other face-up hand it
    // would sound like but does not equal.
    QString TurnedOver();

    const TTable& Table;
    TSpeech& Speech;
    QList<TSpeech::TLine> Pending;
    bool Moved = false;  // the move under way has raised an event: its end is told
    bool FaceUpSaid[5] = {};  // whose hand has been told face up this hand
    bool SeatingSaid = false;  // with the first hand heard
    QString Outcome;  // how the hand on the table ended, once it has
};
