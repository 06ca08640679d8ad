#pragma once

class TForm1;

// Makes the table readable through the desktop's accessibility layer and playable from
// the keyboard, without changing what a mouse player sees: names, roles and states for
// everything a player reads; the keyboard focus order of the buttons (and the result
// sheet while it shows); Escape for the rules chart; the focus following the turn; and
// accessibility events when what a player reads changes.
// Call at the start of the window's construction, before any control exists, so that
// no control is described generically first; then InstallTableAccess once it is built.
void InstallTableAccessibility();
void InstallTableAccess(TForm1* Form);

// Records the result sheet just drawn, its figures and its winner, for readers: the sheet
// is a picture, and a game-over resets the figures it was drawn from.
void NoteResultSheet(TForm1* Form, int Winner);
