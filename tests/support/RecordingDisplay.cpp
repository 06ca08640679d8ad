#include "support/RecordingDisplay.h"

#include <algorithm>

namespace {
const char* ButtonName(TTableButton Button)
{
    static const char* const Names[] = {"Start", "Call", "Fold", "Flip", "FlipAll"};
    return Names[int(Button)];
}
const char* LookName(TButtonLook Look)
{
    static const char* const Names[] = {"normal", "pressed", "disabled"};
    return Names[Look];
}
const char* OnOff(bool On) { return On ? "on" : "off"; }
std::string N(int Value) { return std::to_string(Value); }
// A card with how it lies: "KS up", "9D down back0".
std::string Lying(const TCard& Card)
{
    return CardName(Card) + (Card.FaceDown ? " down" : " up") + (Card.Back == Back1 ? "" : " back" + N(Card.Back));
}
std::string Hand(const TCard& Left, const TCard& Middle, const TCard& Right)
{
    return Lying(Left) + ", " + Lying(Middle) + ", " + Lying(Right);
}
}

std::string CardName(const TCard& Card)
{
    static const char* const Values[] = {"?", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    return std::string(Values[Card.Value]) + "SDCHJ"[Card.Suit];
}

void TRecordingDisplay::Hear(const TTableEvent& Event)
{
    std::string Line = std::string("event ") + EventName(Event.Kind);
    if (Event.Player)
        Line += " " + N(Event.Player);
    if (Event.Chips || Event.Kind == TTableEvent::Call)
        Line += " " + N(Event.Chips);
    if (Event.All)
        Line += " all";
    Add(Line);
}

std::vector<std::string> TRecordingDisplay::Only(std::initializer_list<const char*> Words) const
{
    std::vector<std::string> Out;
    for (const std::string& Line : Lines)
        for (const char* Word : Words)
            if (Line.substr(0, Line.find(' ')) == Word)
                Out.push_back(Line);
    return Out;
}

int TRecordingDisplay::Count(const std::string& Prefix) const
{
    return int(std::count_if(Lines.begin(), Lines.end(), [&](const std::string& L) { return L.rfind(Prefix, 0) == 0; }));
}

void TRecordingDisplay::ShowMoney(int Player, int Chips) { Add("money " + N(Player) + " " + N(Chips)); }
void TRecordingDisplay::ShowStake(int Player, int Chips) { Add("stake " + N(Player) + " " + N(Chips)); }
void TRecordingDisplay::ClearStake(int Player) { Add("clear-stake " + N(Player)); }
void TRecordingDisplay::HideToken(int Player) { Add("hide-token " + N(Player)); }

bool TRecordingDisplay::StepToken(int Player)
{
    const bool Arrives = ++Stepped[Player] >= TokenSteps[Player];
    if (Arrives)
        Stepped[Player] = 0;
    Add("step " + N(Player) + (Arrives ? " arrives" : ""));
    return Arrives;
}

void TRecordingDisplay::ShowOpponents() { Add("show-opponents"); }
void TRecordingDisplay::SetLook(TTableButton Button, TButtonLook Look) { Add(std::string("look ") + ButtonName(Button) + " " + LookName(Look)); }
void TRecordingDisplay::EnableButton(TTableButton Button, bool Enabled) { Add(std::string("enable ") + ButtonName(Button) + " " + OnOff(Enabled)); }

void TRecordingDisplay::SetButton(TTableButton Button, TButtonLook Look, bool Enabled)
{
    Add(std::string("button ") + ButtonName(Button) + " " + LookName(Look) + " " + OnOff(Enabled));
}

void TRecordingDisplay::SetBusyCursor(bool Busy) { Add(std::string("busy ") + OnOff(Busy)); }
void TRecordingDisplay::RunBettingTimer(bool Running)
{
    TimerRunning = Running;
    Add(std::string("timer ") + OnOff(Running));
}
void TRecordingDisplay::FreeCards() { Add("free-cards"); }
void TRecordingDisplay::CreateCard(const TCard& Card) { Add("create " + Lying(Card)); }
void TRecordingDisplay::StackCard(const TCard& Card, int Position) { Add("stack " + Lying(Card) + " " + N(Position)); }
void TRecordingDisplay::DealCard(const TCard& Card, int Player, int Row) { Add("deal " + Lying(Card) + " " + N(Player) + " " + N(Row)); }
void TRecordingDisplay::HideCard(const TCard& Card) { Add("hide " + CardName(Card)); }
void TRecordingDisplay::LayCard(const TCard& Card, int Player, int Row) { Add("lay " + Lying(Card) + " " + N(Player) + " " + N(Row)); }
void TRecordingDisplay::TurnCard(const TCard& Card) { Add("turn " + Lying(Card)); }
void TRecordingDisplay::PileHand(const TCard& Left, const TCard& Middle, const TCard& Right) { Add("pile " + Hand(Left, Middle, Right)); }
void TRecordingDisplay::SpreadHand(const TCard& Left, const TCard& Middle, const TCard& Right) { Add("spread " + Hand(Left, Middle, Right)); }
void TRecordingDisplay::HideWinnerMarker() { Add("hide-marker"); }
void TRecordingDisplay::HideResultSheet() { Add("hide-sheet"); }

void TRecordingDisplay::ShowResult(const TSettlement& Settlement)
{
    std::string Line = "result " + N(Settlement.Winner) + " adds";
    for (int P = 1; P <= 4; ++P)
        Line += " " + N(Settlement.Add[P]);
    Line += " holds";
    for (int P = 1; P <= 4; ++P)
        Line += " " + N(Settlement.Score[P]);
    Add(Line);
}

void TRecordingDisplay::TellTie() { Add("tell-tie"); }
void TRecordingDisplay::TellGameOver(int Richest) { Add("tell-game-over " + N(Richest)); }
