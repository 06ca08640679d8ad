# Sourced: start_xvfb starts a virtual X display and exports DISPLAY; stop_xvfb ends it;
# stop PID ends another process started here.
# Xvfb picks a free display number itself, so runs side by side never collide.
# Only the server started here is ended. Usage: start_xvfb [WxHxD]
start_xvfb() {
  local screen=1280x800x24 fdfile
  case "${1:-}" in *x*x*) screen=$1 ;; esac  # a bare display number is no longer needed
  fdfile=$(mktemp)
  # -noreset: the server would otherwise reset, refusing connections, whenever its
  # last client leaves.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$fdfile" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
      if xdpyinfo >/dev/null 2>&1; then
        rm -f "$fdfile"
        return 0
      fi
    fi
    sleep 0.1
  done
  rm -f "$fdfile"
  echo "Xvfb did not start" >&2
  return 1
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# stop PID: ends a process started here, and what it started in turn (also a stopped
# one: it is let go on first).
stop() {
  local pid=$1 child
  [ -n "$pid" ] || return 0
  for child in $(ps -o pid= --ppid "$pid" 2>/dev/null); do stop "$child"; done
  kill -CONT "$pid" 2>/dev/null
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
