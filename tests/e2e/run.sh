#!/usr/bin/env bash
# The end-to-end runs: the real program on real desktops, played as people play it.
#
# usage: tests/e2e/run.sh [--full | --wayland] path/to/orvanta
# Without --full: one game in a real X window (play.sh), what the quick ./test runs.
# With --wayland: the Wayland game of --full alone (for under-load.sh).
# With --full: every desktop and every way in, one bring-up per desktop shared by every
# run on it:
#   X11 (Xvfb under openbox, with a private D-Bus session and accessibility bus):
#     a game with a Latin and one with a Chinese name, one at scale 2 (QT_SCALE_FACTOR=2,
#     the @2x pictures), one through the keyboard and AT-SPI (a11y.sh, with LANGUAGE=en; its
#     tooltips once more with LANGUAGE=zh_CN), one by keys with a private sound server
#     recorded (sound.sh), and one by keys
#     while the real Orca listens (listen.sh), then the same in Chinese
#     (LANGUAGE=zh_CN), last, as Orca turns accessibility on for the session;
#   Wayland (a headless sway of its own, Qt's Wayland plugin): a game with a Chinese name.
# Each desktop runs in a subshell of its own: a failure ends that desktop's runs, the
# next desktop still runs, and the exit status says whether all passed.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
FULL=0 WAYLAND=0
[ "${1:-}" = --full ] && { FULL=1; shift; }
[ "${1:-}" = --wayland ] && { WAYLAND=1; shift; }
[ $# = 1 ] || { echo "usage: $0 [--full | --wayland] path/to/orvanta" >&2; exit 2; }
BIN=$(realpath "$1")
[ -x "$BIN" ] || { echo "not an executable: $BIN" >&2; exit 2; }

STATUS=0 STARTED=$SECONDS

# on DESK RUNS...: brings DESK up once, runs each of RUNS (shell code) on it, brings it down.
on() {
  local desk=$1
  shift
  (
    DESK=$desk
    . "$here/harness.sh"
    . "$here/play.sh"
    . "$here/a11y.sh"
    . "$here/listen.sh"
    . "$here/sound.sh"
    . "$here/desk-$desk.sh"
    STEP="the desktop"
    local run
    if [ "$desk" = x11 ] && [ $FULL = 1 ]; then
      # Room for the table at scale 2: it reaches x = 2 * (279 + 856).
      desk_up 2560 1600 bus
    else
      desk_up 1280 800
    fi
    for run in "$@"; do eval "$run"; done
  ) || STATUS=1
}

if [ $WAYLAND = 1 ]; then
  on wayland 'play 张三'
elif [ $FULL = 0 ]; then
  on x11 'play Alice'
else
  on x11 'play Alice' 'play 张三' 'S=2 play Alice' 'a11y_game Alice' 'a11y_game Lin zh_CN' 'sound_game Alice' \
    'listen_game Mia' 'listen_game Mia zh_CN'
  on wayland 'play 张三'
fi
echo "end-to-end: $([ $STATUS = 0 ] && echo passed || echo FAILED) ($([ $FULL = 1 ] && echo full || ([ $WAYLAND = 1 ] && echo wayland) || echo quick), $((SECONDS - STARTED))s)"
exit $STATUS
