"""How long Orvanta keeps an AT-SPI call waiting during the game's pauses, and outside them.

Called by tools/bench/answers on an X display with a private D-Bus session and its
accessibility bus. Plays hands from the keyboard, as a blind player does, while a second
process (this script with --ask) asks the program for extents over AT-SPI back to back;
each call's wait is set against the pauses the program's trace records (event
pause-begins MS ... pause-ends, see desktop/BenchTrace.h and tests/e2e/reader.py): the
deal's (100 and 10 ms, taken as one span from its first to its last), the one after the
user's call (500 ms) and folded Jim's (1000 ms). A screen reader gives up on a call after
0.8 s.
"""

import argparse
import bisect
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "e2e"))
sys.path.insert(0, here)
from measure import cpu_pressure, load  # noqa: E402
from reader import Failed, Trace, alive, application, check, children, say  # noqa: E402

DEAL, CALL, JIM, OUTSIDE = "deal", "call", "jim", "outside"
KINDS = {100: DEAL, 10: DEAL, 500: CALL, 1000: JIM}
ROWS = ((DEAL, "during the deal (first to last pause)"), (CALL, "during the user's call (500 ms)"),
        (JIM, "during folded Jim's phase (1000 ms)"), (OUTSIDE, "outside pauses"))
GAP_S = 0.003  # between two calls: the program is asked all the time, yet not flooded
QT_KEYS = {"space": "Space"}  # xdotool's name of a key where Qt's differs


# --- asking -------------------------------------------------------------------------

def ask(pid, out):
    """Asks the program for the extents of its window and of its seats, one call after the
    other, until told to stop; writes each call's start and end (monotonic ns) and what
    was asked. Extents are never kept by libatspi's cache: every call reaches the program."""
    import pyatspi
    from gi.repository import Atspi
    # Wait for the answer however long the program takes: not libatspi's default timeout.
    Atspi.set_timeout(600000, 600000)
    stopping = []
    signal.signal(signal.SIGTERM, lambda *_: stopping.append(True))
    end, frames = time.monotonic() + 10, []
    while not frames and time.monotonic() < end:
        app = application(pid)
        frames = [w for w in children(app) if w.getRoleName() == "frame"] if app else []
        time.sleep(0.05)
    check(frames, "the program shows no frame over AT-SPI")
    # The window, and the first children of its table (the seats), as a reader asks about them.
    targets = [frames[0], *children(children(frames[0])[0])[:4]]
    components = [t.queryComponent() for t in targets]
    with open(out, "w", buffering=1) as f:
        print("ready", flush=True)
        n = 0
        while not stopping and alive(pid):
            which = n % len(components)
            began = time.monotonic_ns()
            try:
                components[which].getExtents(pyatspi.DESKTOP_COORDS)
                what = which
            except Exception:  # the program went away, or refused: reported apart
                what = -1
            f.write(f"{began} {time.monotonic_ns()} {what}\n")
            n += 1
            time.sleep(GAP_S)


# --- playing ------------------------------------------------------------------------

class Player:
    """Plays from the keyboard (xdotool) and knows when to act from the trace."""

    def __init__(self, log):
        self.log = log

    def key(self, name, expect=None, limit=30.0):
        """Presses a key; returns the trace line where it reached the focused control,
        failing when that is not EXPECT (the focus is not where the turn should have put it)."""
        mark = self.log.mark()
        subprocess.run(["xdotool", "key", name], check=True)
        n = self.log.wait(f"{name} reaching a control", mark, rf"key press {QT_KEYS.get(name, name)} ", limit)
        control = self.log.what(n).split()[3:4]
        check(expect is None or control == [expect], f"{name} reached {' '.join(control) or 'nothing'}, not {expect}")
        return n

    def idle(self, after):
        """Waits until the handler running at line AFTER has returned: the focus has then
        followed the turn."""
        return self.log.wait("return from the handler", after, r"(handled|ticked) ", 120)

    def name(self, name):
        shown = self.log.wait("name dialog", 0, r"show TNameDialog ", 60)
        self.log.wait("paint of the name dialog", shown, r"painted ", 60)
        mark = self.log.mark()
        subprocess.run(["xdotool", "type", "--delay", "60", name], check=True)
        self.log.wait("key in the name field", mark, r"key press \S+ NameEdit$", 10)
        self.key("Tab")
        self.key("space")
        shown = self.log.wait("table window", mark, r"show TTableWindow ", 30)
        self.log.wait("paint of the table", shown, r"painted ", 30)

    def hand(self, deal):
        """Plays one hand: the deal with the key DEAL (key, control), Call at every turn,
        Flip once the betting closes, Return on every message box. Returns the key and
        control that deal the next hand."""
        mark = self.log.mark()
        self.key(*deal)
        at = self.log.wait("deal", mark, r"event hand-dealt$", 60)
        while True:
            at = self.log.wait("turn of the user nor close of the betting", at, r"event (turn|betting-closed)", 120)
            closed = self.log.what(at) == "event betting-closed"
            self.idle(at)
            at = self.key("space", "FlipButton" if closed else "CallButton")
            if closed:
                break
        flip = at
        while True:
            at = self.log.wait("end of the showdown nor message box", at,
                               r"(show QMessageBox|handled key release Space FlipButton$)", 60)
            if not self.log.what(at).startswith("show"):
                break
            self.log.wait("paint of the message box", at, r"painted ", 30)
            # The box has the keyboard once the window manager has given it: a Return that
            # came too early reached nothing and is pressed again.
            for _ in range(5):
                subprocess.run(["xdotool", "key", "Return"], check=True)
                hidden = self.wait_line(at, r"hide QMessageBox", 3)
                if hidden:
                    break
            check(hidden, "a message box would not close")
            at = hidden
        if self.log.find(flip, r"event result ") is not None:
            return ("Return", "ResultSheet")
        # A tie: no sheet, and Start does not take the focus by itself.
        for _ in range(10):
            mark = self.log.mark()
            self.key("Tab")
            n = self.log.wait("release of Tab", mark, r"key release Tab ", 30)
            if self.log.what(n).split()[3:4] == ["StartButton"]:
                return ("space", "StartButton")
        raise Failed("Tab never brought the focus to Start")

    def wait_line(self, after, pattern, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            n = self.log.find(after, pattern)
            if n is not None:
                return n
            time.sleep(0.01)
        return None


# --- reading the figures ------------------------------------------------------------

def pause_windows(lines):
    """The trace's pauses as (begin ns, end ns, kind), a deal's pauses as one span."""
    windows, begun, deal = [], None, None
    for t, _, what in lines:
        if what.startswith("event pause-begins "):
            begun = (t, KINDS.get(int(what.split()[2]), OUTSIDE))
            if begun[1] != DEAL and deal:
                windows.append((*deal, DEAL))
                deal = None
        elif what == "event pause-ends" and begun:
            if begun[1] == DEAL:
                deal = (deal[0] if deal else begun[0], t)
            else:
                windows.append((begun[0], t, begun[1]))
            begun = None
        elif what == "event hand-dealt" and deal:
            windows.append((*deal, DEAL))
            deal = None
    if deal:
        windows.append((*deal, DEAL))
    return sorted(windows)


def classify(calls, windows):
    """Each call (its wait in ms, start and end), by the kind of pause it overlaps most
    (none: outside)."""
    begins = [w[0] for w in windows]
    waits = {kind: [] for kind, _ in ROWS}
    for began, ended in calls:
        best, kind = 0, OUTSIDE
        i = bisect.bisect_left(begins, ended) - 1
        while i >= 0 and windows[i][1] > began:  # pauses follow one another: their ends are in order too
            overlap = min(ended, windows[i][1]) - max(began, windows[i][0])
            if overlap > best:
                best, kind = overlap, windows[i][2]
            i -= 1
        waits[kind].append(((ended - began) / 1e6, began, ended))
    return waits


def handlers(lines):
    """What the program handled, as (start ns, end ns, what): a key, a click, a Press or a
    tick, from its line to its "handled" or "ticked" line."""
    spans, open_ = [], {}
    for t, _, what in lines:
        if what.startswith(("key press ", "key release ", "release ", "press ", "tick ")):
            open_[what] = t
        elif what.startswith("handled ") and what[8:] in open_:
            spans.append((open_.pop(what[8:]), t, what[8:]))
        elif what.startswith("ticked ") and "tick " + what[7:] in open_:
            spans.append((open_.pop("tick " + what[7:]), t, "tick " + what[7:]))
    return spans


def busy_with(spans, began, ended):
    """The handler that overlaps the interval most, or None."""
    best = max(spans, key=lambda s: min(ended, s[1]) - max(began, s[0]), default=None)
    return best[2] if best and min(ended, best[1]) > max(began, best[0]) else None


def percentile(values, p):
    values = sorted(values)
    return values[max(0, -(-len(values) * p // 100) - 1)] if values else None


def report(waits, windows, target):
    """Prints the table; returns the kinds whose longest wait exceeds TARGET."""
    def ms(v):
        return "-" if v is None else f"{v:.1f}"
    head = f"{'AT-SPI call answered (GetExtents), ms':<44}{'pauses':>7}{'calls':>7}{'median':>8}{'p95':>8}{'longest':>9}"
    print(head + ("  target" if target else ""))
    print("-" * (len(head) + (8 if target else 0)))
    missed = []
    for kind, title in ROWS:
        w = [wait for wait, _, _ in waits[kind]]
        longest = max(w) if w else None
        pauses = "" if kind == OUTSIDE else str(sum(1 for x in windows if x[2] == kind))
        row = f"{title:<44}{pauses:>7}{len(w):>7}{ms(percentile(w, 50)):>8}{ms(percentile(w, 95)):>8}{ms(longest):>9}"
        if target:
            ok = longest is None or longest <= target
            row += f"  <= {target:g} {'ok' if ok else 'MISSED'}"
            if not ok:
                missed.append(kind)
        print(row)
    return missed


# --- the run ------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(prog="tools/bench/answers")
    parser.add_argument("program")
    parser.add_argument("--hands", type=int, default=12, help="at most this many hands (default 12)")
    parser.add_argument("--jim", type=int, default=2, help="stop once folded Jim's pause was seen in this many hands")
    parser.add_argument("--target", type=float, help="exit 1 when a kind's longest wait exceeds this, ms")
    parser.add_argument("--name", default="Probe", help="the name typed in the name dialog")
    parser.add_argument("--keep", help="a folder to keep the trace and the calls in")
    if sys.argv[1:2] == ["--ask"]:  # the second process: --ask PID FILE
        try:
            ask(int(sys.argv[2]), sys.argv[3])
        except Failed as failure:
            print(f"FAIL: {failure}", file=sys.stderr)
            return 2
        return 0
    args = parser.parse_args()

    tmp = tempfile.mkdtemp(prefix="orvanta-answers-")
    trace_path, calls_path = os.path.join(tmp, "trace.log"), os.path.join(tmp, "calls.log")
    env = dict(os.environ, ORVANTA_BENCH_TRACE=trace_path, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    loads, waited, began = [load()], cpu_pressure(), time.monotonic()
    with open(os.path.join(tmp, "program.log"), "wb") as err:
        program = subprocess.Popen([args.program], stdin=subprocess.DEVNULL, stdout=err, stderr=err, env=env)
    # Reaped as soon as it ends, so that a wait on the trace sees it gone.
    threading.Thread(target=program.wait, daemon=True).start()
    asker, hands, jim_hands = None, 0, 0
    log = Trace(trace_path, program.pid)
    try:
        player = Player(log)
        player.name(args.name)
        say("the table is up: asking it over AT-SPI")
        asker = subprocess.Popen([sys.executable, "-I", os.path.abspath(__file__), "--ask", str(program.pid), calls_path],
                                 stdout=subprocess.PIPE, text=True)
        check(asker.stdout.readline().strip() == "ready", "the asking process did not find the program over AT-SPI")
        deal = ("space", "StartButton")
        while hands < args.hands and jim_hands < args.jim:
            mark = log.mark()
            deal = player.hand(deal)
            hands += 1
            jim = log.count(mark, None, r"event pause-begins 1000$")
            jim_hands += jim > 0
            say(f"hand {hands}: {log.count(mark, None, r'event call user ')} call(s), folded Jim's pause {jim} time(s)")
    except Exception as failure:  # a check that failed, xdotool, the trace: no figures
        print(f"FAIL: {failure}", file=sys.stderr)
        args.keep = args.keep or os.path.join(here, "..", "..", "out", "answers-fail")
        return 2
    finally:
        if asker:
            asker.terminate()
            try:
                asker.wait(10)
            except subprocess.TimeoutExpired:
                asker.kill()
                asker.wait()
        if program.poll() is None:
            program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
        if args.keep:
            os.makedirs(args.keep, exist_ok=True)
            for f in os.listdir(tmp):
                shutil.copy(os.path.join(tmp, f), args.keep)
            print(f"kept in {os.path.abspath(args.keep)}", file=sys.stderr)
        lines = log.read()
        took = time.monotonic() - began
        loads.append(load())
        pressure = cpu_pressure()
        with open(calls_path) if os.path.exists(calls_path) else open(os.devnull) as f:
            asked = [tuple(int(v) for v in line.split()) for line in f if line.count(" ") == 2]
        calls = [(b, e) for b, e, what in asked if what >= 0]
        shutil.rmtree(tmp, ignore_errors=True)

    windows = pause_windows(lines)
    print()
    waits = classify(calls, windows)
    missed = report(waits, windows, args.target)
    print()
    if waits[OUTSIDE]:
        wait, b, e = max(waits[OUTSIDE])
        what = busy_with(handlers(lines), b, e)
        print(f"longest outside pauses: {wait:.1f} ms, " + (f"while handling '{what}'" if what else "between handlers"))
    unseen = [title for kind, title in ROWS if kind != OUTSIDE and not waits[kind]]
    if unseen:
        print(f"not seen in {hands} hands: " + "; ".join(unseen))
    ties, overs = (sum(1 for _, _, w in lines if w.startswith(e)) for e in ("event tie", "event game-over"))
    print(f"{hands} hands ({ties} tied, {overs} ended the game), folded Jim's pause in {jim_hands};"
          f" {len(calls)} calls in {took:.0f} s")
    if len(asked) > len(calls):
        print(f"calls that failed (not counted): {len(asked) - len(calls)}")
    print(f"load average before/after: {loads[0]} / {loads[1]}")
    if waited is not None and pressure is not None:
        print(f"time in which a runnable task waited for a CPU: {100 * (pressure - waited) / 1e6 / took:.0f}%")
    if args.target:
        print(f"targets missed: {', '.join(missed) if missed else 'none'}")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
