#!/usr/bin/env bash
# Listens to Orvanta as a blind player does: the real screen reader Orca runs on a
# virtual X display with its own D-Bus session and accessibility bus, the game is
# played with keys alone, and listen.py checks what Orca would have spoken (its
# debug log, no audio needed) against the table: each opponent's move, the turn
# with what Call costs said once, and the winner with the chips won.
#
# usage: tests/e2e/listen.sh path/to/orvanta [name]
# E2E_KEEP=1 keeps Orca's log and the heard hand in out/listen-*; a failed run keeps
# them always. Only the processes started here are ended.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 path/to/orvanta [name]" >&2; exit 2; }
BIN=$(realpath "$1")
NAME=${2:-Mia}
PY=/usr/bin/python3
"$PY" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is missing (scripts/deps.sh installs it)" >&2; exit 1; }
command -v orca >/dev/null || { echo "orca is missing (scripts/deps.sh installs it)" >&2; exit 1; }
LAUNCHER=
for f in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$f" ] && LAUNCHER=$f && break
done
[ -n "$LAUNCHER" ] || { echo "at-spi-bus-launcher is missing (at-spi2-core)" >&2; exit 1; }

SHOTS=$(mktemp -d /tmp/orvanta-listen.XXXXXX)
export XDG_RUNTIME_DIR=$SHOTS/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
DBUS_PID='' LAUNCHER_PID='' ORCA_PID='' APP_PID='' STATUS=1

fail() { echo "FAIL: $*" >&2; exit 1; }

. "$here/desk-x11.sh"

# stop PID: ends a process started here, and what it started in turn.
stop() {
  local pid=$1 child
  [ -n "$pid" ] || return 0
  for child in $(ps -o pid= --ppid "$pid" 2>/dev/null); do stop "$child"; done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

cleanup() {
  stop "$APP_PID"
  stop "$ORCA_PID"
  desk_down
  stop "$LAUNCHER_PID"
  stop "$DBUS_PID"
  if [ "$STATUS" != 0 ] || [ -n "${E2E_KEEP:-}" ]; then
    local keep
    keep="$root/out/listen-$([ "$STATUS" = 0 ] && echo pass || echo fail)-$(date +%Y%m%d-%H%M%S)"
    mkdir -p "$keep"
    cp "$SHOTS"/*.log "$SHOTS"/*.txt "$SHOTS"/*.png "$keep"/ 2>/dev/null
    echo "kept: $keep" >&2
  fi
  rm -rf "$SHOTS"
}
trap cleanup EXIT

desk_up 1280 800

# A private session bus, and the accessibility bus on it.
dbus-daemon --session --nofork --nosyslog --address="unix:path=$SHOTS/session-bus" --print-address=3 \
  3>"$SHOTS/bus-address" 2>"$SHOTS/dbus.log" &
DBUS_PID=$!
for _ in $(seq 100); do [ -s "$SHOTS/bus-address" ] && break; sleep 0.05; done
[ -s "$SHOTS/bus-address" ] || fail "the D-Bus session did not start"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$SHOTS/bus-address")
"$LAUNCHER" --launch-immediately >"$SHOTS/launcher.log" 2>&1 &
LAUNCHER_PID=$!
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true && break
  sleep 0.05
done

# Orca writes its debug log through a buffer of its own, flushed only now and then;
# on a terminal it flushes each line, so the log is its terminal, recorded by script.
# Its settings stay in this run: a directory of its own, and GSettings in memory.
ORCA_LOG=$SHOTS/orca.log
GSETTINGS_BACKEND=memory script -qfec \
  "orca -u $(printf %q "$SHOTS/orca-prefs") --debug-file /dev/tty" "$ORCA_LOG" </dev/null >/dev/null 2>&1 &
ORCA_PID=$!
# It starts in 10-20 s on a quiet machine (it gives up on a speech server); then it speaks.
for _ in $(seq 1800); do
  grep -q "SPEECH OUTPUT: 'Screen reader on." "$ORCA_LOG" 2>/dev/null && break
  kill -0 "$ORCA_PID" 2>/dev/null || fail "orca ended at its start: $(tail -c 500 "$ORCA_LOG")"
  sleep 0.1
done
grep -q "SPEECH OUTPUT: 'Screen reader on." "$ORCA_LOG" || fail "orca did not start within 180 s"
echo "-- orca is listening"

# No accessibility switch for the program: Orca turns it on for the session, as on a desktop.
desk_launch "$SHOTS/program.log" "$BIN"

timeout 600 "$PY" -I "$here/listen.py" "$ORCA_LOG" "$APP_PID" "$NAME" "$SHOTS"
STATUS=$?
exit "$STATUS"
