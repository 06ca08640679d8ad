#pragma once

#include <cstdint>

using TCardValue = std::uint8_t;  // 1..13: 1 ace, 11 jack, 12 queen, 13 king
enum TCardSuit : std::uint8_t { Spades = 0, Diamonds = 1, Clubs = 2, Hearts = 3, Joker = 4 };
// A card back's design, numbered as its picture (BK0, BK1, ...): cards are dealt with the
// plain back, a computer's folded hand shows the folded one. The spare design has no picture.
enum TCardBack : std::uint8_t { FoldedBack = 0, PlainBack = 1, SpareBack = 2 };

// One card of the game: what it is and how it lies. The window shows it on the card
// control of the same Id.
struct TCard
{
    TCardValue Value = 1;
    TCardSuit Suit = Hearts;
    bool FaceDown = false;
    TCardBack Back = PlainBack;

    // 1..52 for the four suits, the card's identity for the whole hand.
    int Id() const { return Suit * 13 + Value; }
    // For comparison: an ace counts 14.
    int Rank() const { return Value == 1 ? 14 : Value; }
};
