#!/usr/bin/env bash
# The end-to-end runs under load: runs `run.sh [--full | --wayland] BIN` N times while
# stress-ng keeps every core busy (4 CPU workers, or W with --cpu W), and reports how
# many passed and the load average seen. Nothing is built here.
#
# usage: tests/e2e/under-load.sh N [--cpu W] [--full | --wayland] path/to/orvanta
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 2 ] && [[ $1 =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 N [--cpu W] [--full | --wayland] path/to/orvanta" >&2; exit 2; }
N=$1 CPU=4
shift
if [ "$1" = --cpu ]; then
  [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || { echo "--cpu takes a number of workers" >&2; exit 2; }
  CPU=$2
  shift 2
fi
command -v stress-ng >/dev/null || { echo "stress-ng is missing (scripts/deps.sh installs it)" >&2; exit 2; }

LOADS=$(mktemp)
STRESS='' SAMPLER=''
finish() {
  local p
  for p in "$SAMPLER" "$STRESS"; do [ -n "$p" ] && { kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; }; done
  rm -f "$LOADS"
}
trap finish EXIT

# Bounded, so that it ends even if this script is killed: 15 minutes a run is ample.
timeout $((N * 900)) stress-ng --cpu "$CPU" --quiet &
STRESS=$!
# The one-minute load average, every 10 seconds.
while :; do cut -d' ' -f1 /proc/loadavg >>"$LOADS"; sleep 10; done &
SAMPLER=$!

passed=0
for i in $(seq "$N"); do
  echo "== under load: run $i of $N (load $(cut -d' ' -f1-3 /proc/loadavg))"
  if bash "$here/run.sh" "$@"; then passed=$((passed + 1)); fi
done
echo "under load ($CPU CPU workers): $passed of $N passed; one-minute load average $(sort -n "$LOADS" |
  awk '{ v[NR] = $1; s += $1 } END { if (NR) printf "%.1f to %.1f, mean %.1f (%d samples)", v[1], v[NR], s / NR, NR }')"
[ $passed = "$N" ]
