#pragma once

class TTableWindow;

// Makes the table readable through the desktop's accessibility layer and playable from
// the keyboard, without changing what a mouse player sees: the accessible interfaces
// (TableAccessibles), keyboard play (TableKeyboard) and the narrator (Narrator), which
// hear the table's events.

// Once, at start-up, before any window: the interfaces' factories.
void InstallTableAccessibility();
// Once the window is built.
void InstallTableAccess(TTableWindow* Window);
