# Sourced by run.sh, after harness.sh, on an X desktop brought up with its accessibility
# bus (desk_up ... bus): `a11y_game NAME [LANGUAGE]` plays Orvanta as a screen-reader user would.
# atspi.py reads the live accessibility tree from outside through AT-SPI, presses Call
# through AT-SPI's action, plays a hand with the keyboard alone and closes the window
# from the keyboard; it times its steps by the program's trace, as play.sh does. It reads
# the tooltips the pointer brings up; in a LANGUAGE but en (the default), only the table's.
# The trees, the events heard and the screenshots go to $SHOTS/a11y, kept with the
# rest when the run fails.

a11y_game() {
  NAME=$1 T0=$SECONDS RUN=a11y STEP="through the keyboard and AT-SPI" S=1
  local lang=${2:-en}
  # Debian's own interpreter has python3-pyatspi; another python3 first on the path may not.
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing (scripts/deps.sh installs it)"
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "the desktop was brought up without its accessibility bus"
  mkdir -p "$SHOTS/a11y"
  # Qt reads whether accessibility is on once, at its start.
  launch env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANGUAGE="$lang" "$BIN"
  timeout 300 /usr/bin/python3 -I "$here/atspi.py" "$APP_PID" "$NAME" "$SHOTS/a11y" "$TRACE" "$lang" ||
    fail "atspi.py failed (see above)"
  # The run ends by closing the window: the program must then exit by itself, and cleanly.
  ended
  echo "   [$NAME $DESK a11y $lang] passed in $((SECONDS - T0))s"
}
