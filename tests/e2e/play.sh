# Sourced by run.sh, after harness.sh: `play NAME`, one game as a user plays it: types a name,
# starts a hand with a double click (one deal, one ante), plays it calling to the end, plays
# one hand folding at once, opens and closes the rules, clicks Start during the pause after
# a call (a new hand follows), and closes the window. What it checks about the table is read
# from the screen (probe.py); when to look and act, and where each control lies, from the
# program's trace (ORVANTA_BENCH_TRACE, desktop/BenchTrace.h, read by reader.py): its events
# and its windows' layout. A passing sight (the deal, a travelling token) is shot with the
# program stopped (SIGSTOP) at a moment the trace names. S is the screen pixels per logical
# pixel of the next game (1, or 2 for QT_SCALE_FACTOR=2): a logical x lies at OX + S * x.

TABLE='' OX=0 OY=0 POLLS=0 OUTCOME='' WINNER='' LAST='' FROZEN=0
declare -gA RECT

# places: RECT[NAME] is "X Y W H", where the program's windows and controls lie, as the
# trace's layout has given them so far.
places() {
  local name rect
  while read -r name rect; do RECT[$name]=$rect; done < <(t layout)
}

# click NAME [X Y]: a left click on the middle of the control of that name in the table (or
# in the window whose client area lies at X, Y).
click() {
  local x y w h
  read -r x y w h <<<"${RECT[$1]:-}"
  [ -n "$h" ] || fail "no control $1 in the trace"
  desk_pointer "move $((${2:-$OX} + S * (x + w / 2))) $((${3:-$OY} + S * (y + h / 2)))" click
}

# settle: clicks the bare table, where nothing acts, and waits until that click has been
# handled: everything sent to the program before it has been handled too.
settle() {
  local x y w h
  mark; read -r x y w h <<<"${RECT[Background]}"
  desk_pointer "move $((OX + S * (x + 8))) $((OY + S * (y + h - 8)))" click
  twait "the click on the bare table to be handled" 30 "$M" '^handled release Background$'
}

# --- the screen ------------------------------------------------------------------

shot() { LAST=$1; desk_shot "$SHOTS/$1.ppm" || fail "no screenshot (is the display gone?)"; }
# look LABEL: a screenshot, and what it shows of the table in STATE; read_shot LABEL reads an
# earlier one again, with what the trace has said since.
look() { shot "$1"; read_shot "$1"; }
read_shot() {
  LAST=$1 STATE=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$1.ppm" "$OX" "$OY" "$TRACE") || fail "probe failed on $1"
}
# read_text text|lighttext X Y W H FONT SIZES TEXT...: the first line of dark (light) text in
# that box of the window at WX, WY on the last shot, likened to each TEXT, in OUT.
read_text() {
  OUT=$("$PY" -I "$here/probe.py" -s "$S" "$SHOTS/$LAST.ppm" "$WX" "$WY" "$@") || fail "probe failed on $LAST"
}
label() { POLLS=$((POLLS + 1)) LABEL=$(printf '%02d-%s' "$POLLS" "${1//[^A-Za-z0-9]/_}"); }
# freeze / thaw: stops the program where it is and lets it go on. A stopped program cannot
# change the screen: a shot taken meanwhile shows what it had drawn.
freeze() { kill -STOP "$APP_PID" 2>/dev/null && FROZEN=1; }
thaw() { [ "$FROZEN" = 1 ] && kill -CONT "$APP_PID" 2>/dev/null; FROZEN=0; }
# has KEY=VALUE...: every word is on the screen. val KEY: the value read for KEY.
has() { local w; for w; do [[ " $STATE " == *" $w "* ]] || return 1; done; }
val() { local v=" $STATE "; v=${v#* "$1"=}; echo "${v%% *}"; }
# poll SECONDS CODE: runs CODE (bash) until it holds; non-zero once SECONDS have passed.
poll() {
  local end=$((SECONDS + $1))
  until eval "$2"; do
    alive || fail "the program ended while waiting for: $2"
    [ $SECONDS -lt $end ] || return 1
    sleep 0.05
  done
}
# wait_for DESCRIPTION SECONDS CONDITION: looks at the screen until CONDITION holds. For states
# that last until the user acts: what the trace says is shown may share a look with what the
# next paint brings.
wait_for() { label "$1"; poll "$2" "look $LABEL && { $3; }" || fail "no $1 within $2s"; }

# --- the program's windows -------------------------------------------------------

# window TITLE_REGEX [BUT [now]]: the program's visible window of that title (not BUT), "ID X Y
# W H" (its client area on the screen), once the desktop shows it; shown: whether it does now.
window() {
  local id x y w h title end=$((SECONDS + 30))
  while alive && [ $SECONDS -lt $end ]; do
    while read -r id x y w h title; do
      [[ $title =~ $1 ]] && [ "$id" != "${2:-}" ] && { echo "$id $x $y $w $h"; return 0; }
    done < <(desk_windows)
    [ -z "${3:-}" ] || return 1
    sleep 0.1
  done
  return 1
}
shown() { window "$1" '' now >/dev/null; }

# placed ID NAME: where the program places its windows (X11), the window's outer frame lies
# where the program placed it, as the trace's layout of NAME says.
placed() {
  local x y _
  [ "$DESK_PLACES" = 1 ] || return 0
  read -r x y _ <<<"${RECT[$2]}"
  [ "$(desk_frame "$1")" = "$((S * x)),$((S * y))" ] ||
    fail "$2's frame is at $(desk_frame "$1"), not $((S * x)),$((S * y))"
}

# box_text N FONT TEXT...: the message box the trace has opened, once the desktop shows it
# (BOX), and its message must begin with the Nth TEXT; then it has the keyboard.
box_text() {
  local n=$1 font=$2 x y w h texts=("${@:3}")
  read -r BOX WX WY _ < <(window '^Orvanta$' "$TABLE") ||
    fail "the trace opened a message box the desktop does not show"
  # The box paints just after it maps, where it has laid out its text: wait for it.
  label message
  poll 15 "shot $LABEL; read -r x y w h < <(t rect qt_msgbox_label) || fail 'the trace gives no layout of the box'
    read_text text \$x \$y \$w \$h $font 11,12,13 \"\${texts[@]}\"; [[ \$OUT == text=$n* ]]" ||
    fail "the message box does not read \"${texts[n - 1]}\": $OUT"
  echo "   message: $OUT"
  desk_focus "$BOX" || fail "the message box does not take the keyboard"
}

# --- the checks ----------------------------------------------------------------------

# Money labels: "1000" reads as four glyphs, the last three alike.
money_all_1000() { local who; for who in user jack jim kate; do [[ $(val money_$who) == ABBB:* ]] || return 1; done; }
# The name's font: Chinese characters are drawn from Noto Sans CJK.
name_font() { [[ $NAME == *[![:ascii:]]* ]] && echo Noto-Sans-CJK-SC || echo Liberation-Sans; }

# deal_seen_running FROM: the deal begun after trace line FROM, shot with the program stopped
# once its third card is on the screen and before the deal ends: Start disabled, the counters
# empty, no sheet; the pile still there while cards are left to deal. The shot is read once the
# deal is over, when the trace says where the cards lie.
deal_seen_running() {
  local m shot
  twait "the deal's third card" 30 "$1" '^event pause-begins ' 3
  freeze; mark; m=$M
  if t find "$1" '^event hand-dealt$' >/dev/null; then
    thaw; echo "   (this deal was over before the test could stop it: not looked at)"; return 0
  fi
  RUNNING_SEEN=$((RUNNING_SEEN + 1))
  label deal-running; shot "$LABEL"; shot=$LAST
  thaw
  twait "the end of the deal" 30 "$m" '^event hand-dealt$'
  read_shot "$shot"
  has start=white || fail "Start should be disabled while the cards are dealt"
  # (Jack's counter lies under the pile.)
  has counter_user=- counter_jim=- counter_kate=- ||
    fail "the stake counters should be empty while the cards are dealt"
  has sheet=no marker=none || fail "the result sheet or its marker still shows during the deal"
  [ "$(t dealt "$1" "$m")" -lt 12 ] || return 0
  has pile=yes || fail "the undealt pile should show while cards are left to deal"
  ! has cards_kate=back,back,back || fail "Kate's hand is complete before the last card was dealt"
}

# deal TARGET [early|double|paused]: starts a hand with a click on TARGET (StartButton or
# ResultSheet) and looks at the deal while it runs. "double" clicks a second time while the
# deal runs, where Start cannot take it: one deal, one ante. "early" clicks Call while the
# cards are still coming, which must come to nothing: Call could not take it then. "paused"
# calls first and clicks during the call's pause, where Start stays usable: the new hand
# begins once the pause is over.
deal() {
  local m mode=${2:-} begun
  mark; m=$M
  if [ "$mode" = paused ]; then
    click CallButton
    twait "the click to reach Call" 30 "$m" '^release CallButton$'
    click "$1"
    t find "$m" '^handled release CallButton$' >/dev/null &&
      fail "the click on $1 came after the call's pause (the test came too late)"
    mode=
  else
    click "$1"
  fi
  twait "the click to reach $1" 30 "$m" "^release $1\$"
  begun=$TLINE
  case $mode in double) click "$1" ;; early) click CallButton ;; esac
  [ -n "$mode" ] && t find "$m" '^event hand-dealt$' >/dev/null &&
    fail "the second click came after the deal (the test came too late)"
  # deal_frames.py, where it watches, stops the program itself.
  [ -n "$FRAMES_PID" ] || deal_seen_running "$begun"
  if [ -n "$mode" ]; then
    settle
    [ "$(t count "$begun" "$TLINE" "^release ($1|CallButton)\$")" = 0 ] ||
      fail "the second click, made during the deal, reached its button"
  fi
  # The deal is over, the table at rest for the new hand.
  twait "the end of the deal" 30 "$m" '^event hand-dealt$'
  wait_for "the end of the deal: Call usable, every counter at the ante" 30 \
    'has call=yellow counter_user=5 counter_jack=5 counter_jim=5 counter_kate=5'
  has start=yellow rules=yellow call=yellow fold=yellow flip=white flipall=white || fail "buttons after the deal"
  has cards_user=face,face,face cards_jack=back,back,back cards_jim=back,back,back cards_kate=back,back,back pile=no ||
    fail "cards not dealt as expected"
  has sheet=no marker=none || fail "the result sheet or its marker is still shown in a new hand"
  [ "$mode" != early ] || has counter_user=5 token=none || fail "a click on Call made during the deal acted after it"
}

# watch_deal start|check (Wayland): deal_frames.py stops the program as each card is dealt and
# checks from frames of its own that the cards arrive one at a time, in the deal's order.
watch_deal() {
  if [ "$1" = start ]; then
    "$PY" -I "$here/deal_frames.py" wayland "$OX" "$OY" "$TRACE" "$APP_PID" >"$SHOTS/deal_frames.log" 2>&1 &
    FRAMES_PID=$!
    poll 30 'grep -qx ready "$SHOTS/deal_frames.log" || { kill -0 $FRAMES_PID ||
      fail "deal_frames.py: $(cat "$SHOTS/deal_frames.log")"; false; }' ||
      fail "deal_frames.py did not get ready"
  else
    wait "$FRAMES_PID" || { sed 's/^/   /' "$SHOTS/deal_frames.log"; fail "the deal did not show card by card"; }
    FRAMES_PID=
    sed '/^ready$/d; s/^/   /' "$SHOTS/deal_frames.log"
  fi
}

# token_seen_travelling FROM: after a call made after trace line FROM, stops the program while
# a chip token is on its way (its third step or later, short of its arrival, so that an
# earlier step has been painted) and reads it off the screen. Fails when the screen shows
# none; returns non-zero when the round ended first.
token_seen_travelling() {
  local last
  while t token "$1" "$APP_PID" >/dev/null; do
    freeze
    last=$(t token "$1")
    [ -n "$last" ] && label token-travel && look "$LABEL"
    thaw
    [ -n "$last" ] || continue
    has token=none && fail "the trace has a token on its way ($last), the screen shows none"
    return 0
  done
  return 1
}

# showdown CONTROL: clicks Flip or Flip all and reads the outcome into OUTCOME (sheet, tie or
# gameover) and WINNER. The handler returns, or opens a message box, which must read as the
# trace's tie or game over, and is answered with Return.
showdown() {
  local m said n x y rx ry
  mark; m=$M OUTCOME=sheet WINNER=
  click "$1"
  twait "the end of the showdown or a message box" 30 "$m" "^(show QMessageBox|handled release $1\$)"
  if [[ $(t line "$TLINE") == show* ]]; then
    said=$(t line "$(t find "$m" '^event (tie|game-over )')") || fail "a message box without a tie or the game's end"
    if [ "$said" = "event tie" ]; then OUTCOME=tie n=1; else OUTCOME=gameover n=$((2 + $(t seat "${said##* }"))); fi
    box_text "$n" DejaVu-Sans "Two winners, begin again!" \
      "Game over! You are the winner! Try again?" "Game over! Jack is the winner! Try again?" \
      "Game over! Jim is the winner! Try again?" "Game over! Kate is the winner! Try again?"
    key_taken Return
    twait "the message box to close" 30 "$TLINE" '^hide QMessageBox '
    twait "the showdown to end after the message box" 30 "$TLINE" "^handled release $1\$"
  fi
  if [ $OUTCOME = tie ]; then
    wait_for "the table after the tie" 15 'has sheet=no marker=none'
  else
    read -r _ _ WINNER _ < <(t line "$(t find "$m" '^event result ')") || fail "no result after $1"
    wait_for "the result sheet with its marker in the winner's row" 15 \
      "has sheet=yes marker=$((1 + $(t seat "$WINNER")))"
    [ $OUTCOME = sheet ] || money_all_1000 || fail "after game over every money label must read 1000"
    read -r x y _ <<<"${RECT[ResultSheet]}"; read -r rx ry < <(t row 1)
    WX=$OX WY=$OY
    read_text text $((x + rx - 5)) $((y + ry - 4)) 120 30 "$(name_font)" 20,21,22 "$NAME"
    echo "   sheet row 1: $OUT"
    [[ $OUT == text=1* ]] || fail "the first row of the result sheet does not read \"$NAME\""
  fi
  echo "   outcome: $OUTCOME${WINNER:+, $WINNER wins}"
}

# type_name: types NAME into the name dialog's field and reads it back. xdotool types a
# character missing from the keymap by remapping a key for it, and a busy program can miss the
# remapping and lose the character: then the name is typed again, at most three times.
type_name() {
  local tries x y w h
  read -r x y w h <<<"${RECT[NameEdit]}"
  for tries in 1 2 3; do
    mark
    click NameEdit "$WX" "$WY"
    desk_key ctrl+a
    desk_type "$NAME"
    # Tab moves the focus on to 确定, so that no blinking cursor lies beside the text. Every
    # key typed before Tab has been handled once Tab's has; a virtual keyboard on a loaded
    # Wayland desktop can lose every key: then they are typed again.
    desk_key Tab
    t wait "$APP_PID" Tab 30 "$M" '^handled key release Tab ' >/dev/null || alive ||
      fail "the program ended while the name was typed"
    # Inside the field's frame.
    poll 10 "shot 00-name-typed-$tries
      read_text text $((x + 3)) $((y + 2)) $((w - 7)) $((h - 4)) $(name_font) 10,11,12 \"\$NAME\"
      [[ \$OUT == text=1* ]]" &&
      { echo "   name field: $OUT"; return 0; }
    echo "   the name field reads $OUT"
  done
  fail "the name field does not read \"$NAME\" after typing it 3 times"
}

# --- one game --------------------------------------------------------------------

play() {
  NAME=$1 POLLS=0 STATE='' T0=$SECONDS RUN=game RUNNING_SEEN=0
  local dlg m x y w h who calls=0 token_seen=0 stake=(0 25 65 125) folded=() launcher want at_rest
  launch "$BIN"

  step "the name dialog"
  read -r dlg WX WY _ < <(window '^用户名$') || fail "the name dialog did not appear"
  places
  # The table shows only after the name is given.
  shown '^Orvanta$' && fail "the table is visible before the name was given"
  placed "$dlg" TNameDialog
  desk_focus "$dlg" || fail "the name dialog does not take the keyboard"
  type_name
  mark; m=$M
  click NameEdit "$WX" "$WY"
  # Return must not close it: the dialog has no default button.
  key_taken Return
  t find "$m" '^hide TNameDialog ' >/dev/null || ! shown '^用户名$' && fail "Return closed the name dialog"
  click OkButton "$WX" "$WY"

  step "the table window"
  read -r TABLE OX OY WW WH < <(window '^Orvanta$') || fail "the table window did not appear"
  places
  shown '^用户名$' && fail "the name dialog stayed open after 确定"
  placed "$TABLE" TTableWindow
  read -r _ _ w h <<<"${RECT[TTableWindow]}"
  [ "${WW}x$WH" = $((S * w))x$((S * h)) ] || fail "the table's client area is not $((S * w))x$((S * h)): ${WW}x$WH"
  # Docks and task bars find the launcher (its name, its icon) through the window: by its app
  # id on Wayland, by its window class on X.
  launcher=$root/packaging/org.orvanta.Orvanta.desktop
  want=$(sed -n 's/^StartupWMClass=//p' "$launcher")
  [ "$DESK" = wayland ] && want=$(basename "$launcher" .desktop)
  [ "$(desk_app_id "$TABLE")" = "$want" ] ||
    fail "the window does not match its launcher: \"$(desk_app_id "$TABLE")\", not \"$want\""
  wait_for "table at rest: Start and Rules usable, the rest disabled" 30 \
    'has start=yellow rules=yellow call=white fold=white flip=white flipall=white'
  at_rest=$LAST
  has plaques=ok,ok,ok,ok,ok,ok || fail "the buttons are not 100x32 plaques in their places: $(val plaques)"
  money_all_1000 || fail "the money labels do not all read 1000"
  has counter_user=- counter_jack=- counter_jim=- counter_kate=- ||
    fail "stake counters not empty before the first hand"
  has token=none sheet=no marker=none rules=no || fail "a token, the sheet or the rules show at start"
  [ "$(val name_width)" -ge 20 ] || fail "the user's name label is missing or too short ($(val name_width) px)"

  step "first hand: the deal, from a double click on Start"
  [ "$DESK" = wayland ] && watch_deal start
  deal StartButton double
  [ "$DESK" = wayland ] && watch_deal check
  read -r x y _ <<<"${RECT[UserMoney]}"
  WX=$OX WY=$OY
  read_text lighttext $((x - 1)) "$y" 60 17 Liberation-Sans 12,13,14 995 990
  echo "   money 995 or 990: $OUT"
  [[ $(val money_user) == AAB:* ]] &&
    awk -v s="${OUT##*(}" 'BEGIN { split(s, v, " "); exit !(v[1] >= 0.7 && v[1] > v[2] + 0.03) }' ||
    fail "the user's money should read 995 after one ante"
  # The seats' places are in the trace once a hand is dealt: the table at rest is read again.
  read_shot "$at_rest"
  has cards_user=none cards_jack=none cards_jim=none cards_kate=none ||
    fail "cards on the table before the first hand"

  step "first hand: calling until the betting closes"
  until has flip=yellow; do
    [ $calls -lt 3 ] || fail "Call usable a fourth time: there are at most three rounds"
    mark; m=$M
    click CallButton
    calls=$((calls + 1))
    twait "Call $calls to be taken (Call disabled)" 30 "$m" '^enabled CallButton 0$'
    [ $token_seen = 1 ] || { token_seen_travelling "$m" && token_seen=1; }
    twait "the user's turn or the close of the betting (round $calls)" 60 "$m" '^event (turn|betting-closed)'
    if [[ $(t line "$TLINE") == "event turn "* ]]; then
      wait_for "the user's turn after Call $calls" 15 'has call=yellow fold=yellow'
    else
      wait_for "the close of the betting" 15 'has flip=yellow flipall=yellow call=white fold=white'
    fi
    # The user's token has arrived: the counter holds the ante and every call so far.
    has "counter_user=${stake[$calls]}" ||
      fail "after $calls call(s) the user's counter should read ${stake[$calls]}, not $(val counter_user)"
    [ $calls != 1 ] || [[ $(val money_user) == ABC:* ]] ||
      fail "the user's money should read 975 after the first call"
    for who in jack jim kate; do
      has "cards_$who=back,back,back" || has "cards_$who=pile-fold" ||
        fail "$who's cards during the betting: $(val cards_$who)"
    done
  done
  [ $token_seen = 1 ] || fail "no chip token was seen travelling"
  echo "   $calls call(s); a token was seen travelling"

  step "first hand: Flip"
  showdown FlipButton
  if [ "$OUTCOME" != tie ]; then
    has flip=white flipall=yellow || fail "after Flip, Flip disabled and Flip all still usable"
    for who in jack jim kate; do
      has "cards_$who=face,face,face" || has "cards_$who=pile-fold" ||
        fail "$who's cards after Flip: $(val cards_$who)"
    done
    has cards_user=face,face,face || fail "the user's cards after Flip"
  fi

  step "second hand: the deal, with Call clicked during it"
  if has sheet=yes; then deal ResultSheet early; else deal StartButton early; fi

  step "second hand: folding at once"
  mark; m=$M
  click FoldButton
  twait "the fold to be taken (Fold disabled)" 30 "$m" '^enabled FoldButton 0$'
  # The user is out: the rounds run on without the user's turn.
  twait "the betting to close by itself" 90 "$m" '^(event (turn|betting-closed)|enabled CallButton 1)'
  [ "$(t line "$TLINE")" = "event betting-closed" ] || fail "Call usable again after the user folded"
  wait_for "the close of the betting" 15 'has flip=yellow flipall=yellow call=white fold=white'
  has cards_user=face,face,face || fail "the user's cards should stay face up after a fold"
  for who in jack jim kate; do
    case $(val cards_$who) in
      back,back,back) ;;
      pile-fold) folded+=("$who") ;;
      *) fail "$who's cards are neither a hand of backs nor a folded pile: $(val cards_$who)" ;;
    esac
  done
  echo "   folded: ${folded[*]:-nobody}"

  step "second hand: Flip all"
  showdown FlipAllButton
  [ "$OUTCOME" != gameover ] || fail "Flip all must not end the game"
  has cards_jack=face,face,face cards_jim=face,face,face cards_kate=face,face,face ||
    fail "every hand should be face up and spread after Flip all"
  if [ "$OUTCOME" = sheet ]; then
    [ "$WINNER" != user ] || fail "the user folded but is marked the winner"
    has flipall=white flip=yellow || fail "after Flip all, Flip all disabled and Flip still usable"
  fi

  step "the rules"
  click RulesButton
  wait_for "the rules chart" 15 'has rules=yes'
  click RulesChart
  wait_for "the rules chart to hide" 15 'has rules=no'

  step "third hand: Start clicked during the pause after a call"
  deal StartButton
  deal StartButton paused
  # A loaded machine may keep the test from stopping a deal in time; not every one.
  [ $RUNNING_SEEN -gt 0 ] || fail "no deal could be looked at while it ran"

  step "closing"
  mark; m=$M
  desk_close "$TABLE" || fail "could not ask the window to close"
  twait "the farewell message" 30 "$m" '^show QMessageBox '
  box_text 1 Noto-Sans-CJK-SC "本软件免费"
  # The table waits for the answer before it closes.
  alive || fail "the program ended before the farewell was answered"
  desk_windows | grep "^$TABLE " >/dev/null || fail "the table closed under the open farewell message"
  key_taken Return
  ended
  # Every click came with the pointer's move: no tooltip ever showed, none was in a shot.
  t find 0 '^show QTipLabel' >/dev/null && fail "a tooltip showed during the game"
  echo "   [$NAME $DESK x$S] passed in $((SECONDS - T0))s"
}
