# Sourced by run.sh, after harness.sh and play.sh, on an X desktop: `sound_game NAME` plays
# Orvanta by keys alone with a private sound server (PulseAudio with a null sink at the
# sounds' own rate) whose output is recorded, then sounds.py checks the recording against
# the trace: twelve cards a deal, a chip a call, a fold a fold, the flip, the result, each
# in order, none missing and none while M had silenced the table. Hand 1 calls to the end,
# hand 2 is played silenced (M), hand 3 (M again) folds at once; M once more must be kept
# in the settings. The recording goes to $SHOTS/sound.*, kept with the rest when the run fails.

# sound_hand call|fold: one hand by keys from the focus on Start or the sheet: calls to the
# end, or folds at once; then Flip, and the box of a tie or the game's end answered.
sound_hand() {
  local how=$1 m event
  mark; m=$M
  key_taken space Space
  twait "the deal" 60 "$m" '^event hand-dealt$'
  if [ "$how" = fold ]; then
    key_taken Tab  # from Call to Fold
    key_taken space Space
    twait "the fold" 30 "$m" '^event fold user$'
  fi
  while :; do
    [ "$how" = fold ] || key_taken space Space  # Call
    twait "the user's turn or the close of the betting" 120 "$M" '^event (turn \d+|betting-closed)$'
    event=$(t line "$TLINE")
    mark
    [ "$event" = "event betting-closed" ] && break
  done
  # Flip, where the focus went; a tie or the game's end opens a box inside it
  mark; m=$M
  desk_key space
  twait "the flip's end or a box" 30 "$m" '^(show QMessageBox |handled key press Space )'
  if [[ $(t line "$TLINE") == show* ]]; then
    key_taken Return
    twait "the flip's end" 30 "$m" '^handled key press Space '
  fi
  t find "$m" '^event (result \w+ \d+|tie)$' >/dev/null || fail "the flip had no outcome"
}

sound_game() {
  NAME=$1 T0=$SECONDS RUN=sound STEP="with a sound server" S=1
  local m n
  for n in pulseaudio parec pactl; do command -v $n >/dev/null || fail "$n is missing (scripts/deps.sh installs it)"; done
  "$PY" -c 'import numpy' 2>/dev/null || fail "python3-numpy is missing (scripts/deps.sh installs it)"
  # A server of the run's own on the run's runtime folder, where the program looks for one.
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
    -L "module-native-protocol-unix auth-anonymous=1" \
    -L "module-null-sink sink_name=orvanta_null rate=22050 channels=1 format=s16le norewinds=1" >"$SHOTS/pulseaudio.log" 2>&1 &
  SOUND_SERVER=$!
  for n in $(seq 200); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || fail "the sound server did not start: $(tail -3 "$SHOTS/pulseaudio.log")"
  "$PY" -I "$here/sounds.py" record "$SHOTS/sound" &
  SOUND_RECORDER=$!

  step "the name dialog, by keys"
  launch "$BIN"
  read -r m _ < <(window '^用户名$') || fail "the name dialog did not appear"
  desk_focus "$m" || fail "the name dialog does not take the keyboard"
  desk_type "$NAME"
  key_taken Tab
  key_taken space Space
  read -r TABLE _ < <(window '^Orvanta$') || fail "the table window did not appear"
  desk_focus "$TABLE" || fail "the table does not take the keyboard"
  # The sounds reach the server in the background once the dialog is up: they are there
  # long before anyone could deal, but a loaded machine is given its time.
  poll 30 '[ "$(pactl list samples short 2>/dev/null | grep -c orvanta-)" = 8 ]' ||
    fail "the program did not upload its 8 sounds: $(cat "$SHOTS/program-$RUN-$GAMES.log")"

  step "hand 1, calling to the end"
  sound_hand call
  step "hand 2, silenced"
  key_taken m M
  sound_hand call
  step "hand 3, sounds on again, folding"
  key_taken m M
  sound_hand fold
  key_taken m M
  stop "$APP_PID"; APP_PID=
  grep -qx 'muted=true' "$XDG_CONFIG_HOME/orvanta/orvanta.conf" || fail "M's choice was not kept"
  sleep 1.5  # the last result's sound plays out into the recording
  stop "$SOUND_RECORDER"; stop "$SOUND_SERVER"
  SOUND_RECORDER='' SOUND_SERVER=''

  step "the recording against the traces"
  "$PY" "$here/sounds.py" check "$SHOTS/sound" "$root/assets" "$TRACE" ||
    fail "the recording does not match the events (see above)"
  echo "   [$NAME $DESK sound] passed in $((SECONDS - T0))s"
}
