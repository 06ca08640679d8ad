#include <utility>

#include "game/HandEval.h"
#include "game/Table.h"
#include "game/TableDisplay.h"

namespace {
constexpr int ShuffleSwaps = 163;
constexpr int DealPauseMs = 100, LayoutPauseMs = 10;

// The hand at Player's seat as its cards lie, position 0 the right card.
THandEval SeatHand(const TTable& Table, int Player)
{
    THandEval Hand;
    for (int R = LeftRow; R >= RightRow; --R) {
        Hand.Cards[R - RightRow] = Table.SeatCard(Player, R);
        Hand.Ranks[R - RightRow] = Hand.Cards[R - RightRow].Rank();
    }
    return Hand;
}
}

void TTable::CreateCards()
{
    for (int S = 0; S <= 3; ++S) {
        for (int V = 1; V <= 13; ++V) {
            TCard& Card = Cards[S * 13 + V];
            Card = {TCardValue(V), TCardSuit(S), true, PlainBack};
            Display.CreateCard(Card);
        }
    }
}

void TTable::ShuffleDeck()
{
    for (int I = 0; I <= 52; ++I)
        DeckOrder[I] = I;
    Draw.RandomizeFromClock();
    for (int Step = 0; Step < ShuffleSwaps; ++Step) {
        const int A = Draw.RandomBelow(52) + 1;
        const int B = Draw.RandomBelow(52) + 1;
        if (A != B)
            std::swap(DeckOrder[A], DeckOrder[B]);
    }
    for (int I = 1; I <= 52; ++I)
        Display.StackCard(Cards[DeckOrder[I]], I);
}

void TTable::DealHands()
{
    DealRow(LeftRow);
    DealRow(MiddleRow);
    DealRow(RightRow);
    for (int I = 40; I >= 1; --I)
        Display.HideCard(Cards[DeckOrder[I]]);
    for (int P = 1; P <= 4; ++P)
        Scores[P] = TakeHand(P);
}

void TTable::DealRow(int Row)
{
    for (int P = 1; P <= 4; ++P) {
        TCard& Card = SeatSlot(P, Row);
        Card.FaceDown = P != User;  // only the user sees the hand dealt to them
        Display.DealCard(Card, P, Row);
        Raise({TTableEvent::CardLaid, P});
        Pause(DealPauseMs);
    }
}

double TTable::TakeHand(int Player)
{
    THandEval Hand = SeatHand(*this, Player);
    SortHand(Hand);
    for (int R = LeftRow; R >= RightRow; --R) {
        TCard& Card = SeatSlot(Player, R);
        Card = Hand.Cards[R - RightRow];
        Display.LayCard(Card, Player, R);
        Pause(LayoutPauseMs);
    }
    return SeatScore(Player);
}

double TTable::SeatScore(int Player) const { return ScoreHand(SeatHand(*this, Player)); }
