#!/usr/bin/env bash
# Plays the real program on a desktop of its own, as a user would: types a
# name, starts a hand with a double click (one deal, one ante), plays it
# calling to the end, plays one hand folding at once, opens and closes the
# rules, clicks Start during the pause after a call (a new hand follows), and
# closes the window. Every check reads the screen (see probe.py for what is
# read where).
#
# usage: [E2E_DESK=x11|wayland] [E2E_SCALE=2] tests/e2e/play.sh path/to/orvanta [name...]
# E2E_DESK picks the desktop: x11 (default), a virtual X display under openbox
# (desk-x11.sh), or wayland, a headless sway session with the program on Qt's
# Wayland plugin (desk-wayland.sh).
# With no names it plays once with a Latin and once with a Chinese name.
# E2E_SCALE=2 (X11) runs the program at QT_SCALE_FACTOR=2, as on a high-density
# screen: every check then reads the table at twice the pixels, against the
# @2x pictures and text at twice the size.
# Screenshots of a failed run are kept in out/e2e-fail-*; E2E_KEEP=1 keeps
# those of a passing run too.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 path/to/orvanta [name...]" >&2; exit 2; }
BIN=$(realpath "$1")
shift
NAMES=("$@")
[ ${#NAMES[@]} -gt 0 ] || NAMES=("Alice" "张三")
[ -x "$BIN" ] || { echo "not an executable: $BIN" >&2; exit 2; }
# Screen pixels per logical pixel: a logical x lies at OX + S * x.
S=${E2E_SCALE:-1}
[[ $S == [12] ]] || { echo "E2E_SCALE must be 1 or 2, not $S" >&2; exit 2; }
DESK=${E2E_DESK:-x11}
[[ $DESK == x11 || $DESK == wayland ]] || { echo "E2E_DESK must be x11 or wayland, not $DESK" >&2; exit 2; }
[[ $DESK == x11 || $S == 1 ]] || { echo "E2E_SCALE=2 runs on X11 only" >&2; exit 2; }

# The distribution's interpreter starts in milliseconds; version shims do not.
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
# /usr/local/bin/convert may be a stand-in, so ImageMagick by its full path.
CONVERT=/usr/bin/convert

SHOTS=$(mktemp -d /tmp/orvanta-e2e.XXXXXX)
export XDG_RUNTIME_DIR=$SHOTS/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
APP_PID='' TABLE='' OX=0 OY=0 FAILED=0 NAME=- STEP=start STATE='' POLLS=0 T0=0
BETTING=0 MATCH='' OUTCOME='' LAST= HANDS=0

. "$here/desk-$DESK.sh"

cleanup() {
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
    kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null
  fi
  desk_down
  if [ "$FAILED" = 1 ] || [ -n "${E2E_KEEP:-}" ]; then
    local keep
    keep="$root/out/e2e-$([ "$FAILED" = 1 ] && echo fail || echo pass)-$DESK-x$S-$(date +%Y%m%d-%H%M%S)"
    mkdir -p "$keep"
    for f in "$SHOTS"/[0-9t]*.ppm; do
      [ -e "$f" ] && "$CONVERT" "$f" "$keep/$(basename "${f%.ppm}").png"
    done
    cp "$SHOTS"/*.log "$keep"/ 2>/dev/null
    echo "screenshots: $keep" >&2
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
  # While the betting runs, a screenshot with a token is kept as proof of its travel.
  if [ "$BETTING" = 1 ] && [[ " $STATE " != *" token=none "* ]] && [ ! -e "$SHOTS/token-travel.ppm" ]; then
    cp "$SHOTS/$1.ppm" "$SHOTS/token-travel.ppm"
  fi
}

# has KEY=VALUE...: every word is on the screen.
has() {
  local w
  for w in "$@"; do [[ " $STATE " == *" $w "* ]] || return 1; done
}

# val KEY: the value read for KEY.
val() { local v=" $STATE "; v=${v#* "$1"=}; echo "${v%% *}"; }

alive() { kill -0 "$APP_PID" 2>/dev/null; }

# wait_for DESCRIPTION SECONDS CONDITION: looks at the screen until CONDITION
# (bash code) holds; fails naming DESCRIPTION when it does not in time.
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

# titled TITLE_REGEX: the program's visible window of that title, if any.
titled() {
  local id x y w h title
  while read -r id x y w h title; do
    [[ $title =~ $1 ]] && { echo "$id"; return 0; }
  done < <(desk_windows)
  return 1
}

# find_window TITLE_REGEX SECONDS: the program's visible window of that title.
find_window() {
  local end=$((SECONDS + $2)) w
  while :; do
    w=$(titled "$1") && { echo "$w"; return 0; }
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

# boxes: the program's visible windows other than the table (message boxes).
boxes() {
  local id rest
  desk_windows | while read -r id rest; do
    [ "$id" != "$TABLE" ] && echo "$id"
  done
}

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
  local deadline=$((SECONDS + 5)) out
  while :; do
    shot "$label"
    # Right of the icon, above the buttons (the box's size is in screen pixels).
    out=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$label.ppm" "$bx" "$by" \
            text 50 0 $((bw / S - 50)) $((bh / S - 40)) "$font" 11,12,13 "$@") ||
      fail "probe failed on the message box"
    [[ $out != "text=none score=0 "* ]] || [ $SECONDS -ge $deadline ] && break
    sleep 0.1
  done
  echo "   message: $out"
  out=${out#text=}
  MATCH=${out%% *}
}

# answer BOX: presses Return in the message box, as its default button.
answer() {
  desk_focus "$1" || fail "the message box does not take the keyboard"
  desk_key Return
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

# deal X Y [early|double|begun]: starts a hand with a click at X, Y and checks
# the deal as it runs. With "early", also clicks Call while the cards are still
# coming, which must come to nothing: Call could not take it then. "double"
# clicks twice, the second press 300 ms after the first, during the deal, where
# Start could not take it: one deal, one ante. "begun": the click has been made
# (the deal may still be waiting for a pause to end).
deal() {
  local in_progress=0 deadline mode=${3:-} early='' clicked=0
  case $mode in
    early) early=1; click "$1" "$2" ;;
    double) desk_pointer "move $((OX + S * $1)) $((OY + S * $2))" click "wait 270" click ;;
    begun) ;;
    *) click "$1" "$2" ;;
  esac
  # A loaded machine (./test runs beside builds) stretches the pace several times.
  deadline=$((SECONDS + 15))
  POLLS=$((POLLS + 1))
  # The deal takes about 1.3 s; it must be seen to run, with Start disabled.
  while :; do
    alive || fail "the program ended during the deal"
    look "$(printf '%02d' $POLLS)-deal"
    # Kate is dealt last, and the pile goes only when every card is out.
    if has start=white && ! has cards_kate=back,back,back pile=no; then
      # (Jack's counter lies under the pile.)
      has counter_user=- counter_jim=- counter_kate=- ||
        fail "the stake counters should be empty while the cards are dealt"
      has sheet=no marker=none || fail "the result sheet or its marker still shows during the deal"
      in_progress=1
      cp "$SHOTS/$(printf '%02d' $POLLS)-deal.ppm" "$SHOTS/$(printf '%02d' $POLLS)-deal-running.ppm"
      # The user's last card is out at 0.9 s of 1.3: before it, there is time.
      if [ -n "$early" ] && [ $clicked = 0 ] && has pile=yes && ! has cards_user=face,face,face; then
        click "${CALL[@]}"
        clicked=1
      fi
    fi
    has call=yellow && counters_show_ante && break
    [ $SECONDS -ge $deadline ] && fail "the deal did not end with Call usable and every counter at the ante"
    sleep 0.03
  done
  [ $in_progress = 1 ] || fail "never saw the deal running (Start disabled while cards arrive)"
  has start=yellow rules=yellow call=yellow fold=yellow flip=white flipall=white ||
    fail "buttons after the deal"
  check_dealt
  has sheet=no marker=none || fail "the result sheet or its marker is still shown in a new hand"
  if [ -n "$early" ] && [ $clicked = 0 ]; then
    echo "   (the deal was first seen too late to click Call during it)"
  elif [ -n "$early" ]; then
    # Watch for a second or two that the early click does not act now.
    local watch_end=$((SECONDS + 2))
    while [ $SECONDS -lt $watch_end ]; do
      look "$(printf '%02d' $POLLS)-after-deal"
      has call=yellow fold=yellow counter_user=5 token=none ||
        fail "a click on Call made during the deal acted after it"
      sleep 0.1
    done
  elif [ "$mode" = double ]; then
    # A second deal would start at once: Start disabled, the pile back.
    local watch_end=$((SECONDS + 2))
    while [ $SECONDS -lt $watch_end ]; do
      look "$(printf '%02d' $POLLS)-after-deal"
      has start=yellow pile=no call=yellow || fail "the second click of a double click on Start dealt again"
      sleep 0.1
    done
  fi
  HANDS=$((HANDS + 1))
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

# after_showdown: reads the outcome of Flip or Flip all into OUTCOME: sheet,
# tie or gameover. Answers a message box with Return.
after_showdown() {
  local deadline=$((SECONDS + 15)) box='' label
  OUTCOME=
  POLLS=$((POLLS + 1))
  label=$(printf '%02d-showdown' "$POLLS")
  while :; do
    alive || fail "the program ended at the showdown"
    box=$(boxes | head -n1)
    [ -n "$box" ] && break
    look "$label"
    if has sheet=yes && [[ $(val marker) != none ]]; then
      # A game-over message follows the sheet at once, when there is one.
      for _ in 1 2 3 4 5 6 7 8; do
        box=$(boxes | head -n1)
        [ -n "$box" ] && break
        sleep 0.1
      done
      break
    fi
    [ $SECONDS -ge $deadline ] && fail "neither a result sheet nor a message after the showdown"
    sleep 0.05
  done
  if [ -n "$box" ]; then
    box_text "$box" DejaVu-Sans "Two winners, begin again!" \
      "Game over! You are the winner! Try again?" "Game over! Jack is the winner! Try again?" \
      "Game over! Jim is the winner! Try again?" "Game over! Kate is the winner! Try again?"
    case $MATCH in
      1) OUTCOME=tie ;;
      [2-5]) OUTCOME=gameover ;;
      *) fail "a message box that is neither the tie nor the game-over message" ;;
    esac
    answer "$box"
    wait_for "the message box to close" 15 '[ -z "$(boxes)" ]'
    if [ $OUTCOME = tie ]; then
      has sheet=no marker=none || fail "a tie must show neither the result sheet nor the marker"
    else
      has sheet=yes || fail "game over without the result sheet of the last hand"
      money_all_1000 || fail "after game over every money label must read 1000"
    fi
  else
    OUTCOME=sheet
  fi
  if [ $OUTCOME != tie ]; then
    [[ $(val marker) =~ ^[1-4]$ ]] || fail "the winner marker should be on exactly one row, got $(val marker)"
    sheet_shows_name || fail "the first row of the result sheet does not read \"$NAME\""
  fi
  echo "   outcome: $OUTCOME, winner row $(val marker)"
}

# type_name: types NAME into the name dialog's field at DX, DY and reads it
# back. xdotool types a character missing from the keymap by remapping a key
# for it, and a busy program can miss the remapping and lose the character:
# then the name is typed again, at most three times.
type_name() {
  local font=Liberation-Sans out tries=0 deadline label
  [[ $NAME == *[![:ascii:]]* ]] && font=Noto-Sans-CJK-SC
  while :; do
    desk_pointer "move $((DX + S * 140)) $((DY + S * 58))" click   # into the name field
    desk_key ctrl+a
    desk_type "$NAME"
    # Focus on to 确定, so that no blinking cursor lies beside the text.
    desk_key Tab
    deadline=$((SECONDS + 3))
    label=00-name-typed-$((tries + 1))
    while :; do
      shot "$label"
      out=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$label.ppm" "$DX" "$DY" \
              text 43 50 194 17 "$font" 10,11,12 "$NAME") || fail "probe failed on the name field"
      [[ $out == text=1* ]] && { echo "   name field: $out"; return 0; }
      [ $SECONDS -ge $deadline ] && break
      sleep 0.2
    done
    tries=$((tries + 1))
    [ $tries -lt 3 ] || fail "the name field does not read \"$NAME\" after typing it $tries times: $out"
    echo "   the name field reads $out; typing it again"
  done
}

# --- one game ----------------------------------------------------------------

play() {
  NAME=$1 POLLS=0 STATE='' T0=$SECONDS
  rm -f "$SHOTS"/*.ppm
  QT_SCALE_FACTOR=$S desk_launch "$SHOTS/program-$NAME.log" "$BIN"

  step "the name dialog"
  local dlg
  dlg=$(find_window '^用户名$' 15) || fail "the name dialog did not appear"
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
  desk_pointer "move $((DX + S * 140)) $((DY + S * 58))" click   # back into the field
  desk_key Return
  # Return must not close it: the dialog has no default button.
  local watch_end=$((SECONDS + 2))
  while [ $SECONDS -lt $watch_end ]; do
    titled '^用户名$' >/dev/null || fail "Return closed the name dialog"
    sleep 0.1
  done
  desk_pointer "move $((DX + S * (48 + 37))) $((DY + S * (96 + 12)))" click   # 确定

  step "the table window"
  TABLE=$(find_window '^Orvanta$' 15) || fail "the table window did not appear"
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
  wait_for "table at rest: Start and Rules usable, the rest disabled" 10 \
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
  deal "${START[@]}" double
  [[ $(val money_user) == AAB:* ]] && money_reads 995 990 || fail "the user's money should read 995 after one ante"

  step "first hand: calling until the betting closes"
  local calls=0 deadline=$((SECONDS + 60)) who
  BETTING=1
  while :; do
    if has flip=yellow; then break; fi
    if has call=yellow fold=yellow; then
      [ $calls -lt 3 ] || fail "Call usable a fourth time: there are at most three rounds"
      click "${CALL[@]}"
      calls=$((calls + 1))
      wait_for "Call and Fold disabled after Call $calls" 10 'has call=white fold=white'
    fi
    [ $SECONDS -ge $deadline ] && fail "the betting did not close"
    wait_for "the user's turn or the close of the betting (round $calls)" 30 \
      'has call=yellow fold=yellow || has flip=yellow'
    # The user's token has arrived: the counter holds the ante and every call
    # so far, 5 + 20, + 40, + 60.
    local stake=(0 25 65 125)
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
  BETTING=0
  # Flip turns usable a repaint before Flip all: the screen may be caught in between.
  wait_for "buttons when the betting closed" 5 'has flipall=yellow call=white fold=white'
  [ -e "$SHOTS/token-travel.ppm" ] || fail "no chip token was seen travelling"
  echo "   $calls call(s); a token was seen travelling"

  step "first hand: Flip"
  click "${FLIP[@]}"
  after_showdown
  if [ "$OUTCOME" != tie ]; then
    has flip=white flipall=yellow || fail "after Flip, Flip disabled and Flip all still usable"
    for who in jack jim kate; do seat_flipped $who || fail "$who's cards after Flip: $(val cards_$who)"; done
    has cards_user=face,face,face || fail "the user's cards after Flip"
  fi

  step "second hand: the deal"
  if has sheet=yes; then deal "${SHEET_AT[@]}" early; else deal "${START[@]}" early; fi

  step "second hand: folding at once"
  click "${FOLD[@]}"
  wait_for "Call and Fold disabled after Fold" 10 'has call=white fold=white'
  # The user is out: the rounds run on without the user's turn.
  wait_for "the betting to close by itself" 40 \
    'has call=yellow && fail "Call usable again after the user folded"; has flipall=yellow'
  wait_for "buttons when the betting closed" 5 'has flip=yellow call=white fold=white'
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
  click "${FLIPALL[@]}"
  wait_for "every hand face up and spread" 15 \
    'has cards_jack=face,face,face cards_jim=face,face,face cards_kate=face,face,face'
  after_showdown
  [ "$OUTCOME" != gameover ] || fail "Flip all must not end the game"
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
  desk_pointer "move $((OX + S * CALL[0])) $((OY + S * CALL[1]))" click "wait 170" \
    "move $((OX + S * START[0])) $((OY + S * START[1]))" click
  deal "${START[@]}" begun
  has counter_user=5 || fail "the new hand should start with the user's stake at the ante"

  step "closing"
  desk_close "$TABLE" || fail "could not ask the window to close"
  local box
  box=
  local give_up=$((SECONDS + 10))
  while [ -z "$box" ] && [ $SECONDS -lt $give_up ]; do
    box=$(boxes | head -n1)
    [ -n "$box" ] || sleep 0.1
  done
  [ -n "$box" ] || fail "no farewell message"
  box_text "$box" Noto-Sans-CJK-SC "本软件免费"
  [ "$MATCH" = 1 ] || fail "the farewell message does not begin with 本软件免费"
  # The table waits for the answer before it closes.
  alive || fail "the program ended before the farewell was answered"
  geometry "$TABLE" || fail "the table closed under the open farewell message"
  answer "$box"
  give_up=$((SECONDS + 10))
  while alive && [ $SECONDS -lt $give_up ]; do sleep 0.1; done
  alive && fail "the program did not end after the farewell"
  local rc
  wait "$APP_PID"
  rc=$?
  APP_PID=
  [ $rc = 0 ] || fail "the program exited with status $rc"
  echo "   [$NAME $DESK x$S] passed in $((SECONDS - T0))s"
}

STEP="the desktop"
# The table opens at a fixed place on X, (279, 102) logical: at scale 2 it
# reaches x = 2270, so the screen is 1280x800 at twice the pixels.
desk_up $((S * 1280)) $((S * 800))

for n in "${NAMES[@]}"; do play "$n"; done
echo "end-to-end: passed (${#NAMES[@]} game(s) on $DESK at scale $S, $HANDS hands, ${SECONDS}s)"
