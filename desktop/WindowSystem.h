#pragma once

// Sends what was just painted to the window system now. X delivers each repaint at
// once; Wayland keeps a window's committed frames in the connection's buffer until the
// event loop runs, so a handler that repaints and then sleeps would show nothing.
// Only sends: no event is read or dispatched, so no input, tick or close request runs.
void SendPainted();
