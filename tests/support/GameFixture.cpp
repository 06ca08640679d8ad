#include "support/GameFixture.h"

#include <cstdlib>

TGameTest::TGameTest() { GiveChips(User, StartMoney); }

void TGameTest::GiveChips(int Player, int Chips)
{
    StartChips[Player] = Chips;
    Game.emplace(Display, [this](int Ms) { Display.Pause(Ms); }, Draws.Draw(), StartChips);
    QObject::connect(&*Game, &TTable::Happened, [this](const TTableEvent& Event) { Display.Hear(Event); });
}

void TGameTest::Deal(const THands& Hands)
{
    StackDeck(Hands);
    Game->NewHand();
    Draws.Script = {};
}

int TGameTest::TickUntilIdle(int Limit)
{
    int Ticks = 0;
    while (Ticks < Limit && Game->Mover() != 0 && Display.TimerRunning) {
        Game->BettingTick();
        ++Ticks;
    }
    return Ticks;
}

void TGameTest::PlayFolding(const THands& Hands)
{
    Deal(Hands);
    Game->Fold();
    TickUntilIdle();
}

void TGameTest::PlayCalling(const THands& Hands)
{
    Deal(Hands);
    while (Game->Stage() != TTable::BettingClosed) {
        if (Game->Stage() == TTable::UsersTurn)
            Game->Call();
        if (TickUntilIdle() == 0 && Game->Stage() != TTable::UsersTurn)
            break;  // nothing left to drive
    }
}

bool TGameTest::ChipsBalance() const { return ::ChipsBalance(*Game); }

std::vector<int> TGameTest::Pauses() const
{
    std::vector<int> Out;
    for (const std::string& Line : Display.Only({"pause"}))
        Out.push_back(std::atoi(Line.c_str() + 6));
    return Out;
}

std::vector<std::string> TGameTest::Events() const
{
    std::vector<std::string> Out;
    for (const std::string& Line : Display.Only({"event"}))
        if (Line.rfind("event pause-", 0) != 0 && Line.rfind("event card-laid", 0) != 0)  // the deal's own: DealTest
            Out.push_back(Line);
    return Out;
}
