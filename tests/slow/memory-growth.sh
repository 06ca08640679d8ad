#!/usr/bin/env bash
# Memory over many hands, played as the bench's probe plays them (tools/bench/Probe.cpp):
# the table window in a real X window (its own Xvfb), with the input gate on; the hands
# the soak plays too, from a fixed seed (Start, Call or Fold, the ticks until the betting
# closes, the flips, now and then the rules chart). Fails when resident memory or
# the heap grows from hand 250 to the last by more than the bench allows, or when the gate
# was off (tools/bench/measure.py --growth).
#
# usage: tests/slow/memory-growth.sh BUILD_DIR [HANDS]   (default 1000 hands)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
[ -x "$build/tools/bench/orvanta-bench-probe" ] || { echo "no probe in $build/tools/bench" >&2; exit 2; }
. "$root/scripts/xvfb.sh"
trap stop_xvfb EXIT INT TERM
start_xvfb
/usr/bin/python3 -I "$root/tools/bench/measure.py" --build "$build" --growth --hands "${2:-1000}"
