# Sourced by run.sh, after BIN, here and root are set and before the runs and a desk-*.sh:
# what every run on a desktop shares. Its place for screenshots, traces and logs (SHOTS),
# kept in out/e2e-fail-* when a run fails (E2E_KEEP=1 keeps those of a passing run too);
# the step lines and the failure; the program started with its trace on and its clean end;
# the trace read through reader.py, and a key pressed until the program has taken it.

# The distribution's interpreter starts in milliseconds; version shims do not.
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
# /usr/local/bin/convert may be a stand-in, so ImageMagick by its full path.
CONVERT=/usr/bin/convert
SHOTS=$(mktemp -d /tmp/orvanta-e2e.XXXXXX)
export XDG_RUNTIME_DIR=$SHOTS/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The program's settings (M's choice) stay in the run.
export XDG_CONFIG_HOME=$SHOTS/config
APP_PID='' FAILED=0 NAME=- STEP=start STATE='' T0=0 S=1 GAMES=0 TRACE=/dev/null RUN=game FRAMES_PID=''
. "$root/scripts/xvfb.sh"  # stop PID

cleanup() {
  stop "$FRAMES_PID"
  stop "$APP_PID"
  stop "${ORCA_PID:-}"
  stop "${SOUND_RECORDER:-}"; stop "${SOUND_SERVER:-}"
  desk_down
  if [ "$FAILED" = 1 ] || [ -n "${E2E_KEEP:-}" ]; then
    local keep f
    keep="$root/out/e2e-$([ "$FAILED" = 1 ] && echo fail || echo pass)-$DESK-$(date +%Y%m%d-%H%M%S)"
    mkdir -p "$keep"
    for f in "$SHOTS"/[0-9t]*.ppm; do [ -e "$f" ] && "$CONVERT" "$f" "$keep/$(basename "${f%.ppm}").png"; done
    cp -r "$SHOTS"/*.log "$SHOTS"/a11y "$SHOTS"/listen-* "$SHOTS"/sound.* "$keep"/ 2>/dev/null
    echo "kept: $keep" >&2
  fi
  rm -rf "$SHOTS"
}
trap cleanup EXIT

step() { STEP=$*; echo "-- [$NAME $DESK x$S] $((SECONDS - T0))s: $STEP"; }
fail() {
  echo "FAIL [$NAME $DESK x$S] $STEP: $*" >&2
  [ -n "$STATE" ] && echo "  screen: $STATE" >&2
  FAILED=1
  exit 1
}
alive() { kill -0 "$APP_PID" 2>/dev/null; }

# launch: starts the program with its trace on; the screenshots kept are the last run's.
launch() {
  rm -f "$SHOTS"/*.ppm
  TRACE=$SHOTS/trace-$RUN-$((++GAMES)).log
  : >"$TRACE"
  ORVANTA_BENCH_TRACE=$TRACE QT_SCALE_FACTOR=$S desk_launch "$SHOTS/program-$RUN-$GAMES.log" "$@"
}

# ended: the program ends by itself, and cleanly.
ended() {
  local end=$((SECONDS + 30)) rc
  while alive && [ $SECONDS -lt $end ]; do sleep 0.05; done
  alive && fail "the program did not end after the farewell"
  wait "$APP_PID"; rc=$? APP_PID=
  [ $rc = 0 ] || fail "the program exited with status $rc"
}

# --- the trace (reader.py): lines count from 1; FROM is a number of lines, M the count now

t() { "$PY" -I "$here/reader.py" "$TRACE" "$@"; }
mark() { M=$(wc -l <"$TRACE"); }
# twait WHAT SECONDS FROM REGEX [N]: waits for such a line (the Nth) after line FROM; TLINE
# is its number. The deadline only bounds a run that hangs.
twait() { TLINE=$(t wait "$APP_PID" "$@") || fail "$TLINE"; }

# key_taken KEY [QTKEY]: presses KEY until the program has taken it (its press handled; a press
# that closes the program has no release): a virtual keyboard on a loaded Wayland desktop can
# lose keys. QTKEY is Qt's name for it where X names it apart (space, Space).
key_taken() {
  local _ qt=${2:-$1}
  for _ in 1 2 3; do
    mark; desk_key "$1"
    t wait "$APP_PID" "the key $qt" 30 "$M" "^handled key press $qt " >/dev/null || ! alive && return 0
  done
  fail "the program never got the key $qt"
}
