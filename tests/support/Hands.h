#pragma once

#include <array>
#include <functional>
#include <string>

#include "game/Card.h"

// Card index 1..52 from a short name: "AS", "10H", "KD", "2C" (suits S, D, C, H), and a
// card's short name ("?J" for a joker).
int CardIndex(const std::string& Name);
std::string CardName(const TCard& Card);

// Three cards per seat, in the order they are dealt (rows 12, 11, 10).
struct THands
{
    std::array<std::string, 3> User, Jack, Jim, Kate;
};

// The draws that make the next shuffle leave these hands at the seats' deck positions,
// for a test's draw to answer with.
std::function<int(int N)> StackedDraws(const THands& Hands);

class TTable;
// Every chip a seat has lost this hand lies in its bets: nothing made or lost on the way.
bool ChipsBalance(const TTable& Table);

// Hands several tests deal.
// Every computer player holds a weak high card and folds in the first round.
inline const THands AllComputersFold{{"2S", "7D", "9C"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"JD", "9H", "8S"}};
// Everyone holds a pair or better, so nobody folds; the user's three sevens win.
inline const THands NobodyFolds{{"7S", "7D", "7C"}, {"2S", "2D", "3C"}, {"4H", "4C", "5D"}, {"9H", "9C", "KD"}};
// Jack's jack-nine-eight folds, Jim's queen-ten-two and Kate's three aces call every
// round; Kate wins.
inline const THands KateWins{{"9C", "7D", "2S"}, {"JS", "9D", "8C"}, {"QH", "10S", "2D"}, {"AS", "AD", "AC"}};
// Jim's jack-high folds at once; everyone else holds a pair or better.
inline const THands JimFolds{{"7S", "7D", "7C"}, {"2S", "2D", "3C"}, {"JH", "9S", "8D"}, {"9H", "9C", "KD"}};
// Jack and Kate share the best hand, K, 9, 5.
inline const THands JackAndKateTie{{"2S", "7D", "9C"}, {"KS", "9D", "5C"}, {"3H", "4S", "8D"}, {"KH", "9H", "5D"}};
// The user's aces win; Jim's five-high folds at once; Jack and Kate call every round.
inline const THands AcesWin{{"AS", "AD", "KC"}, {"9H", "9C", "2D"}, {"5H", "3S", "2C"}, {"10D", "10S", "4H"}};
// A hand of no particular outcome, to see where the cards go.
inline const THands Sample{{"KS", "9D", "9C"}, {"3H", "AS", "2D"}, {"5C", "3D", "2H"}, {"9H", "KH", "KD"}};
