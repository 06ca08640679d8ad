#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <string>

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

// Each seat's chips, by player index; element 0 is unused.
using TSeatChips = std::array<int, 5>;
// How a game begins, and begins again after a game over: every seat holds StartMoney.
constexpr TSeatChips EvenChips = {0, StartMoney, StartMoney, StartMoney, StartMoney};

// A seat's three cards lie at deck positions 4 * row + seat offset, the offset being
// 5 - player; row 12 holds the left card, 11 the middle one, 10 the right one.
constexpr int SeatCount = 4;
constexpr int LeftRow = 12, MiddleRow = 11, RightRow = 10;
constexpr int SeatOffset(int Player) { return 5 - Player; }
constexpr int DeckPosition(int Row, int Offset) { return SeatCount * Row + Offset; }

// One table and its game: the state of a hand, the moves that change it, and what they
// show. Queries keep the game's index bases (players 1..4, deck positions 1..52). The
// display is told what to show as each step happens; Happened tells listeners what
// happened, in the order of play. Its pauses are Pause's, its shuffles draw from Draw, and
// the first game starts with Chips at the seats.
class TTable : public QObject
{
    Q_OBJECT
public:
    TTable(TTableDisplay& Display, TPause Pause, TDraw Draw, const TSeatChips& Chips = EvenChips);

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
    // The user's name as typed at the start, in UTF-8; "?" when none was.
    void NameUser(const std::string& Name) { Names[User] = Name.empty() ? "?" : Name; }

    // Where the hand stands: before the first deal; while the deck is rebuilt and dealt
    // (from the old cards' freeing to the new ones' laying out); then with the hand on the
    // table: the user to call or fold, the others betting (the user's chip travelling
    // included), the betting closed, the hand over (turned over and settled, or tied).
    enum TStage { NoHandYet, Dealing, UsersTurn, OthersBetting, BettingClosed, HandOver };
    TStage Stage() const { return Phase.Stage; }
    bool HandOnTable() const { return Phase.Stage >= UsersTurn; }
    // While the others bet, the seat whose chip the next tick moves (1..4); 0 otherwise.
    int Mover() const { return Phase.Mover; }
    // 1..3 while betting; a call costs BetRound * 20.
    int BetRound() const { return Round; }
    int CallCost() const { return Round * StakePerRound; }
    static constexpr int LastRound = 3;
    int FoldCount() const { return Folds; }

    // A seat's chips (they may go negative), its chips before this hand's ante, and what
    // it has put in this hand, the ante included.
    int Chips(int Player) const { return Money[Player]; }
    int ChipsBefore(int Player) const { return MoneyBefore[Player]; }
    int Bets(int Player) const { return TotalBets[Player]; }
    bool Folded(int Player) const { return HasFolded[Player]; }
    // The hand's score as dealt; 0.0 once folded.
    double Score(int Player) const { return Scores[Player]; }
    // The player's name, in UTF-8.
    const std::string& Name(int Player) const { return Names[Player]; }

    // A seat's chips as the table shows them: a call's stay there until its chip reaches
    // the pot. The pot: every chip that has reached it this hand, the antes included.
    int ChipsShown(int Player) const { return Money[Player] + Uncalled[Player]; }
    int Pot() const;
    // A seat's stake as its counter shows it: the chips its token has carried this hand,
    // the ante included, from the end of the deal until the next deal begins; 0 while
    // the counter is blank.
    int StakeShown(int Player) const { return Staked[Player]; }

    // The card at deck position 1..52 (the shuffle's order; the seats' hands lie sorted).
    const TCard& DeckCard(int Position) const { return Cards[DeckOrder[Position]]; }
    // The card at Player's seat, Row 12, 11 or 10.
    const TCard& SeatCard(int Player, int Row) const { return DeckCard(DeckPosition(Row, SeatOffset(Player))); }
    // The score of the hand at Player's seat as its cards lie, folded or not.
    double SeatScore(int Player) const;

signals:
    // Every event of the game, as it happens. Listeners connect directly: they hear it in
    // the middle of the move, before the game goes on.
    void Happened(const TTableEvent& Event);

private:
    // The card at Player's seat, to deal, sort, pile or turn.
    TCard& SeatSlot(int Player, int Row) { return Cards[DeckOrder[DeckPosition(Row, SeatOffset(Player))]]; }
    // Deck, shuffle and deal.
    void CreateCards();
    void ShuffleDeck();
    void DealHands();
    void DealRow(int Row);
    double TakeHand(int Player);
    // The computer player at Player decides on its call.
    void ComputerTurn(int Player);
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
    // Where the hand stands, and whose chip moves: set together, so they always agree.
    void Enter(TStage Stage, int Mover = 0) { Phase = {Stage, Mover}; }

    TTableDisplay& Display;
    TPause Hold;
    TDraw Draw;
    struct TPhase
    {
        TStage Stage = NoHandYet;
        int Mover = 0;
    } Phase;
    TCard Cards[53];          // the hand's cards; a slot's card may change as hands are sorted
    int DeckOrder[53] = {};   // DeckOrder[i]: the slot in Cards of deck position i
    double Scores[5] = {};
    int Round = 1;
    int TotalBets[5] = {};
    TSeatChips Money;
    TSeatChips MoneyBefore;
    bool HasFolded[5] = {};
    int Folds = 0;
    std::string Names[5] = {"", "?", "Jack", "Jim", "Kate"};
    int Uncalled[5] = {};  // chips a seat has put in that its chip has not yet carried
    int Staked[5] = {};    // what each stake counter shows
};
