#!/usr/bin/env bash
# Plays Orvanta as a screen-reader user would, on a virtual X display under a
# window manager, with its own D-Bus session and accessibility bus: reads the
# live accessibility tree from outside through AT-SPI (atspi.py), presses Call
# through AT-SPI's action, plays a hand with the keyboard alone and closes the
# window from the keyboard.
#
# usage: tests/e2e/a11y.sh path/to/orvanta [name]
# E2E_KEEP=1 keeps the trees, events and screenshots in out/a11y-*; a failed
# run keeps them always. Only the processes started here are ended.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 path/to/orvanta [name]" >&2; exit 2; }
BIN=$(realpath "$1")
NAME=${2:-Alice}
# Debian's own interpreter has python3-pyatspi; another python3 first on the path may not.
PY=/usr/bin/python3
"$PY" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is missing (scripts/deps.sh installs it)" >&2; exit 1; }
LAUNCHER=
for f in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$f" ] && LAUNCHER=$f && break
done
[ -n "$LAUNCHER" ] || { echo "at-spi-bus-launcher is missing (at-spi2-core)" >&2; exit 1; }

WORK=$(mktemp -d /tmp/orvanta-a11y.XXXXXX)
export XDG_RUNTIME_DIR=$WORK/runtime   # the accessibility bus puts its socket here
mkdir -m 700 "$XDG_RUNTIME_DIR"
OUT=$WORK/out
mkdir "$OUT"
DBUS_PID='' LAUNCHER_PID='' OB_PID='' APP_PID='' STATUS=1

. "$root/scripts/xvfb.sh"

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
  stop "$OB_PID"
  stop "$LAUNCHER_PID"
  stop "$DBUS_PID"
  stop_xvfb
  if [ "$STATUS" != 0 ] || [ -n "${E2E_KEEP:-}" ]; then
    local keep
    keep="$root/out/a11y-$([ "$STATUS" = 0 ] && echo pass || echo fail)-$(date +%Y%m%d-%H%M%S)"
    mkdir -p "$keep"
    cp "$OUT"/* "$WORK"/*.log "$keep"/ 2>/dev/null
    echo "kept: $keep" >&2
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

start_xvfb || exit 1

# A private session bus at a path of our own, and the accessibility bus on it.
dbus-daemon --session --nofork --nosyslog --address="unix:path=$WORK/session-bus" --print-address=3 \
  3>"$WORK/bus-address" 2>"$WORK/dbus.log" &
DBUS_PID=$!
for _ in $(seq 100); do [ -s "$WORK/bus-address" ] && break; sleep 0.05; done
[ -s "$WORK/bus-address" ] || { echo "the D-Bus session did not start" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus-address")
"$LAUNCHER" --launch-immediately 2>"$WORK/launcher.log" &
LAUNCHER_PID=$!
a11y_bus=
for _ in $(seq 100); do
  # Asked only once the launcher owns the name, so that the bus does not start a second one.
  if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
       org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; then
    a11y_bus=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null |
               sed -n 's/^ *string "\(.*\)"$/\1/p')
    [ -n "$a11y_bus" ] && break
  fi
  sleep 0.05
done
[ -n "$a11y_bus" ] || { echo "the accessibility bus did not answer" >&2; exit 1; }
echo "-- accessibility bus: $a11y_bus"

# The window manager runs before any window maps, so that windows take the keyboard focus.
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
OB_PID=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || { echo "openbox did not start" >&2; exit 1; }

# Qt reads whether accessibility is on once, at its start.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$BIN" >"$WORK/program.log" 2>&1 &
APP_PID=$!

timeout 180 "$PY" -I "$here/atspi.py" "$APP_PID" "$NAME" "$OUT"
STATUS=$?
# The run ends by closing the window: the program must then exit by itself, and cleanly.
if [ "$STATUS" = 0 ]; then
  for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$APP_PID" 2>/dev/null; then
    echo "FAIL: the program did not end after the farewell" >&2
    STATUS=1
  else
    wait "$APP_PID"
    code=$?
    APP_PID=
    [ "$code" = 0 ] || { echo "FAIL: the program exited with $code" >&2; STATUS=1; }
  fi
fi
exit "$STATUS"
