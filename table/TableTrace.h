#pragma once

class TTable;

// Writes the table's events into the timing trace ("event call jack 20"), for the
// end-to-end runs and the bench; nothing while the trace is off.
void InstallTableTrace(const TTable& Table);
