#pragma once

// The cursor for the whole screen: the hourglass while a hand is dealt.
enum TCursor { crDefault, crHourGlass };

void SetScreenCursor(TCursor Cursor);
TCursor ScreenCursor();
