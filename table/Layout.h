#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The table's layout: where every seat, button and sheet text stands, and the sizes its
// texts are written in. The window lays itself out from here and the painter paints the
// pictures to fit it; the faces themselves are the desktop's (desktop/Fonts.h).

// Each tick moves a travelling chip token by Step; it travels on while it has not passed
// Stop on the axis it moves along.
struct TTokenRoute
{
    QPoint Step;
    int Stop;
};

// Where a seat is on the table: its portrait, labels and stake counter, its chip token's
// home and route to the pot, its hand, and its row on the result sheet.
struct TSeatPlace
{
    const char* Role;             // its controls are named after it: "UserToken", "JackMoney"
    QPoint Portrait;
    const char* PortraitPicture;
    QPoint Name, Money;           // the labels' top left; they grow to the right
    QRect Stake;                  // the stake counter as designed; it sizes itself to its digits
    QPoint TokenDesigned;         // where the token was laid out; it travels from TokenStart
    QPoint TokenStart;
    TTokenRoute Route;
    QPoint Hand;                  // a card in row R lies CardSpacing * R left of this
    int SheetRowY;                // the top of the seat's row of texts on the result sheet
};

// By player index: the user (bottom), Jack (right), Jim (top), Kate (left).
inline constexpr TSeatPlace Seats[5] = {
    {},
    {"User", {360, 564}, ":/table/portrait_user.png", {416, 568}, {424, 592}, {392, 424, 65, 33}, {416, 466}, {408, 450},
     {{0, -10}, 400}, {550, 460}, 30},
    {"Jack", {682, 224}, ":/table/portrait_jack.png", {744, 224}, {744, 248}, {504, 331, 49, 33}, {580, 330}, {580, 330},
     {{-10, 0}, 490}, {860, 280}, 65},
    {"Jim", {360, 40}, ":/table/portrait_jim.png", {416, 40}, {424, 64}, {392, 248, 65, 33}, {408, 184}, {408, 184},
     {{0, 10}, 265}, {550, 100}, 100},
    {"Kate", {34, 224}, ":/table/portrait_kate.png", {96, 224}, {96, 248}, {272, 331, 57, 33}, {228, 330}, {228, 330},
     {{10, 0}, 316}, {240, 280}, 135},
};
// The deal's spacing between neighbouring cards of a seat.
inline constexpr int CardSpacing = 15;

// The labels' faces in pixels: money plain, names bold italic.
inline constexpr int MoneyFontPixels = 13, NameFontPixels = 16;

// The six image buttons as laid out, in ButtonCaptions' order (Start, Rules, Call, Fold,
// Flip, Flip all); each takes its skin's size once it shows one.
inline constexpr QRect ButtonBounds[6] = {
    {88, 464, 105, 25}, {88, 496, 105, 25}, {640, 464, 81, 25}, {640, 496, 81, 25}, {640, 528, 81, 25}, {640, 560, 81, 25},
};
inline constexpr QSize ButtonSkinSize{100, 32};

// The result sheet on the panel, and where its texts stand on its picture: the columns'
// left edges (names, Add, Score), the headings above the figures' columns, the winner
// marker's column; each player's row is the seat's SheetRowY. Names and headings are
// written at SheetTextPoints, the figures at SheetFigurePoints, in the sans face.
inline constexpr QPoint SheetPlace{288, 240};
inline constexpr int SheetNameX = 10, SheetAddX = 130, SheetScoreX = 210;
inline constexpr int SheetAddHeadingX = 120, SheetScoreHeadingX = 200, SheetHeadingY = 2;
inline constexpr int SheetMarkerX = 70;
inline constexpr int SheetTextPoints = 16, SheetFigurePoints = 14;
