#pragma once

// The table's state: one table and one game at a time, read and written directly by
// the game routines. Arrays keep the game's index bases (players 1..4, cards 1..52);
// element 0 of those is unused.
class TCardControl;

extern TCardControl* Cards[53];     // the 52 card controls of the hand
extern int DeckOrder[53];        // DeckOrder[i]: the index into Cards of deck position i
extern TCardControl* EvalCards[3];  // the hand under evaluation
extern int EvalValues[3];        // their ranks, 2..14 (an ace counts 14)
extern double Scores[5];         // each player's hand score; 0.0 once folded
extern int BetRound;             // 1..3 while betting; a call costs BetRound * 20
extern int TotalBets[5];         // chips each player has put in this hand, ante included
extern int Money[5];             // chips each player holds; may go negative
extern int MoneyBefore[5];       // chips held before this hand's ante
extern bool Folded[5];
extern int FoldCount;
extern int TurnPhase;            // what the next timer tick does: 0 nothing, 1..4 a seat's chip

// Players.
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
TCardControl* SeatCard(int Player, int Row);
// The deal's spacing between neighbouring cards of a seat.
constexpr int CardSpacing = 15;

// A card's value for comparison: an ace counts 14.
int Rank(const TCardControl* Card);

// The chip accounting of a call (BetRound * 20 chips from Money into TotalBets) and of
// a fold (no chips move; the hand can no longer win), for the user and the computer alike.
void BookCall(int Player);
void BookFold(int Player);
