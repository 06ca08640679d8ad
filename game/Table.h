#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/Card.h"
#include "game/Draw.h"
#include "game/TableEvent.h"

class TTableDisplay;

// Holds the game for Ms milliseconds. Whoever makes the table chooses how: the program's
// pause goes on answering a screen reader; a test's adds the time up.
using TPause = std::function<void(int Ms)>;

// Players, by the index every seat keeps: the user, then clockwise.
constexpr int User = 1, Jack = 2, Jim = 3, Kate = 4;
constexpr int StartMoney = 1000;
constexpr int Ante = 5;
constexpr int StakePerRound = 20;

// A seat's three cards lie at deck positions 4 * row + seat offset, the offset being
// 5 - player; row 12 holds the left card, 11 the middle one, 10 the right one.
constexpr int SeatCount = 4;
constexpr int LeftRow = 12, MiddleRow = 11, RightRow = 10;
constexpr int SeatOffset(int Player) { return 5 - Player; }
constexpr int DeckPosition(int Row, int Offset) { return SeatCount * Row + Offset; }

// One table and its game: the state of a hand, the moves that change it, and what they
// show. Arrays keep the game's index bases (players 1..4, cards and deck positions 1..52);
// element 0 is unused. The display is told what to show as each step happens; listeners
// hear what happened. Its pauses are Pause's, its shuffles draw from Draw.
class TTable
{
public:
    TTable(TTableDisplay& Display, TPause Pause, TDraw Draw);
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    // Hearing the game changes nothing of it: whoever reads the table may listen.
    void Listen(TTableListener Listener) const;

    // The moves: a new hand (Start, or a click on the sheet), the user's call and fold, one
    // tick of the betting timer, and the two flips.
    void NewHand();
    void Call();
    void Fold();
    void BettingTick();
    void Flip();
    void FlipAll();
    // Plays one of them as the player's or the timer's move: listeners hear MoveOver once it
    // has run to its end, and do then what its events called for.
    void Play(void (TTable::*Move)());

    // Where the hand stands: before the first deal; while the deck is rebuilt and dealt
    // (from the old cards' freeing to the new ones' laying out); then with the hand on the
    // table: the user to call or fold, the others betting (the user's chip travelling
    // included), the betting closed, the hand over (turned over and settled, or tied).
    enum TStage { NoHandYet, Dealing, UsersTurn, OthersBetting, BettingClosed, HandOver };
    TStage Stage = NoHandYet;
    bool HandOnTable() const { return Stage >= UsersTurn; }

    TCard Cards[53];                 // the hand's cards; a slot's card may change as hands are sorted
    int DeckOrder[53] = {};          // DeckOrder[i]: the slot in Cards of deck position i
    double Scores[5] = {};           // each player's hand score; 0.0 once folded
    int BetRound = 1;                // 1..3 while betting; a call costs BetRound * 20
    int TotalBets[5] = {};           // chips each player has put in this hand, ante included
    int Money[5] = {0, StartMoney, StartMoney, StartMoney, StartMoney};  // may go negative
    int MoneyBefore[5] = {0, StartMoney, StartMoney, StartMoney, StartMoney};  // before the ante
    bool Folded[5] = {};
    int FoldCount = 0;
    int TurnPhase = 0;               // the seat whose chip the next tick moves: 0 none, 1..4
    // The players' names, in UTF-8: the user's as typed at the start, "?" when none was.
    std::string Names[5] = {"", "?", "Jack", "Jim", "Kate"};
    void NameUser(const std::string& Name) { Names[User] = Name.empty() ? "?" : Name; }

    // A seat's chips as the table shows them: a call's stay there until its chip reaches
    // the pot. The pot: every chip that has reached it this hand, the antes included.
    int ChipsShown(int Player) const { return Money[Player] + Uncalled[Player]; }
    int Pot() const;
    // A seat's stake as its counter shows it: the chips its token has carried this hand,
    // the ante included, from the end of the deal until the next deal begins; 0 while
    // the counter is blank.
    int StakeShown(int Player) const { return Staked[Player]; }
    // A call's cost in the round being bet.
    int CallCost() const { return BetRound * StakePerRound; }
    static constexpr int LastRound = 3;

    // The card at Player's seat, Row 12, 11 or 10.
    const TCard& SeatCard(int Player, int Row) const { return Cards[DeckOrder[DeckPosition(Row, SeatOffset(Player))]]; }
    TCard& SeatCard(int Player, int Row) { return Cards[DeckOrder[DeckPosition(Row, SeatOffset(Player))]]; }

    // Deck, shuffle and deal.
    void CreateCards();
    void ShuffleDeck();
    void DealHands();
    void DealRow(int Row);
    double TakeHand(int Player);
    // The score of the hand at Player's seat as its cards lie, folded or not.
    double SeatScore(int Player) const;
    void FreeCards();

    // The computer player at Player decides on its call.
    void ComputerTurn(int Player);

private:
    void ChipPhase(int Player);
    bool TokenArrives(int Player);
    void EndBettingRound();
    void BookCall(int Player);
    void BookFold(int Player);
    void TurnOver(bool All);
    void Showdown();
    void GameOverTest();
    void ShowMoney();
    void ShowStake(int Player, int Chips);
    void ClearStake(int Player);
    void Pause(int Ms);
    void Raise(TTableEvent Event);

    TTableDisplay& Display;
    TPause Hold;
    TDraw Draw;
    mutable std::vector<TTableListener> Listeners;
    int Uncalled[5] = {};  // chips a seat has put in that its chip has not yet carried
    int Staked[5] = {};    // what each stake counter shows
};
