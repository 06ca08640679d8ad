#!/usr/bin/env bash
# The game's own pause in a real X window (its own Xvfb), with a private D-Bus session and
# accessibility bus, as a screen reader's desktop has them (tests/slow/pause/RealPauseTest.cpp).
#
# usage: tests/slow/real-pause.sh path/to/orvanta_real_pause_test
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
test=$(realpath "$1")
. "$root/scripts/reader-desk.sh"
reader_desk real-pause 640 480
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$test"
