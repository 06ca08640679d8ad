#pragma once

// What just happened at the table, raised by the game where it happens, once the screen
// shows it. Listeners (the narrator, the keyboard, accessibility, the trace) hear every
// event in the order of play and never infer the game's phase from the controls.
struct TTableEvent
{
    enum TKind {
        HandDealt,        // the new hand lies on the table
        Call,             // Player's chip has reached the pot: Chips put in since its last one
        Fold,             // Player gave up the hand (a computer's fold pile is drawn)
        UserTurn,         // the user may call or fold; a call costs Chips
        BettingClosed,    // Flip and Flip all are open
        HandsTurnedOver,  // a flip turned hands over: every hand when All, else those still in
        Result,           // Player won the pot, gaining Chips
        Tie,              // the best hand was shared: nobody wins
        GameOver,         // Player is the richest; everyone starts again
        PauseBegins,      // the game holds the thread for Chips milliseconds
        PauseEnds,
        MoveOver,         // a move played through Play has run to its end
        CardLaid,         // a card dealt to Player is on the screen, before the deal's pause
    };
    TKind Kind;
    int Player = 0;
    int Chips = 0;
    bool All = false;
};

// The event's name in the trace: "hand-dealt", "call", ...
const char* EventName(TTableEvent::TKind Kind);
