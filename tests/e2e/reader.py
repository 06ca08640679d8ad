"""What the end-to-end runs and the bench share: how a check fails and says what it
does, the program's trace (ORVANTA_BENCH_TRACE, desktop/BenchTrace.h) with the table's
events and the layout of its windows, and the live accessibility tree through AT-SPI.
Every place on the table is read from the trace, where the program writes it.

From the shell: reader.py TRACE COMMAND ARGS... (see main); lines are counted from 1, and
FROM is a number of lines: what comes after it is new.
"""

import os
import re
import sys
import time

T0 = time.monotonic()


class Failed(Exception):
    pass


def say(text):
    print(f"-- {time.monotonic() - T0:5.1f}s {text}", flush=True)


def check(condition, what):
    if not condition:
        raise Failed(what)


def run(main, finish=None):
    """Runs a reader: a failed check ends it with status 1, after finish in any case."""
    try:
        main()
    except Failed as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
    finally:
        if finish:
            finish()


def alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except OSError:
        return False


# --- the trace ----------------------------------------------------------------------

CARD = re.compile(r"move TCardControl (\d+) (\d+) (-?\d+) (-?\d+)$")


class Trace:
    """The program's trace, read as it grows: (monotonic ns, CPU ns, what) a line."""

    def __init__(self, path, pid=None):
        self.path, self.pid, self.lines, self.offset = path, pid, [], 0

    def read(self):
        try:
            with open(self.path, "rb") as f:
                f.seek(self.offset)
                data = f.read()
        except FileNotFoundError:
            return self.lines
        end = data.rfind(b"\n") + 1  # a line still being written waits for the next read
        self.offset += end
        for raw in data[:end].decode("utf-8", "replace").splitlines():
            stamp, cpu, what = raw.split(" ", 2)
            self.lines.append((int(stamp), int(cpu), what))
        return self.lines

    def mark(self):
        return len(self.read())

    def find(self, after, pattern, nth=1, upto=None):
        """The number of the nth line after line `after` (up to `upto`) that matches the
        regular expression from its start, or None."""
        lines, rx = self.read(), re.compile(pattern)
        for n in range(after + 1, (upto or len(lines)) + 1):
            if rx.match(lines[n - 1][2]):
                nth -= 1
                if not nth:
                    return n
        return None

    def count(self, after, upto, pattern):
        rx = re.compile(pattern)
        return sum(1 for line in self.read()[after:upto] if rx.match(line[2]))

    def wait(self, what, after, pattern, limit=60.0, nth=1):
        """Waits for such a line; the deadline only bounds a run that hangs."""
        end = time.monotonic() + limit
        while (found := self.find(after, pattern, nth)) is None:
            check(self.pid is None or alive(self.pid), f"the program ended while waiting for {what}")
            check(time.monotonic() < end, f"no {what} within {limit:.0f}s (the trace has no /{pattern}/ after line {after})")
            time.sleep(0.01)
        return found

    def first(self, pattern, after=0, cpu=False):
        """The time (or the process's CPU time) of the first line at or after the monotonic
        time `after` (ns) that matches, or None: for a reader that times the program."""
        rx = re.compile(pattern)
        return next(((c if cpu else t) for t, c, w in self.read() if t >= after and rx.match(w)), None)

    def what(self, n):
        return self.read()[n - 1][2]

    def time(self, n, cpu=False):
        return self.read()[n - 1][1 if cpu else 0]

    def words(self, pattern, after=0):
        """The words of each line after `after` that matches."""
        rx = re.compile(pattern)
        return [w.split() for _, _, w in self.read()[after:] if rx.match(w)]

    # --- where things are, as the program says

    def rect(self, name):
        """A window's place and client size, or a control's rectangle in its window, as
        its last "layout" line gives it."""
        found = self.words(rf"layout {re.escape(name)} ")
        check(found, f"the trace gives no layout of {name}")
        return tuple(int(v) for v in found[-1][2:6])

    def centre(self, name):
        x, y, w, h = self.rect(name)
        return x + w // 2, y + h // 2

    def routes(self):
        """Each token's travel, by its name: start, step and where it stops."""
        return {w[1]: tuple(int(v) for v in w[2:7]) for w in self.words(r"route ")}

    def sheet_rows(self):
        """The result sheet's rows, by player number: where their texts stand on the sheet."""
        return {int(w[1]): (int(w[2]), int(w[3])) for w in self.words(r"sheet-row ")}

    def seats(self):
        """The seat names, in the players' order (the tokens' names less "Token")."""
        return [name[:-len("Token")].lower() for name in self.routes()]

    def deal(self):
        """Where the last hand dealt lies: {seat: (left, top, step)}, the card's size, and
        the rectangle round its pile; None before the first hand. A hand's cards are
        stacked into the pile, then dealt a row at a time, seat by seat, each card with a
        pause after it."""
        lines = self.read()
        ends = [n for n in range(1, len(lines) + 1) if lines[n - 1][2] == "event hand-dealt"]
        if not ends:
            return None
        moves, dealt = [], []
        for n in range(ends[-1] - 1, 0, -1):
            w = lines[n - 1][2]
            if w.startswith("event ") and not w.startswith("event pause-"):
                break  # the hand before
            if m := CARD.match(w):
                moves.insert(0, tuple(map(int, m.groups())))
                if lines[n][2].startswith("event pause-begins "):
                    dealt.insert(0, moves[0])
        dealt, seats = dealt[:12], {}
        for k, seat in enumerate(self.seats()):
            xs = sorted(x for _, _, x, _ in dealt[k::len(self.seats())])
            seats[seat] = (xs[0], dealt[k][3], xs[1] - xs[0])
        w, h = dealt[0][:2]
        pile = moves[:moves.index(dealt[0])]
        x0, y0 = min(x for _, _, x, _ in pile), min(y for _, _, _, y in pile)
        return seats, (w, h), (x0, y0, max(x for _, _, x, _ in pile) + w - x0, max(y for _, _, _, y in pile) + h - y0)

    def dealt(self, begun, upto):
        """How many cards the deal begun after line `begun` had dealt by line `upto`: its
        first card is the card moved before its first pause."""
        first = self.find(begun, r"event pause-begins ", upto=upto)
        if first is None:
            return 0
        start = max(n for n in range(begun + 1, first) if CARD.match(self.what(n)))
        return min(12, self.count(start - 1, upto, CARD.pattern))

    def token_on_its_way(self, after):
        """(token, x, y) when the last token move after line `after` is its third step or
        later and short of its arrival (where it is hidden), else None."""
        routes, steps, last = self.routes(), {}, None
        for w in self.words(r"move \w+Token ", after):
            steps[w[1]] = steps.get(w[1], 0) + 1
            last = (w[1], int(w[4]), int(w[5]))
        if last and steps[last[0]] >= 3 and travelling(routes[last[0]], last[1], last[2]):
            return last
        return None


def travelling(route, x, y):
    """Whether a token at x, y is on its way: it has not yet reached where it stops."""
    _, _, dx, dy, stop = route
    return x > stop if dx < 0 else x < stop if dx > 0 else y > stop if dy < 0 else y < stop


def stops(route):
    """Where a travelling token shows: each step short of its arrival."""
    x, y, dx, dy, _ = route
    while travelling(route, x + dx, y + dy):
        x, y = x + dx, y + dy
        yield x, y


# --- the accessibility tree (python3-pyatspi, imported by the readers that use it) ----------

def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def states(acc):
    import pyatspi
    s = acc.getState()
    names = {"enabled": pyatspi.STATE_ENABLED, "sensitive": pyatspi.STATE_SENSITIVE, "showing": pyatspi.STATE_SHOWING,
             "focused": pyatspi.STATE_FOCUSED, "focusable": pyatspi.STATE_FOCUSABLE}
    return {n for n, v in names.items() if s.contains(v)}


def application(pid):
    """The program's own application object; None once it has ended."""
    import pyatspi
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window(pid, title, role):
    """The program's showing window of that title and role, or None."""
    app = application(pid)
    for w in children(app) if app else []:
        if w.getRoleName() == role and w.name == title and "showing" in states(w):
            return w
    return None


# --- from the shell -------------------------------------------------------------------

def main(argv):
    """reader.py TRACE wait PID WHAT SECONDS FROM REGEX [N]: the line's number; else the failure
       reader.py TRACE find FROM REGEX [N] | count FROM TO REGEX | line N
       reader.py TRACE rect NAME | at NAME (its centre) | layout (NAME X Y W H a line, as last
       given) | row N (the sheet's) | seat NAME (from 0)
       reader.py TRACE dealt FROM TO | token FROM [PID]: with PID, waits for a token on its way
       until the round ends (then fails)"""
    trace, command, args = Trace(argv[1]), argv[2], argv[3:]
    try:
        if command == "wait":
            trace.pid = int(args[0])
            print(trace.wait(args[1], int(args[3]), args[4], float(args[2]), int(args[5]) if len(args) > 5 else 1))
        elif command == "find":
            found = trace.find(int(args[0]), args[1], int(args[2]) if len(args) > 2 else 1)
            if found is None:
                return 1
            print(found)
        elif command == "count":
            print(trace.count(int(args[0]), int(args[1]), args[2]))
        elif command == "line":
            print(trace.what(int(args[0])))
        elif command in ("rect", "at"):
            print(*(trace.rect if command == "rect" else trace.centre)(args[0]))
        elif command == "layout":
            print("\n".join(" ".join(w[1:6]) for w in {w[1]: w for w in trace.words(r"layout ")}.values()))
        elif command == "dealt":
            print(trace.dealt(int(args[0]), int(args[1])))
        elif command == "row":
            print(*trace.sheet_rows()[int(args[0])])
        elif command == "seat":
            print(trace.seats().index(args[0]))
        elif command == "token":
            while len(args) > 1 and not trace.token_on_its_way(int(args[0])):
                if trace.find(int(args[0]), r"event (turn|betting-closed)") or not alive(int(args[1])):
                    return 1
                time.sleep(0.005)
            print(*(trace.token_on_its_way(int(args[0])) or ()))
        else:
            sys.exit(main.__doc__)
    except Failed as failure:
        print(failure)
        return 1
    return 0

if __name__ == "__main__":
    sys.exit(main(sys.argv))
