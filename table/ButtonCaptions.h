#pragma once

// The six image buttons' captions, where each is written on its 100 x 32 skin, and what
// the button does in plain English. The table draws and names its buttons from this
// list, and the painter checks its skins against it; it needs nothing but C++.
struct TButtonCaption
{
    const char* Caption;  // UTF-8
    int Y;                // top of the text on the skin; every caption starts at CaptionX
    const char* Meaning;  // for readers
};

// In focus order: Start, Rules, Call, Fold, Flip, Flip all.
inline constexpr TButtonCaption ButtonCaptions[6] = {
    {"开始", 6, "Start: ante 5 chips and deal a new hand"},
    {"规则", 6, "Rules: show the chart of hands"},
    {"跟注", 4, "Call: put in this round's stake"},
    {"放弃", 4, "Fold: give up this hand"},
    {"翻牌", 4, "Flip: turn over the hands still in"},
    {"全翻", 4, "Flip all: turn over every hand"},
};
inline constexpr int CaptionX = 30;
inline constexpr int CaptionPoints = 16;  // bold; 21 px at 96 dpi
// The caption's colour (#RRGGBB) by look: normal, pressed, disabled.
inline constexpr unsigned CaptionRgb[3] = {0xFFFF00, 0x00FF00, 0xFFFFFF};
