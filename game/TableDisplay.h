#pragma once

#include "game/Card.h"

// The buttons the game opens and closes, and their looks.
enum class TTableButton { Start, Call, Fold, Flip, FlipAll };
enum TButtonLook { blNormal = 0, blPressed = 1, blDisabled = 2 };

// A showdown's outcome, by player index 1..4, as the result sheet shows it.
struct TSettlement
{
    int Winner = 0;
    int Add[5] = {};    // what the hand added to each player's chips (minus the bets)
    int Score[5] = {};  // the chips each player holds now
};

// What the screen must show at each step of the game, as named operations. The game
// calls them in the order the player is to see things; each one shows its change at once
// (a card dealt is painted before the game pauses), so the window implements them with
// the repaints they need and nothing more.
class TTableDisplay
{
public:
    virtual ~TTableDisplay() = default;

    // Seats, by player index 1..4.
    virtual void ShowMoney(int Player, int Chips) = 0;
    virtual void ShowStake(int Player, int Chips) = 0;
    virtual void ClearStake(int Player) = 0;
    virtual void HideToken(int Player) = 0;
    // Moves Player's chip token one step towards the pot; true once it has arrived (it is
    // then back home, unseen).
    virtual bool StepToken(int Player) = 0;
    virtual void ShowOpponents() = 0;

    // Buttons.
    virtual void SetLook(TTableButton Button, TButtonLook Look) = 0;
    virtual void EnableButton(TTableButton Button, bool Enabled) = 0;
    // The look first, then the state.
    virtual void SetButton(TTableButton Button, TButtonLook Look, bool Enabled) = 0;
    virtual void SetBusyCursor(bool Busy) = 0;
    virtual void RunBettingTimer(bool Running) = 0;

    // Cards: one control per card, made for the hand and freed with it.
    virtual void FreeCards() = 0;
    // A new card control on the pile, showing Card.
    virtual void CreateCard(const TCard& Card) = 0;
    // The shuffled deck fanned out, Position 1..52 from the pile's right.
    virtual void StackCard(const TCard& Card, int Position) = 0;
    // Card dealt into Player's seat at Row, lying as Card says; on top.
    virtual void DealCard(const TCard& Card, int Player, int Row) = 0;
    virtual void HideCard(const TCard& Card) = 0;
    // Card laid at Row of Player's sorted hand; on top.
    virtual void LayCard(const TCard& Card, int Player, int Row) = 0;
    // Card turned face up or down, as it says.
    virtual void TurnCard(const TCard& Card) = 0;
    // A folded hand (left, middle, right) in the other back, piled on its middle card.
    virtual void PileHand(const TCard& Left, const TCard& Middle, const TCard& Right) = 0;
    // A hand spread to the deal's spacing around its middle card.
    virtual void SpreadHand(const TCard& Left, const TCard& Middle, const TCard& Right) = 0;

    // Outcomes.
    virtual void HideWinnerMarker() = 0;
    virtual void HideResultSheet() = 0;
    virtual void ShowResult(const TSettlement& Settlement) = 0;
    virtual void TellTie() = 0;
    virtual void TellGameOver(int Richest) = 0;
};
