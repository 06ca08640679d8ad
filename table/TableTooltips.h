#pragma once

class TTableScene;

// Tooltips in the player's language on what the table draws in Chinese or in pictures:
// the six buttons (what each does; Call, while it can be used, with what it costs), the
// rules chart (its hands, each with an example) and the result sheet (Add and Score).
// The same texts readers get where there are such, from the catalogue installed when the
// pointer has rested: nothing is kept, so Call's cost is the one at that moment. Qt shows
// them only after the pointer rests without a press, and hides them on a click or a key.
void InstallTableTooltips(const TTableScene& Scene);
