# Sourced by run.sh: the desktop on X11, a virtual display (Xvfb) under openbox,
# driven with xdotool. Defines the desk_* functions play.sh acts through:
#   desk_up W H [bus]   starts the desktop on a W x H screen; with "bus", also a private
#                       D-Bus session with the accessibility (AT-SPI) bus on it, for
#                       runs that read the program as a screen reader does
#   desk_down           ends everything desk_up started
#   desk_launch LOG CMD starts the program in the background, sets APP_PID
#   desk_shot FILE      a screenshot of the screen (the part S * 1280 x 800 that the
#                       program uses) as a binary PPM
#   desk_windows        the program's visible windows, one a line: ID X Y W H TITLE
#                       (the client area, in screen pixels)
#   desk_frame ID       "X,Y": where the window's outer frame lies on the screen (X11 only)
#   desk_focus ID       gives the window the keyboard; fails if it did not take it
#   desk_pointer CMD... "move X Y", "click" (down, up 30 ms later) or "wait MS",
#                       run in order, timed exactly
#   desk_key KEY        Return, Tab, ctrl+a
#   desk_type TEXT      types TEXT
#   desk_close ID       asks the window to close, as its close box does
#   desk_app_id ID      what the desktop matches to a launcher: the window class on X
#                       (a launcher's StartupWMClass), the app id on Wayland
# DESK_PLACES is 1 where the program places its windows itself.
DESK=x11
DESK_PLACES=1
OB_PID='' KEEPER_PID='' DBUS_PID='' LAUNCHER_PID=''

. "$root/scripts/xvfb.sh"

# hold_display: keeps a client connected to the display for the whole run.
# Xvfb resets itself whenever its last client leaves and turns away whoever
# connects meanwhile, as openbox did now and then. xprop -spy prints the
# property as soon as it is connected, and stays.
hold_display() {
  local out=$SHOTS/keeper.out
  for _ in 1 2 3 4 5; do
    : >"$out"
    xprop -root -spy _NET_SUPPORTING_WM_CHECK >"$out" 2>/dev/null &
    KEEPER_PID=$!
    for _ in $(seq 100); do
      [ -s "$out" ] && return 0
      kill -0 "$KEEPER_PID" 2>/dev/null || break
      sleep 0.02
    done
    kill "$KEEPER_PID" 2>/dev/null; wait "$KEEPER_PID" 2>/dev/null
    KEEPER_PID=
  done
  return 1
}

desk_up() {
  start_xvfb "$1x$2x24" || fail "Xvfb did not start"
  hold_display || fail "could not connect to the virtual display $DISPLAY"
  [ "${3:-}" = bus ] && bus_up
  # The window manager runs before any window maps, so that windows take the keyboard focus.
  openbox --sm-disable >"$SHOTS/openbox.log" 2>&1 &
  OB_PID=$!
  local _
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not start: $(head -c 300 "$SHOTS/openbox.log")"
}

# bus_up: a private session bus at a path of our own, and the accessibility bus on it.
bus_up() {
  local launcher='' f a11y_bus='' _
  for f in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$f" ] && launcher=$f && break
  done
  [ -n "$launcher" ] || fail "at-spi-bus-launcher is missing (at-spi2-core; scripts/deps.sh installs it)"
  dbus-daemon --session --nofork --nosyslog --address="unix:path=$SHOTS/session-bus" --print-address=3 \
    3>"$SHOTS/bus-address" 2>"$SHOTS/dbus.log" &
  DBUS_PID=$!
  for _ in $(seq 200); do [ -s "$SHOTS/bus-address" ] && break; sleep 0.05; done
  [ -s "$SHOTS/bus-address" ] || fail "the D-Bus session did not start"
  export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$SHOTS/bus-address")
  "$launcher" --launch-immediately 2>"$SHOTS/launcher.log" &
  LAUNCHER_PID=$!
  for _ in $(seq 200); do
    # Asked only once the launcher owns the name, so that the bus does not start a second one.
    if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
         org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; then
      a11y_bus=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null |
                 sed -n 's/^ *string "\(.*\)"$/\1/p')
      [ -n "$a11y_bus" ] && break
    fi
    sleep 0.05
  done
  [ -n "$a11y_bus" ] || fail "the accessibility bus did not answer"
  echo "-- accessibility bus: $a11y_bus"
}

desk_down() {
  local p
  for p in "$OB_PID" "$LAUNCHER_PID" "$DBUS_PID" "$KEEPER_PID"; do stop "$p"; done
  OB_PID='' KEEPER_PID='' LAUNCHER_PID='' DBUS_PID=''
  stop_xvfb
}

desk_launch() {
  local log=$1
  shift
  QT_QPA_PLATFORM=xcb "$@" >"$log" 2>&1 &
  APP_PID=$!
}

desk_shot() { /usr/bin/import -window root -crop $((S * 1280))x$((S * 800))+0+0 -depth 8 "$1" 2>/dev/null; }

desk_windows() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | awk -v id="$w" -v title="$(xdotool getwindowname "$w" 2>/dev/null)" '
      /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
      /Width:/ {w = $2} /Height:/ {h = $2}
      /Map State: IsViewable/ {print id, x, y, w, h, title}'
  done
}

desk_frame() {
  local ext cx cy
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
  [ -n "$ext" ] || ext=0,0,0,0
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/{print "cx="$4} /Absolute upper-left Y/{print "cy="$4}')"
  echo "$((cx - ${ext%%,*})),$((cy - $(cut -d, -f3 <<<"$ext")))"
}

desk_focus() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

desk_pointer() {
  local chain=() c
  for c in "$@"; do
    case $c in
      move\ *) chain+=(mousemove ${c#move }) ;;
      click) chain+=(mousedown 1 sleep 0.03 mouseup 1) ;;
      wait\ *) chain+=(sleep "$(awk -v ms="${c#wait }" 'BEGIN { printf "%.3f", ms / 1000 }')") ;;
      *) fail "unknown pointer command: $c" ;;
    esac
  done
  xdotool "${chain[@]}"
}

desk_key() { xdotool key "$1"; }

# xdotool types a character missing from the keymap by remapping a key for it.
desk_type() { xdotool type --delay 150 "$1"; }

desk_close() { wmctrl -i -c "$1"; }

desk_app_id() { xprop -id "$1" WM_CLASS 2>/dev/null | sed -n 's/.*", "\(.*\)"$/\1/p'; }
