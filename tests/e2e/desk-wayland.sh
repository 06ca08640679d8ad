# Sourced by run.sh: the desktop on Wayland, a headless sway session that this
# run starts and ends itself, with the program on Qt's Wayland plugin. The same
# desk_* functions as desk-x11.sh but desk_frame (the compositor places windows).
# sway runs in a runtime folder of its own, whose sockets the program reaches by
# path; as nobody when the test runs as root, which sway refuses. A virtual pointer (orvanta-vpointer, built beside the
# program) is held for the whole run; wtype types; grim takes screenshots.
DESK=wayland
DESK_PLACES=0   # a Wayland client cannot place its windows: the compositor does
SWAY_PID='' VP_PID='' SWAY_DIR='' WIDTH=0 HEIGHT=0
VPOINTER=${E2E_VPOINTER:-$(dirname "$BIN")/tests/e2e/wayland/orvanta-vpointer}
[ -x "$VPOINTER" ] || { echo "no Wayland pointer client at $VPOINTER (built with the tests)" >&2; exit 2; }
NOBODY=65534

desk_up() {
  WIDTH=$1 HEIGHT=$2
  local sock='' display='' _
  # sway refuses to run as root: then it runs as nobody.
  local as=()
  SWAY_DIR=$(mktemp -d /tmp/orvanta-sway.XXXXXX)
  chmod 755 "$SWAY_DIR"
  mkdir -m 700 "$SWAY_DIR/run"
  if [ "$(id -u)" = 0 ]; then
    chown "$NOBODY:$NOBODY" "$SWAY_DIR/run"
    as=(setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups)
  fi
  # Every window floats at its own size, without borders, as on a desktop.
  cat >"$SWAY_DIR/config" <<EOF
xwayland disable
default_border none
default_floating_border none
for_window [app_id=".*"] floating enable
output HEADLESS-1 mode ${WIDTH}x${HEIGHT}
EOF
  env -i PATH=/usr/bin:/bin HOME="$SWAY_DIR" XDG_RUNTIME_DIR="$SWAY_DIR/run" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${as[@]}" sway -c "$SWAY_DIR/config" >"$SHOTS/sway.log" 2>&1 &
  SWAY_PID=$!
  for _ in $(seq 100); do
    sock=$(ls "$SWAY_DIR"/run/sway-ipc.*.sock 2>/dev/null | head -n1)
    display=$(ls "$SWAY_DIR"/run/wayland-[0-9] 2>/dev/null | head -n1)
    [ -n "$sock" ] && [ -S "$display" ] && break
    kill -0 "$SWAY_PID" 2>/dev/null || break
    sleep 0.02
  done
  [ -n "$sock" ] && [ -S "$display" ] || fail "sway did not start: $(tail -c 400 "$SHOTS/sway.log")"
  export SWAYSOCK=$sock WAYLAND_DISPLAY=$display
  swaymsg -t get_outputs 2>/dev/null | grep -q "\"width\": $WIDTH" ||
    fail "sway's output is not ${WIDTH}x${HEIGHT}"
  # The pointer reads commands from a pipe and answers each "sync".
  mkfifo "$SHOTS/vp.in" "$SHOTS/vp.out"
  "$VPOINTER" "$WIDTH" "$HEIGHT" <"$SHOTS/vp.in" >"$SHOTS/vp.out" 2>"$SHOTS/vpointer.log" &
  VP_PID=$!
  exec {VP_IN}>"$SHOTS/vp.in" {VP_OUT}<"$SHOTS/vp.out"
  desk_pointer
}

desk_down() {
  if [ -n "$VP_PID" ]; then
    exec {VP_IN}>&- {VP_OUT}<&-
    wait "$VP_PID" 2>/dev/null
    VP_PID=
  fi
  if [ -n "$SWAY_PID" ]; then
    kill "$SWAY_PID" 2>/dev/null; wait "$SWAY_PID" 2>/dev/null
    SWAY_PID=
  fi
  [ -n "$SWAY_DIR" ] && rm -rf "$SWAY_DIR"
  SWAY_DIR=
}

desk_launch() {
  local log=$1
  shift
  QT_QPA_PLATFORM=wayland "$@" >"$log" 2>&1 &
  APP_PID=$!
}

desk_shot() { grim -t ppm "$1" 2>/dev/null; }

# The program's windows from sway's tree: their content rectangles.
desk_windows() {
  swaymsg -t get_tree 2>/dev/null | "$PY" -I -c '
import json, sys
pid = int(sys.argv[1])
def walk(n):
    if n.get("pid") == pid and n.get("visible"):
        r = n["rect"]
        print(n["id"], r["x"], r["y"], r["width"], r["height"], n.get("name") or "")
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))' "$APP_PID"
}

desk_focus() {
  swaymsg "[con_id=$1] focus" >/dev/null 2>&1 || return 1
  swaymsg -t get_tree 2>/dev/null | "$PY" -I -c '
import json, sys
def walk(n):
    return (n.get("focused") and n["id"] == int(sys.argv[1])) or any(walk(c) for c in n.get("nodes", []) + n.get("floating_nodes", []))
sys.exit(0 if walk(json.load(sys.stdin)) else 1)' "$1"
}

desk_pointer() {
  local c reply
  for c in "$@"; do
    case $c in
      move\ *|click|wait\ *) echo "$c" >&"$VP_IN" ;;
      *) fail "unknown pointer command: $c" ;;
    esac
  done
  # Screenshots show the pointer: it waits in the corner.
  echo "move $((WIDTH - 1)) $((HEIGHT - 1))" >&"$VP_IN"
  echo sync >&"$VP_IN"
  read -r -t 30 reply <&"$VP_OUT" && [ "$reply" = ok ] ||
    fail "the virtual pointer did not answer: $(tail -c 300 "$SHOTS/vpointer.log")"
}

# wtype's keyboard is new each time: without a pause first its first keys get lost.
desk_key() {
  case $1 in
    ctrl+*) wtype -s 100 -M ctrl -k "${1#ctrl+}" -m ctrl ;;
    *) wtype -s 100 -k "$1" ;;
  esac
}

desk_type() { wtype -s 100 -d 100 "$1"; }

desk_close() { swaymsg "[con_id=$1] kill" >/dev/null; }

desk_app_id() {
  swaymsg -t get_tree 2>/dev/null | "$PY" -I -c '
import json, sys
def walk(n):
    if n["id"] == int(sys.argv[1]):
        print(n.get("app_id") or "")
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))' "$1"
}
