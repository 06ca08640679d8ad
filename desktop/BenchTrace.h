#pragma once

class QWidget;

// A timing log for tools/bench and the end-to-end runs, off unless ORVANTA_BENCH_TRACE
// names a file. When it does, an application event filter appends one line per event of
// interest, each starting with the CLOCK_MONOTONIC time and the process's CPU time, in
// nanoseconds. A control is named by its role, its object name; one without (a card) is
// named CLASS X Y, by its place in its window:
//   paint TITLE / painted TITLE   a window's first paint begins / has been flushed
//   release CONTROL               a mouse release reaches a control
//   key press|release KEY CONTROL a key reaches the focused control (KEY as Qt names it)
//   access CONTROL queued|refused an accessibility Press was read: queued for later, or not
//   press CONTROL                 a queued accessibility Press comes round
//   handled WHAT                  the handler of the release, key or press WHAT returned
//   tick TIMER / ticked TIMER     a QTimer (not a zero timer) fires / its handler
//                                 returned; TIMER is its object name, or its owner's name
//                                 or class (QTimer when it has none), and its interval in ms
//   show|hide CLASS TITLE         a window (the table, a dialog, a message box) is shown
//                                 or hidden by the program
//   layout NAME X Y W H           after "show": the window (NAME its object name or class)
//                                 at X Y (its frame, as placed by the program) with a client
//                                 area of W x H; then each of its named controls in window
//                                 coordinates, again once a box has sized itself
//   move NAME W H X Y             a shown control moved (NAME its object name or class)
//   enabled CONTROL 0|1           a control was disabled or enabled
//   event NAME ARGS...            the table's event NAME happened (table/TableTrace.cpp)
// "handled", "ticked" and "painted" are logged once the event loop that dispatched the
// event takes over again; a message box opened by the handler runs a loop of its own, so
// they wait until it has closed and the handler has returned. Costs nothing when unset.
void InstallBenchTrace();

// A line of the program's own, such as the table's events ("event ..."); nothing while
// the trace is off.
class QByteArray;
void TraceLine(const QByteArray& What);
bool Tracing();

// An accessibility Press on Control was read, and queued or refused (see "access").
void TraceAccessPress(const QWidget* Control, bool Queued);
