#pragma once

// A timing log for tools/bench, off unless ORVANTA_BENCH_TRACE names a file. When it
// does, an application event filter appends one line per event of interest, each
// starting with the CLOCK_MONOTONIC time and the process's CPU time, in nanoseconds:
//   paint TITLE / painted TITLE   a window's first paint begins / has been flushed
//   release CLASS X Y / handled   a mouse release reaches a control / its handler returned
//   tick / ticked                 a QTimer fires / its handler returned
//   move CLASS W H X Y            a shown control moved
//   enabled CLASS X Y 0|1         a control was disabled or enabled
// "handled", "ticked" and "painted" are posted before the handler runs, so they are
// logged as soon as the event loop takes over again. Costs nothing when unset.
void InstallBenchTrace();
