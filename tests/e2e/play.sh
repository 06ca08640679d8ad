# Sourced by run.sh, after BIN, here and root are set and before a desk-*.sh: the
# helpers every run on a desktop shares, and `play NAME`, one game as a user plays it:
# types a name, starts a hand with a double click (one deal, one ante), plays it
# calling to the end, plays one hand folding at once, opens and closes the rules,
# clicks Start during the pause after a call (a new hand follows), and closes the
# window. What it checks about the table is read from the screen (probe.py); when to
# look and act is read from the program's own trace (ORVANTA_BENCH_TRACE, see
# desktop/BenchTrace.h), never from a guess of how long something takes. A look at
# something passing (the deal, a travelling token) is taken with the program stopped
# (SIGSTOP) at a moment the trace names, so it cannot come too late.
#
# S is the screen pixels per logical pixel of the next game (1, or 2 for
# QT_SCALE_FACTOR=2): a logical x lies at OX + S * x.
# Screenshots, traces and logs of a failed run are kept in out/e2e-fail-*;
# E2E_KEEP=1 keeps those of a passing run too.

# The distribution's interpreter starts in milliseconds; version shims do not.
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
# /usr/local/bin/convert may be a stand-in, so ImageMagick by its full path.
CONVERT=/usr/bin/convert

SHOTS=$(mktemp -d /tmp/orvanta-e2e.XXXXXX)
export XDG_RUNTIME_DIR=$SHOTS/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
APP_PID='' TABLE='' OX=0 OY=0 FAILED=0 NAME=- STEP=start STATE='' POLLS=0 T0=0 S=1
MATCH='' OUTCOME='' LAST= HANDS=0 TRACE=/dev/null FROZEN=0 RUN=game FRAMES_PID=

. "$root/scripts/xvfb.sh"  # stop PID

cleanup() {
  stop "$FRAMES_PID"
  stop "$APP_PID"
  stop "${ORCA_PID:-}"
  desk_down
  if [ "$FAILED" = 1 ] || [ -n "${E2E_KEEP:-}" ]; then
    local keep f
    keep="$root/out/e2e-$([ "$FAILED" = 1 ] && echo fail || echo pass)-$DESK-$(date +%Y%m%d-%H%M%S)"
    mkdir -p "$keep"
    for f in "$SHOTS"/[0-9t]*.ppm; do
      [ -e "$f" ] && "$CONVERT" "$f" "$keep/$(basename "${f%.ppm}").png"
    done
    cp -r "$SHOTS"/*.log "$SHOTS"/a11y "$SHOTS"/listen "$keep"/ 2>/dev/null
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

# --- the program's trace ---------------------------------------------------
# Lines are "TIME CPU WHAT"; the helpers match an extended regular expression
# against WHAT and count lines from 1.

# tmark: TMARK is the number of lines the trace holds now.
tmark() { TMARK=$(wc -l <"$TRACE" 2>/dev/null) || TMARK=0; }

# tfind FROM REGEX [N]: the number of the first (or Nth) line after line FROM that matches.
tfind() {
  awk -v from="$1" -v re="$2" -v nth="${3:-1}" '
    NR > from { w = $0; sub(/^[0-9]+ [0-9]+ /, "", w); if (w ~ re && ++n == nth) { print NR; found = 1; exit } }
    END { exit !found }' "$TRACE"
}

# tcount FROM TO REGEX: how many lines after FROM, up to TO, match.
tcount() {
  awk -v from="$1" -v to="$2" -v re="$3" '
    NR > from && NR <= to { w = $0; sub(/^[0-9]+ [0-9]+ /, "", w); if (w ~ re) n++ }
    END { print n + 0 }' "$TRACE"
}

# tline N: what line N says.
tline() { sed -n "$1{s/^[0-9]* [0-9]* //;p;q}" "$TRACE"; }

# twait DESCRIPTION SECONDS FROM REGEX [N]: waits for such a line (the Nth) after
# line FROM; TLINE is its number. The deadline is generous: it only bounds a run
# that hangs.
twait() {
  local deadline=$((SECONDS + $2))
  while ! TLINE=$(tfind "$3" "$4" "${5:-1}"); do
    alive || fail "the program ended while waiting for $1"
    [ $SECONDS -ge $deadline ] && fail "no $1 within $2s (the trace has no /$4/ after line $3)"
    sleep 0.02
  done
}

# Where the controls sit in the trace's terms (logical pixels in the window).
T_START='TImage 88 464' T_CALL='TImage 640 464' T_FOLD='TImage 640 496' T_FLIP='TImage 640 528'
T_FLIPALL='TImage 640 560' T_SHEET='TImage 288 240' T_GROUND='TImage 1 1'

# settle: clicks the bare table, where nothing acts, and waits until that click has
# been handled: everything sent to the program before it has been handled too.
settle() {
  local m
  tmark; m=$TMARK
  click 20 620
  twait "the click on the bare table to be handled" 30 "$m" "^handled release $T_GROUND\$"
}

# --- looking at the screen -------------------------------------------------

# shot LABEL: screenshot of the whole display, kept under LABEL.
shot() {
  desk_shot "$SHOTS/$1.ppm" || fail "no screenshot (is the display gone?)"
}

# look LABEL: takes a screenshot and reads the table from it into STATE.
look() {
  shot "$1"
  LAST=$1
  STATE=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$1.ppm" "$OX" "$OY") || fail "probe failed on $1"
}

# freeze / thaw: stops the program where it is and lets it go on. A stopped program
# cannot change the screen: a look taken meanwhile shows what it had drawn.
freeze() { kill -STOP "$APP_PID" 2>/dev/null && FROZEN=1; }
thaw() { [ "$FROZEN" = 1 ] && kill -CONT "$APP_PID" 2>/dev/null; FROZEN=0; }

# has KEY=VALUE...: every word is on the screen.
has() {
  local w
  for w in "$@"; do [[ " $STATE " == *" $w "* ]] || return 1; done
}

# val KEY: the value read for KEY.
val() { local v=" $STATE "; v=${v#* "$1"=}; echo "${v%% *}"; }

# wait_for DESCRIPTION SECONDS CONDITION: looks at the screen until CONDITION
# (bash code) holds; fails naming DESCRIPTION when it does not in time. For states
# that last until the user acts; what the trace says has happened may take a
# repaint more to show.
wait_for() {
  local desc=$1 limit=$2 cond=$3 label
  POLLS=$((POLLS + 1))
  label=$(printf '%02d-%s' "$POLLS" "${desc//[^A-Za-z0-9]/_}")
  local deadline=$((SECONDS + limit))
  while :; do
    alive || fail "the program ended while waiting for: $desc"
    look "$label"
    eval "$cond" && return 0
    [ $SECONDS -ge $deadline ] && fail "no $desc within ${limit}s"
    sleep 0.05
  done
}

# frame_at WIN X Y (X11): the window's outer frame (client area less the window manager's
# frame extents) has its top-left corner at (X, Y) on the screen.
frame_at() {
  local ext cx cy
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
  [ -n "$ext" ] || ext=0,0,0,0
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/{print "cx="$4} /Absolute upper-left Y/{print "cy="$4}')"
  FRAME="$((cx - ${ext%%,*})),$((cy - $(cut -d, -f3 <<<"$ext")))"
  [ "$FRAME" = "$2,$3" ]
}

# titled TITLE_REGEX [BUT]: the program's visible window of that title (other than
# the window BUT), if any.
titled() {
  local id x y w h title
  while read -r id x y w h title; do
    [[ $title =~ $1 ]] && [ "$id" != "${2:-}" ] && { echo "$id"; return 0; }
  done < <(desk_windows)
  return 1
}

# find_window TITLE_REGEX SECONDS [BUT]: the program's visible window of that title.
find_window() {
  local end=$((SECONDS + $2)) w
  while :; do
    w=$(titled "$1" "${3:-}") && { echo "$w"; return 0; }
    alive || return 1
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

# geometry WIN: sets WX, WY, WW, WH to the window's client area on the screen.
geometry() {
  local id x y w h title
  while read -r id x y w h title; do
    [ "$id" = "$1" ] && { WX=$x WY=$y WW=$w WH=$h; return 0; }
  done < <(desk_windows)
  return 1
}

# box_window: the message box the trace says is open, once the desktop shows it.
box_window() { find_window '^Orvanta$' 30 "$TABLE"; }

# box_text BOX FONT TEXT...: sets MATCH to the number (from 1) of the TEXT
# the message in BOX begins with, or "none". Keeps the box's screenshot.
box_text() {
  local box=$1 font=$2 bx by bw bh label
  shift 2
  geometry "$box" || fail "the message box vanished before it was read"
  bx=$WX by=$WY bw=$WW bh=$WH
  POLLS=$((POLLS + 1))
  label=$(printf '%02d-message' "$POLLS")
  # The box paints just after it maps: wait for its text.
  local deadline=$((SECONDS + 15)) out
  while :; do
    shot "$label"
    # Right of the icon, above the buttons (the box's size is in screen pixels).
    out=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$label.ppm" "$bx" "$by" \
            text 50 0 $((bw / S - 50)) $((bh / S - 40)) "$font" 11,12,13 "$@") ||
      fail "probe failed on the message box"
    [[ $out != "text=none "* ]] || [ $SECONDS -ge $deadline ] && break
    sleep 0.1
  done
  echo "   message: $out"
  out=${out#text=}
  MATCH=${out%% *}
}

# answer BOX: presses Return in the message box, as its default button.
answer() {
  desk_focus "$1" || fail "the message box does not take the keyboard"
  key_taken Return
}

# key_taken KEY: presses KEY until the program has taken it (its trace has the key's
# press handled; a press that closes the program has no release): a virtual keyboard
# on a loaded Wayland desktop can lose keys.
key_taken() {
  local m tries=0 deadline
  while [ $tries -lt 3 ]; do
    tmark; m=$TMARK
    desk_key "$1"
    deadline=$((SECONDS + 30))
    while [ $SECONDS -lt $deadline ]; do
      tfind "$m" "^handled key press $1 " >/dev/null && return 0
      alive || return 0
      sleep 0.02
    done
    tries=$((tries + 1))
  done
  fail "the program never got the key $1"
}

# --- acting as the user ----------------------------------------------------

# click X Y: a left click at a point of the table.
click() {
  desk_pointer "move $((OX + S * $1)) $((OY + S * $2))" click
}

# Button centres; the skins are 100x32.
START=(138 480) RULES=(138 512) CALL=(690 480) FOLD=(690 512) FLIP=(690 544) FLIPALL=(690 576)
SHEET_AT=(424 400) RULES_AT=(416 150)

# --- the checks ------------------------------------------------------------

# Money labels: "1000" reads as four glyphs, the last three alike.
money_all_1000() {
  local who
  for who in user jack jim kate; do [[ $(val money_$who) == ABBB:* ]] || return 1; done
}

# The four cards of a fresh deal: the user's face up, the others' backs, all
# in place, and the pile gone.
check_dealt() {
  has cards_user=face,face,face cards_jack=back,back,back \
      cards_jim=back,back,back cards_kate=back,back,back pile=no ||
    fail "cards not dealt as expected"
}

# Every stake counter shows the ante.
counters_show_ante() {
  has counter_user=5 counter_jack=5 counter_jim=5 counter_kate=5
}

# A computer seat after Flip: face up if still in, else its folded pile.
seat_flipped() {
  has "cards_$1=face,face,face" || has "cards_$1=pile-fold"
}

# deal_seen_running FROM: the deal begun after trace line FROM, looked at with the
# program stopped after its third card is dealt and before it ends: Start disabled,
# the counters empty, no sheet; the pile still there while cards are left to deal.
deal_seen_running() {
  local dealt='^move TCardControl 71 96 ([0-9]+ (460|100)|(680|695|710|60|75|90) 280)$' m
  twait "the deal's third card" 30 "$1" "$dealt" 3
  freeze
  tmark; m=$TMARK
  if tfind "$1" "^enabled $T_CALL 1\$" >/dev/null; then
    thaw
    echo "   (this deal was over before the test could stop it: not looked at)"
    return 0
  fi
  RUNNING_SEEN=$((RUNNING_SEEN + 1))
  POLLS=$((POLLS + 1))
  look "$(printf '%02d' $POLLS)-deal-running"
  thaw
  has start=white || fail "Start should be disabled while the cards are dealt"
  # (Jack's counter lies under the pile.)
  has counter_user=- counter_jim=- counter_kate=- ||
    fail "the stake counters should be empty while the cards are dealt"
  has sheet=no marker=none || fail "the result sheet or its marker still shows during the deal"
  if [ "$(tcount "$1" "$m" "$dealt")" -lt 12 ]; then
    has pile=yes || fail "the undealt pile should show while cards are left to deal"
    has cards_kate=back,back,back && fail "Kate's hand is complete before the last card was dealt"
  fi
  return 0
}

# deal_done: the deal is over and the table at rest for the new hand.
deal_done() {
  wait_for "the end of the deal: Call usable, every counter at the ante" 30 'has call=yellow && counters_show_ante'
  has start=yellow rules=yellow call=yellow fold=yellow flip=white flipall=white ||
    fail "buttons after the deal"
  check_dealt
  has sheet=no marker=none || fail "the result sheet or its marker is still shown in a new hand"
  HANDS=$((HANDS + 1))
}

# deal X Y [early|double]: starts a hand with a click at X, Y and looks at the deal
# while it runs. "double" clicks a second time while the deal runs, where Start
# cannot take it: one deal, one ante. "early" clicks Call while the cards are still
# coming, which must come to nothing: Call could not take it then.
deal() {
  local m mode=${3:-} begun target=$T_START
  [ "$1" = "${SHEET_AT[0]}" ] && target=$T_SHEET
  tmark; m=$TMARK
  click "$1" "$2"
  twait "the click to reach Start" 30 "$m" "^release $target\$"
  begun=$TLINE
  case $mode in
    double) click "$1" "$2" ;;
    early) click "${CALL[@]}" ;;
  esac
  # The second click counts only if it was made before the deal's end: Call is
  # enabled last thing in the deal.
  if [ -n "$mode" ] && tfind "$m" "^enabled $T_CALL 1\$" >/dev/null; then
    fail "the second click came after the deal (the test came too late)"
  fi
  # deal_frames.py, where it watches, stops the program itself.
  [ -n "$FRAMES_PID" ] || deal_seen_running "$begun"
  if [ -n "$mode" ]; then
    settle
    [ "$(tcount "$begun" "$TLINE" "^release $target\$")" = 0 ] ||
      fail "the second click of a double click on Start reached it"
    [ "$(tcount "$begun" "$TLINE" "^release $T_CALL\$")" = 0 ] ||
      fail "a click on Call made during the deal reached it"
  fi
  deal_done
  [ "$mode" = early ] && { has counter_user=5 token=none || fail "a click on Call made during the deal acted after it"; }
}

# watch_deal start|check (Wayland): deal_frames.py stops the program as each card
# is dealt and checks from frames of its own that the cards arrive one at a time,
# in the deal's order.
watch_deal() {
  if [ "$1" = start ]; then
    "$PY" -I "$here/deal_frames.py" wayland "$OX" "$OY" "$TRACE" "$APP_PID" >"$SHOTS/deal_frames.log" 2>&1 &
    FRAMES_PID=$!
    until grep -qx ready "$SHOTS/deal_frames.log"; do
      kill -0 "$FRAMES_PID" 2>/dev/null || fail "deal_frames.py: $(cat "$SHOTS/deal_frames.log")"
      sleep 0.02
    done
  else
    wait "$FRAMES_PID"
    local rc=$?
    FRAMES_PID=
    sed '/^ready$/d; s/^/   /' "$SHOTS/deal_frames.log"
    [ $rc = 0 ] || fail "the deal did not show card by card"
  fi
}

# money_reads VALUE OTHER: the user's money label reads VALUE rather than OTHER
# (on the screenshot STATE was read from).
money_reads() {
  local out scores
  out=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$LAST.ppm" "$OX" "$OY" \
          lighttext $((424 - 1)) 592 60 17 Liberation-Sans 12,13,14 "$1" "$2") || fail "probe failed on the money label"
  echo "   money $1 or $2: $out"
  scores=${out##*(}
  awk -v s="${scores%)}" 'BEGIN { split(s, v, " "); exit !(v[1] >= 0.7 && v[1] > v[2] + 0.03) }'
}

# sheet_shows_name: the first row of the result sheet reads the user's name
# (checked on the screenshot STATE was read from).
sheet_shows_name() {
  local font=Liberation-Sans out
  [[ $NAME == *[![:ascii:]]* ]] && font=Noto-Sans-CJK-SC
  out=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$LAST.ppm" "$OX" "$OY" \
          text $((288 + 5)) $((240 + 26)) 120 30 "$font" 20,21,22 "$NAME") || fail "probe failed on the sheet"
  echo "   sheet row 1: $out"
  [[ $out == text=1* ]]
}

# after_showdown FROM CONTROL: reads the outcome of the click on Flip or Flip all
# made after trace line FROM into OUTCOME: sheet, tie or gameover. The handler has
# returned, or opened a message box, which is answered with Return.
after_showdown() {
  local from=$1 control=$2 box
  OUTCOME=sheet
  twait "the end of the showdown or a message box" 30 "$from" "^(show QMessageBox|handled release $control\$)"
  if [[ $(tline "$TLINE") == show* ]]; then
    local opened=$TLINE
    box=$(box_window) || fail "the trace opened a message box the desktop does not show"
    box_text "$box" DejaVu-Sans "Two winners, begin again!" \
      "Game over! You are the winner! Try again?" "Game over! Jack is the winner! Try again?" \
      "Game over! Jim is the winner! Try again?" "Game over! Kate is the winner! Try again?"
    case $MATCH in
      1) OUTCOME=tie ;;
      [2-5]) OUTCOME=gameover ;;
      *) fail "a message box that is neither the tie nor the game-over message" ;;
    esac
    answer "$box"
    twait "the message box to close" 30 "$opened" '^hide QMessageBox '
    twait "the showdown to end after the message box" 30 "$TLINE" "^handled release $control\$"
  fi
  if [ $OUTCOME = tie ]; then
    wait_for "the table after the tie" 15 'has sheet=no marker=none'
  else
    wait_for "the result sheet with its marker" 15 'has sheet=yes && [[ $(val marker) =~ ^[1-4]$ ]]'
    [ $OUTCOME = sheet ] || money_all_1000 || fail "after game over every money label must read 1000"
    sheet_shows_name || fail "the first row of the result sheet does not read \"$NAME\""
  fi
  echo "   outcome: $OUTCOME, winner row $(val marker)"
}

# type_name: types NAME into the name dialog's field at DX, DY and reads it
# back. xdotool types a character missing from the keymap by remapping a key
# for it, and a busy program can miss the remapping and lose the character:
# then the name is typed again, at most three times.
type_name() {
  local font=Liberation-Sans out tries=0 deadline label m
  [[ $NAME == *[![:ascii:]]* ]] && font=Noto-Sans-CJK-SC
  while :; do
    tmark; m=$TMARK
    desk_pointer "move $((DX + S * 140)) $((DY + S * 58))" click   # into the name field
    desk_key ctrl+a
    desk_type "$NAME"
    # Focus on to 确定, so that no blinking cursor lies beside the text.
    desk_key Tab
    # Every key typed before Tab has been handled once Tab's has. A virtual keyboard on
    # a loaded Wayland desktop can lose every key: then they are typed again.
    deadline=$((SECONDS + 30))
    until tfind "$m" '^handled key release Tab ' >/dev/null || [ $SECONDS -ge $deadline ]; do
      alive || fail "the program ended while the name was typed"
      sleep 0.02
    done
    deadline=$((SECONDS + 10))
    label=00-name-typed-$((tries + 1))
    while :; do
      shot "$label"
      out=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$label.ppm" "$DX" "$DY" \
              text 43 50 194 17 "$font" 10,11,12 "$NAME") || fail "probe failed on the name field"
      [[ $out == text=1* ]] && { echo "   name field: $out"; return 0; }
      [ $SECONDS -ge $deadline ] && break
      sleep 0.1
    done
    tries=$((tries + 1))
    [ $tries -lt 3 ] || fail "the name field does not read \"$NAME\" after typing it $tries times: $out"
    echo "   the name field reads $out; typing it again"
  done
}

# launch: starts the program with its trace on. The screenshots kept from a failed
# run are those of the run that failed.
launch() {
  rm -f "$SHOTS"/*.ppm
  TRACE=$SHOTS/trace-$RUN-$((++GAMES)).log
  : >"$TRACE"
  ORVANTA_BENCH_TRACE=$TRACE QT_SCALE_FACTOR=$S desk_launch "$SHOTS/program-$RUN-$GAMES.log" "$@"
}
GAMES=0

# --- one game ----------------------------------------------------------------

play() {
  NAME=$1 POLLS=0 STATE='' T0=$SECONDS RUN=game RUNNING_SEEN=0
  launch "$BIN"

  step "the name dialog"
  local dlg m
  dlg=$(find_window '^用户名$' 30) || fail "the name dialog did not appear"
  # The table shows only after the name is given.
  titled '^Orvanta$' >/dev/null && fail "the table is visible before the name was given"
  geometry "$dlg" || fail "the name dialog vanished"
  DX=$WX DY=$WY
  # Where the platform lets the program place its windows (X11), they sit where
  # designed; on Wayland the compositor places them.
  if [ "$DESK_PLACES" = 1 ]; then
    frame_at "$dlg" $((S * 571)) $((S * 301)) || fail "the name dialog's frame is at $FRAME, not $((S * 571)),$((S * 301))"
  fi
  desk_focus "$dlg" || fail "the name dialog does not take the keyboard"
  type_name
  tmark; m=$TMARK
  desk_pointer "move $((DX + S * 140)) $((DY + S * 58))" click   # back into the field
  # Return must not close it: the dialog has no default button.
  key_taken Return
  if tfind "$m" '^hide TNameDialog ' >/dev/null || ! titled '^用户名$' >/dev/null; then
    fail "Return closed the name dialog"
  fi
  desk_pointer "move $((DX + S * (48 + 37))) $((DY + S * (96 + 12)))" click   # 确定

  step "the table window"
  TABLE=$(find_window '^Orvanta$' 30) || fail "the table window did not appear"
  titled '^用户名$' >/dev/null && fail "the name dialog stayed open after 确定"
  geometry "$TABLE" || fail "the table window vanished"
  OX=$WX OY=$WY
  if [ "$DESK_PLACES" = 1 ]; then
    frame_at "$TABLE" $((S * 279)) $((S * 102)) || fail "the table's frame is at $FRAME, not $((S * 279)),$((S * 102))"
  fi
  [ "${WW}x$WH" = $((S * 856))x$((S * 645)) ] ||
    fail "the table's client area is not $((S * 856))x$((S * 645)): ${WW}x$WH"
  # Docks and task bars find the launcher (its name, its icon) through the window:
  # by its app id on Wayland, by its window class on X.
  local launcher=$root/packaging/org.orvanta.Orvanta.desktop want
  if [ "$DESK" = wayland ]; then want=$(basename "$launcher" .desktop); else want=$(sed -n 's/^StartupWMClass=//p' "$launcher"); fi
  [ "$(desk_app_id "$TABLE")" = "$want" ] ||
    fail "the window does not match its launcher: \"$(desk_app_id "$TABLE")\", not \"$want\""
  wait_for "table at rest: Start and Rules usable, the rest disabled" 30 \
    'has start=yellow rules=yellow call=white fold=white flip=white flipall=white'
  has plaques=ok,ok,ok,ok,ok,ok || fail "the buttons are not 100x32 plaques in their places: $(val plaques)"
  money_all_1000 || fail "the money labels do not all read 1000"
  has cards_user=none cards_jack=none cards_jim=none cards_kate=none ||
    fail "cards on the table before the first hand"
  has counter_user=- counter_jack=- counter_jim=- counter_kate=- ||
    fail "stake counters not empty before the first hand"
  has token=none sheet=no marker=none rules=no || fail "a token, the sheet or the rules show at start"
  [ "$(val name_width)" -ge 20 ] || fail "the user's name label is missing or too short ($(val name_width) px)"

  step "first hand: the deal, from a double click on Start"
  [ "$DESK" = wayland ] && watch_deal start
  deal "${START[@]}" double
  [ "$DESK" = wayland ] && watch_deal check
  [[ $(val money_user) == AAB:* ]] && money_reads 995 990 || fail "the user's money should read 995 after one ante"

  step "first hand: calling until the betting closes"
  local calls=0 who token_seen=0 turn
  local stake=(0 25 65 125)
  while ! has flip=yellow; do
    has call=yellow fold=yellow || fail "neither the user's turn nor the close of the betting"
    [ $calls -lt 3 ] || fail "Call usable a fourth time: there are at most three rounds"
    tmark; m=$TMARK
    click "${CALL[@]}"
    calls=$((calls + 1))
    twait "Call $calls to be taken (Call disabled)" 30 "$m" "^enabled $T_CALL 0\$"
    [ $token_seen = 1 ] || { token_seen_travelling "$m" && token_seen=1; }
    # The round ends with the user's turn (Call enabled) or the close (Flip all enabled).
    twait "the user's turn or the close of the betting (round $calls)" 60 "$m" "^enabled ($T_CALL|$T_FLIPALL) 1\$"
    turn=$TLINE
    twait "the step that ended the round to be handled" 30 "$turn" '^ticked QTimer 50$'
    if [[ $(tline "$turn") == "enabled $T_CALL 1" ]]; then
      wait_for "the user's turn after Call $calls" 15 'has call=yellow fold=yellow'
    else
      wait_for "the close of the betting" 15 'has flip=yellow flipall=yellow call=white fold=white'
    fi
    # The user's token has arrived: the counter holds the ante and every call
    # so far, 5 + 20, + 40, + 60.
    has "counter_user=${stake[$calls]}" ||
      fail "after $calls call(s) the user's counter should read ${stake[$calls]}, not $(val counter_user)"
    if [ $calls = 1 ]; then
      [[ $(val money_user) == ABC:* ]] || fail "the user's money should read 975 after the first call"
    fi
    for who in jack jim kate; do
      has "cards_$who=back,back,back" || has "cards_$who=pile-fold" ||
        fail "$who's cards during the betting: $(val cards_$who)"
    done
  done
  [ $token_seen = 1 ] || fail "no chip token was seen travelling"
  echo "   $calls call(s); a token was seen travelling"

  step "first hand: Flip"
  tmark; m=$TMARK
  click "${FLIP[@]}"
  after_showdown "$m" "$T_FLIP"
  if [ "$OUTCOME" != tie ]; then
    has flip=white flipall=yellow || fail "after Flip, Flip disabled and Flip all still usable"
    for who in jack jim kate; do seat_flipped $who || fail "$who's cards after Flip: $(val cards_$who)"; done
    has cards_user=face,face,face || fail "the user's cards after Flip"
  fi

  step "second hand: the deal, with Call clicked during it"
  if has sheet=yes; then deal "${SHEET_AT[@]}" early; else deal "${START[@]}" early; fi

  step "second hand: folding at once"
  tmark; m=$TMARK
  click "${FOLD[@]}"
  twait "the fold to be taken (Fold disabled)" 30 "$m" "^enabled $T_FOLD 0\$"
  # The user is out: the rounds run on without the user's turn.
  twait "the betting to close by itself" 90 "$m" "^enabled ($T_CALL|$T_FLIPALL) 1\$"
  [[ $(tline "$TLINE") == "enabled $T_FLIPALL 1" ]] || fail "Call usable again after the user folded"
  wait_for "the close of the betting" 15 'has flip=yellow flipall=yellow call=white fold=white'
  has cards_user=face,face,face || fail "the user's cards should stay face up after a fold"
  local folded=()
  for who in jack jim kate; do
    case $(val cards_$who) in
      back,back,back) ;;
      pile-fold) folded+=("$who") ;;
      *) fail "$who's cards are neither a hand of backs nor a folded pile: $(val cards_$who)" ;;
    esac
  done
  echo "   folded: ${folded[*]:-nobody}"

  step "second hand: Flip all"
  tmark; m=$TMARK
  click "${FLIPALL[@]}"
  after_showdown "$m" "$T_FLIPALL"
  [ "$OUTCOME" != gameover ] || fail "Flip all must not end the game"
  has cards_jack=face,face,face cards_jim=face,face,face cards_kate=face,face,face ||
    fail "every hand should be face up and spread after Flip all"
  if [ "$OUTCOME" = sheet ]; then
    [ "$(val marker)" != 1 ] || fail "the user folded but is marked the winner"
    has flipall=white flip=yellow || fail "after Flip all, Flip all disabled and Flip still usable"
  fi

  step "the rules"
  click "${RULES[@]}"
  wait_for "the rules chart" 15 'has rules=yes'
  click "${RULES_AT[@]}"
  wait_for "the rules chart to hide" 15 'has rules=no'

  step "third hand: Start clicked during the pause after a call"
  deal "${START[@]}"
  # Call's handler pauses 500 ms; Start stays usable, so a click on it then
  # begins a new hand once the pause is over.
  tmark; m=$TMARK
  click "${CALL[@]}"
  twait "the click to reach Call" 30 "$m" "^release $T_CALL\$"
  click "${START[@]}"
  tfind "$m" "^handled release $T_CALL\$" >/dev/null &&
    fail "the click on Start came after the call's pause (the test came too late)"
  twait "the click on Start after the call's pause" 30 "$m" "^release $T_START\$"
  deal_seen_running "$TLINE"
  deal_done
  has counter_user=5 || fail "the new hand should start with the user's stake at the ante"

  # A loaded machine may keep the test from stopping a deal in time; not every one.
  [ $RUNNING_SEEN -gt 0 ] || fail "no deal could be looked at while it ran"

  step "closing"
  tmark; m=$TMARK
  desk_close "$TABLE" || fail "could not ask the window to close"
  twait "the farewell message" 30 "$m" '^show QMessageBox '
  local box
  box=$(box_window) || fail "the trace opened the farewell message, the desktop does not show it"
  box_text "$box" Noto-Sans-CJK-SC "本软件免费"
  [ "$MATCH" = 1 ] || fail "the farewell message does not begin with 本软件免费"
  # The table waits for the answer before it closes.
  alive || fail "the program ended before the farewell was answered"
  geometry "$TABLE" || fail "the table closed under the open farewell message"
  answer "$box"
  ended
  echo "   [$NAME $DESK x$S] passed in $((SECONDS - T0))s"
}

# token_seen_travelling FROM: after a call made after trace line FROM, stops the
# program while a chip token is on its way (its third step or later, short of its
# arrival, so that an earlier step has been painted) and reads it off the screen.
# Fails when the screen shows none; returns non-zero when the round ended first.
token_seen_travelling() {
  local from=$1 last deadline=$((SECONDS + 60))
  while ! tfind "$from" "^enabled ($T_CALL|$T_FLIPALL) 1\$" >/dev/null; do
    alive || fail "the program ended during the betting"
    [ $SECONDS -ge $deadline ] && fail "the betting round did not end"
    if [ -n "$(token_on_its_way "$from")" ]; then
      freeze
      last=$(token_on_its_way "$from")
      if [ -n "$last" ]; then
        POLLS=$((POLLS + 1))
        look "$(printf '%02d' $POLLS)-token-travel"
        thaw
        has token=none && fail "the trace has a token on its way ($last), the screen shows none"
        return 0
      fi
      thaw
    fi
    sleep 0.02
  done
  return 1
}

# token_on_its_way FROM: "WHO X Y" when the last token move after trace line FROM is
# its third step or later and not its arrival (where it is hidden), else nothing.
token_on_its_way() {
  awk -v from="$1" '
    NR > from { w = $0; sub(/^[0-9]+ [0-9]+ /, "", w)
      if (w ~ /^move TImage 24 23 /) {
        split(w, f, " "); x = f[5]; y = f[6]
        who = x == 408 ? (y >= 400 ? "user" : "jim") : (x >= 490 ? "jack" : "kate")
        steps[who]++; last = who " " x " " y; arrived = (x " " y) ~ /^(408 400|490 330|408 274|318 330)$/
        lastwho = who } }
    END { if (last != "" && steps[lastwho] >= 3 && !arrived) print last }' "$TRACE"
}

# ended: the program ends by itself, and cleanly.
ended() {
  local give_up=$((SECONDS + 30)) rc
  while alive && [ $SECONDS -lt $give_up ]; do sleep 0.05; done
  alive && fail "the program did not end after the farewell"
  wait "$APP_PID"
  rc=$?
  APP_PID=
  [ $rc = 0 ] || fail "the program exited with status $rc"
}
