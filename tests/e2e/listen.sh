# Sourced by run.sh, after harness.sh, on an X desktop brought up with its accessibility
# bus (desk_up ... bus): `listen_game NAME [LANGUAGE]` listens to Orvanta as a blind player
# does, with the desktop's language LANGUAGE (default en; or zh_CN).
# The real screen reader Orca runs on the desktop's D-Bus session, the game is played
# with keys alone, whole hands, and listen.py checks what Orca would have spoken (its debug
# log, no audio needed) against what the program's trace says it did: every call and fold
# of the opponents said once and in order, the turn with what Call costs said once, the
# winner with the chips won, and never a "process appears to be hung" in Orca's log. It
# plays until a call has come right before folded Jim's 1 s pause (at most 40 hands, 12
# minutes). Orca's log and the heard hand go to $SHOTS/listen-LANGUAGE, kept with the rest
# when the run fails. Run it last on its desktop: Orca turns accessibility on for the
# whole session.

listen_game() {
  NAME=$1 T0=$SECONDS RUN=listen STEP="with Orca listening" S=1
  local lang=${2:-en}
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing (scripts/deps.sh installs it)"
  command -v orca >/dev/null || fail "orca is missing (scripts/deps.sh installs it)"
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "the desktop was brought up without its accessibility bus"
  local out=$SHOTS/listen-$lang status _
  mkdir -p "$out"
  # Orca writes its debug log through a buffer of its own, flushed only now and then;
  # on a terminal it flushes each line, so the log is its terminal, recorded by script.
  # Its settings stay in this run: a directory of its own, and GSettings in memory.
  # Orca will not start while it finds another Orca of the same user with pgrep, even
  # one on another desktop (a run beside this one): here its pgrep finds none.
  local log=$out/orca.log
  mkdir -p "$out/bin"
  printf '#!/bin/sh\nexit 1\n' >"$out/bin/pgrep"
  chmod +x "$out/bin/pgrep"
  PATH=$out/bin:$PATH GSETTINGS_BACKEND=memory script -qfec \
    "orca -u $(printf %q "$out/orca-prefs") --debug-file /dev/tty" "$log" </dev/null >/dev/null 2>&1 &
  ORCA_PID=$!
  # It starts in 10-20 s on a quiet machine (it gives up on a speech server); then it speaks.
  for _ in $(seq 1800); do
    grep -q "SPEECH OUTPUT: 'Screen reader on." "$log" 2>/dev/null && break
    kill -0 "$ORCA_PID" 2>/dev/null || fail "orca ended at its start: $(tail -c 500 "$log")"
    sleep 0.1
  done
  grep -q "SPEECH OUTPUT: 'Screen reader on." "$log" || fail "orca did not start within 180 s"
  echo "-- orca is listening"
  # No accessibility switch for the program: Orca turns it on for the session, as on a desktop.
  # The language for the program alone: Orca itself goes on speaking English.
  launch env LANGUAGE="$lang" "$BIN"
  timeout 900 /usr/bin/python3 -I "$here/listen.py" "$log" "$TRACE" "$APP_PID" "$NAME" "$out" "$lang"
  status=$?
  stop "$APP_PID"
  APP_PID=
  stop "$ORCA_PID"
  ORCA_PID=
  [ $status = 0 ] || fail "listen.py failed (see above)"
  echo "   [$NAME $DESK orca $lang] passed in $((SECONDS - T0))s"
}
ORCA_PID=''
