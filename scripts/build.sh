#!/usr/bin/env bash
# Configures (once) and builds incrementally.
# Usage: scripts/build.sh [build-dir] [targets...] [-- cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
targets=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
# With a compiler cache: precompiled headers are cached too (they are made afresh).
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
# Test discovery runs the test binary at build time; it needs no display.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/orvanta-runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
# The filter's own status is not the build's: a failed build fails the pipeline.
QT_QPA_PLATFORM=offscreen ninja -C "$dir" "${targets[@]}" | { grep -v -E '^\[[0-9]+/[0-9]+\] |^ninja: (Entering|Leaving|no work)' || true; }
