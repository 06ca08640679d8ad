#pragma once

#include <QString>
#include <array>

class TTableWindow;

// Makes the table readable through the desktop's accessibility layer and playable from
// the keyboard, without changing what a mouse player sees: the accessible interfaces
// (TableAccessibles), keyboard play (TableKeyboard) and the narrator (Narrator), told
// what happened at each handler's and betting phase's boundary.

// Once, at start-up, before any window: the interfaces' factories.
void InstallTableAccessibility();
// Once the window is built.
void InstallTableAccess(TTableWindow* Form);

// What readers get of the result sheet; kept from the moment it is drawn, for the
// sheet is a picture and a game-over resets the figures it was drawn from.
struct TSheetRecord
{
    int Winner = 0;
    std::array<QString, 5> Name, Add, Score;
};
// Records the sheet just drawn, its figures and its winner.
void NoteResultSheet(TTableWindow* Form, int Winner);
// The last sheet drawn on this window; null before the first.
const TSheetRecord* DrawnSheet(const TTableWindow* Form);
