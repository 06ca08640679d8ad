#include "support/RecordingDisplay.h"

#include <algorithm>

std::string TRecordingDisplay::Name(TTableButton Button)
{
    static const char* const Names[] = {"Start", "Call", "Fold", "Flip", "FlipAll"};
    return Names[int(Button)];
}

std::string TRecordingDisplay::Name(TButtonLook Look)
{
    static const char* const Names[] = {"normal", "pressed", "disabled"};
    return Names[Look];
}

std::string TRecordingDisplay::Lying(const TCard& Card)
{
    return CardName(Card) + (Card.FaceDown ? " down" : " up") + (Card.Back == PlainBack ? "" : " back" + N(Card.Back));
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

bool TRecordingDisplay::StepToken(int Player)
{
    const bool Arrives = ++Stepped[Player] >= TokenSteps[Player];
    if (Arrives)
        Stepped[Player] = 0;
    Add("step " + N(Player) + (Arrives ? " arrives" : ""));
    return Arrives;
}

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
