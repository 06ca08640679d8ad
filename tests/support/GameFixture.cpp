#include "support/GameFixture.h"

#include <cstdlib>

TGameTest::TGameTest()
    : TTableDriver({[this]() -> const TTable& { return *Game; },
                    [this](TMove Move) { AsPlayed ? Game->Play(Move) : ((*Game).*Move)(); },
                    [this](TMove Move) {
                        const TTable::TStage Stage = Game->Stage();
                        return Move == &TTable::BettingTick                         ? Display.TimerRunning
                               : Move == &TTable::Call || Move == &TTable::Fold     ? Stage == TTable::UsersTurn
                               : Move == &TTable::Flip || Move == &TTable::FlipAll ? Stage == TTable::BettingClosed
                                                                                    : Stage != TTable::Dealing;
                    }},
                   &Draws)
{
    GiveChips(User, StartMoney);
}

void TGameTest::GiveChips(int Player, int Chips)
{
    StartChips[Player] = Chips;
    Game.emplace(Display, [this](int Ms) { Display.Pause(Ms); }, Draws.Draw(), StartChips);
    QObject::connect(&*Game, &TTable::Happened, [this](const TTableEvent& Event) { Display.Hear(Event); });
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
