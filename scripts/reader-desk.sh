# Sourced: reader_desk NAME [W H] starts a virtual X display under openbox with a private
# D-Bus session and the accessibility bus on it, as a screen reader's desktop has them
# (tests/e2e/desk-x11.sh), in a folder of its own ($SHOTS); all of it goes on exit.
# NAME names the run in its messages. Needs $root, the checkout.
reader_desk() {
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "python3-pyatspi is missing (scripts/deps.sh installs it)" >&2; exit 2; }
  READER=$1
  SHOTS=$(mktemp -d "/tmp/orvanta-$1.XXXXXX")
  export XDG_RUNTIME_DIR=$SHOTS/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  fail() { echo "$READER: $*" >&2; exit 2; }
  . "$root/tests/e2e/desk-x11.sh"
  trap 'desk_down; rm -rf "$SHOTS"' EXIT
  trap 'exit 2' INT TERM
  desk_up "${2:-1280}" "${3:-800}" bus >/dev/null
}
