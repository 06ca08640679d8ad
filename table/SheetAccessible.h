#pragma once

class QAccessibleInterface;
class TImage;

// The result sheet as readers get it: a table of the four players (name, what the hand
// added, chips), its cells placed over the texts the sheet draws.
QAccessibleInterface* NewSheetAccessible(TImage* Sheet);
