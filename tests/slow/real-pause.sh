#!/usr/bin/env bash
# The game's own pause in a real X window (its own Xvfb), with a private D-Bus session and
# accessibility bus, as a screen reader's desktop has them (tests/slow/pause/RealPauseTest.cpp).
#
# usage: tests/slow/real-pause.sh path/to/orvanta_real_pause_test
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
test=$(realpath "$1")
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is missing (scripts/deps.sh installs it)" >&2; exit 2; }
SHOTS=$(mktemp -d /tmp/orvanta-pause.XXXXXX)
export XDG_RUNTIME_DIR=$SHOTS/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
fail() { echo "real-pause: $*" >&2; exit 2; }
. "$root/tests/e2e/desk-x11.sh"
trap 'desk_down; rm -rf "$SHOTS"' EXIT
trap 'exit 2' INT TERM
start_xvfb 640x480x24 || fail "Xvfb did not start"
bus_up >/dev/null
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$test"
