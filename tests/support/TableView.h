#pragma once

#include <map>
#include <string>
#include <vector>

#include "desktop/MessageBox.h"

class TTableWindow;

// The table as the player sees it, one entry per figure, named as a player would name
// it: "money Jack", "stake Kate" (three cells, "." for a blank one), "token Jim",
// "cards User", "button Flip all", "sheet", "sheet marker", "sheet Jim Add",
// "sheet Kate Score", "sheet Jack name", "sheet headings", "messages".
using TTableView = std::map<std::string, std::string>;

// Reads the shown table: captions of the money labels, the digit glyphs of the stake
// counters against the program's own digit pictures, the buttons' skins against its own
// skins and their caption colours, the tokens, the card controls on the panel, the
// result sheet's figures read off the panel's pixels, and the message boxes given.
TTableView ReadTable(const TTableWindow& Window, const std::vector<TMessageRecord>& Messages);

// Whether the window shows what its controls hold: "up to date", or where what was
// last painted differs from the controls drawn afresh. While a handler sleeps nothing
// paints but the program's own repaints, so this tells what the player sees then.
std::string ReadScreen(const TTableWindow& Window);

// One line per figure that differs: "money Jack: expected "975", the table shows "995"".
std::string Differences(const TTableView& Expected, const TTableView& Shown);

// Seat names as the view uses them, by player index 1..4.
extern const char* const SeatName[5];
