#pragma once

#include <QtGlobal>

// The six image buttons' captions, where each is written on its 100 x 32 skin, and what
// the button does in plain English (marked for the catalogue: readers get it in the
// desktop's language; the caption stays as drawn). The table draws and names its buttons
// from this list, and the painter checks its skins against it.
struct TButtonCaption
{
    const char* Caption;  // UTF-8
    int Y;                // top of the text on the skin; every caption starts at CaptionX
    const char* Meaning;  // for readers, in English
};

// In focus order: Start, Rules, Call, Fold, Flip, Flip all.
inline constexpr TButtonCaption ButtonCaptions[6] = {
    {"开始", 6, QT_TRANSLATE_NOOP("ButtonCaptions", "Start: ante 5 chips and deal a new hand")},
    {"规则", 6, QT_TRANSLATE_NOOP("ButtonCaptions", "Rules: show the chart of hands; the S key tells where the hand stands, the M key turns the sounds off or on")},
    {"跟注", 4, QT_TRANSLATE_NOOP("ButtonCaptions", "Call: put in this round's stake")},
    {"放弃", 4, QT_TRANSLATE_NOOP("ButtonCaptions", "Fold: give up this hand")},
    {"翻牌", 4, QT_TRANSLATE_NOOP("ButtonCaptions", "Flip: turn over the hands still in")},
    {"全翻", 4, QT_TRANSLATE_NOOP("ButtonCaptions", "Flip all: turn over every hand")},
};
inline constexpr int CaptionX = 30;
inline constexpr int CaptionPoints = 16;  // bold; 21 px at 96 dpi
// The caption's colour (#RRGGBB) by look: normal, pressed, disabled.
inline constexpr unsigned CaptionRgb[3] = {0xFFFF00, 0x00FF00, 0xFFFFFF};
