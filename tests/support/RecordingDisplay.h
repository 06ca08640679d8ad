#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "game/TableDisplay.h"
#include "game/TableEvent.h"

// A card as the lines name it: "AS", "10H", "KD".
std::string CardName(const TCard& Card);

// A display that shows nothing and writes down, one readable line each, every operation
// the game asks of it, in order: "deal KS 1 12 up", "button Call normal on", "step 2".
// The table's pauses ("pause 100") and events ("event call 2 20") go into the same lines
// when the test wires them here, so one list tells the whole order of a move.
class TRecordingDisplay : public TTableDisplay
{
public:
    std::vector<std::string> Lines;
    // How many steps each seat's chip takes to the pot; a chip stopped on its way (a new
    // hand begun meanwhile) goes on from where it stood, as a token left halfway does.
    int TokenSteps[5] = {0, 3, 3, 3, 3};
    bool TimerRunning = false;  // as the betting timer was last told

    void Pause(int Ms) { Lines.push_back("pause " + std::to_string(Ms)); }
    void Hear(const TTableEvent& Event);

    // The lines whose first word is one of Words, in order.
    std::vector<std::string> Only(std::initializer_list<const char*> Words) const;
    // How many lines begin with Prefix.
    int Count(const std::string& Prefix) const;

    void ShowMoney(int Player, int Chips) override;
    void ShowStake(int Player, int Chips) override;
    void ClearStake(int Player) override;
    void HideToken(int Player) override;
    bool StepToken(int Player) override;
    void ShowOpponents() override;
    void SetLook(TTableButton Button, TButtonLook Look) override;
    void EnableButton(TTableButton Button, bool Enabled) override;
    void SetButton(TTableButton Button, TButtonLook Look, bool Enabled) override;
    void SetBusyCursor(bool Busy) override;
    void RunBettingTimer(bool Running) override;
    void FreeCards() override;
    void CreateCard(const TCard& Card) override;
    void StackCard(const TCard& Card, int Position) override;
    void DealCard(const TCard& Card, int Player, int Row) override;
    void HideCard(const TCard& Card) override;
    void LayCard(const TCard& Card, int Player, int Row) override;
    void TurnCard(const TCard& Card) override;
    void PileHand(const TCard& Left, const TCard& Middle, const TCard& Right) override;
    void SpreadHand(const TCard& Left, const TCard& Middle, const TCard& Right) override;
    void HideWinnerMarker() override;
    void HideResultSheet() override;
    void ShowResult(const TSettlement& Settlement) override;
    void TellTie() override;
    void TellGameOver(int Richest) override;

private:
    void Add(std::string Line) { Lines.push_back(std::move(Line)); }
    int Stepped[5] = {};
};
