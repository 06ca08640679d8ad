#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "game/TableDisplay.h"
#include "game/TableEvent.h"
#include "support/Hands.h"

// A card as the lines name it: "AS", "10H", "KD".

// A display that shows nothing and writes down, one readable line each, every operation
// the game asks of it, in order: "deal KS up 1 12", "button Call normal on", "step 2".
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

    void Pause(int Ms) { Add("pause " + N(Ms)); }
    void Hear(const TTableEvent& Event);

    // The lines whose first word is one of Words, in order.
    std::vector<std::string> Only(std::initializer_list<const char*> Words) const;
    // How many lines begin with Prefix.
    int Count(const std::string& Prefix) const;

    void ShowMoney(int Player, int Chips) override { Add("money " + N(Player) + " " + N(Chips)); }
    void ShowStake(int Player, int Chips) override { Add("stake " + N(Player) + " " + N(Chips)); }
    void ClearStake(int Player) override { Add("clear-stake " + N(Player)); }
    void HideToken(int Player) override { Add("hide-token " + N(Player)); }
    bool StepToken(int Player) override;
    void ShowOpponents() override { Add("show-opponents"); }
    void SetLook(TTableButton Button, TButtonLook Look) override { Add("look " + Name(Button) + " " + Name(Look)); }
    void EnableButton(TTableButton Button, bool Enabled) override { Add("enable " + Name(Button) + OnOff(Enabled)); }
    void SetButton(TTableButton Button, TButtonLook Look, bool Enabled) override
    {
        Add("button " + Name(Button) + " " + Name(Look) + OnOff(Enabled));
    }
    void SetBusyCursor(bool Busy) override { Add("busy" + OnOff(Busy)); }
    void RunBettingTimer(bool Running) override { Add("timer" + OnOff(TimerRunning = Running)); }
    void FreeCards() override { Add("free-cards"); }
    void CreateCard(const TCard& Card) override { Add("create " + Lying(Card)); }
    void StackCard(const TCard& Card, int Position) override { Add("stack " + Lying(Card) + " " + N(Position)); }
    void DealCard(const TCard& Card, int Player, int Row) override { Add("deal " + Lying(Card) + " " + N(Player) + " " + N(Row)); }
    void HideCard(const TCard& Card) override { Add("hide " + CardName(Card)); }
    void LayCard(const TCard& Card, int Player, int Row) override { Add("lay " + Lying(Card) + " " + N(Player) + " " + N(Row)); }
    void TurnCard(const TCard& Card) override { Add("turn " + Lying(Card)); }
    void PileHand(const TCard& L, const TCard& M, const TCard& R) override { Add("pile " + Lying(L) + ", " + Lying(M) + ", " + Lying(R)); }
    void SpreadHand(const TCard& L, const TCard& M, const TCard& R) override { Add("spread " + Lying(L) + ", " + Lying(M) + ", " + Lying(R)); }
    void HideWinnerMarker() override { Add("hide-marker"); }
    void HideResultSheet() override { Add("hide-sheet"); }
    void ShowResult(const TSettlement& Settlement) override;
    void TellTie() override { Add("tell-tie"); }
    void TellGameOver(int Richest) override { Add("tell-game-over " + N(Richest)); }

private:
    void Add(std::string Line) { Lines.push_back(std::move(Line)); }
    static std::string N(int Value) { return std::to_string(Value); }
    static std::string OnOff(bool On) { return On ? " on" : " off"; }
    static std::string Name(TTableButton Button);
    static std::string Name(TButtonLook Look);
    // A card with how it lies: "KS up", "9D down back0".
    static std::string Lying(const TCard& Card);
    int Stepped[5] = {};
};
