#include "support/Hands.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "game/Table.h"

static const std::string Values[] = {"?", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"}, Suits = "SDCHJ";

int CardIndex(const std::string& Name)
{
    const int V = int(std::find(Values + 1, std::end(Values), Name.substr(0, Name.size() - 1)) - Values);
    return V < 14 && Suits.find(Name.back()) < 4 ? int(Suits.find(Name.back())) * 13 + V : throw std::invalid_argument("no such card: " + Name);
}

std::string CardName(const TCard& Card) { return Values[Card.Value] + Suits.substr(Card.Suit, 1); }

std::function<int(int N)> StackedDraws(const THands& Hands)
{
    // Where each card must end: the seats' positions first, the rest in order below.
    int Target[53] = {};
    bool Used[53] = {};
    const std::array<std::string, 3>* Seats[5] = {nullptr, &Hands.User, &Hands.Jack, &Hands.Jim, &Hands.Kate};
    for (int P = 1; P <= 4; ++P)
        for (int I = 0; I < 3; ++I) {
            const int K = CardIndex((*Seats[P])[I]);
            if (Used[K])
                throw std::invalid_argument("card dealt twice: " + (*Seats[P])[I]);
            Target[4 * (12 - I) + 5 - P] = K;
            Used[K] = true;
        }
    int Next = 1;
    for (int Pos = 1; Pos <= 40; ++Pos) {
        while (Used[Next])
            ++Next;
        Target[Pos] = Next++;
    }
    // The swaps that turn the identity into Target; the remaining draws change nothing.
    int Order[53];
    for (int I = 0; I <= 52; ++I)
        Order[I] = I;
    auto Wanted = std::make_shared<std::vector<int>>();
    for (int Pos = 1; Pos <= 52; ++Pos) {
        if (Order[Pos] == Target[Pos])
            continue;
        int From = Pos + 1;
        while (Order[From] != Target[Pos])
            ++From;
        std::swap(Order[Pos], Order[From]);
        Wanted->push_back(Pos - 1);
        Wanted->push_back(From - 1);
    }
    while (Wanted->size() < 326)
        Wanted->push_back(0);
    auto Drawn = std::make_shared<size_t>(0);
    return [Wanted, Drawn](int) { return (*Wanted)[(*Drawn)++ % Wanted->size()]; };
}

bool ChipsBalance(const TTable& Table)
{
    for (int P = 1; P <= 4; ++P)
        if (Table.Chips(P) + Table.Bets(P) != Table.ChipsBefore(P))
            return false;
    return true;
}
