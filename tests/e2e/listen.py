"""Plays Orvanta with keys alone while the real Orca listens, and holds what Orca would
have spoken (its debug log's SPEECH OUTPUT lines) against what the program did (its
trace): every call and fold of Jack, Jim and Kate said once, in order, over whole hands;
the player's turn with what Call costs said once; the winner with the chips won; nothing
of the table but a word read while the others bet; at one turn, the standing key's line
with every seat's chips, the pot and the cost of a call. Any
"The process appears to be hung" in Orca's log fails the run: Orca drops the line it was
reading when the program does not answer it within 0.8 s.

It plays on until the trace has had folded Jim's 1000 ms pause right after another
opponent's call (the line most at risk of being lost while the program pauses), and
finishes that hand; no such hand within MAX_HANDS hands or MAX_SECONDS fails the run.
With LANGUAGE zh_CN (the program was started with it) the same, said in Chinese.

usage: /usr/bin/python3 listen.py ORCA_LOG TRACE PID NAME OUTDIR [LANGUAGE]
Prints what it heard; writes the last hand's lines to OUTDIR/hand.txt.
"""

import os
import re
import subprocess
import sys
import time

import pyatspi

# -I leaves the script's folder off the path
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from reader import T0, Failed, Trace, alive, check, children, run, say, states, window  # noqa: E402

LOG, PID, NAME, OUT = sys.argv[1], int(sys.argv[3]), sys.argv[4], sys.argv[5]
TRACE = Trace(sys.argv[2], PID)
LANGUAGE = sys.argv[6] if len(sys.argv) > 6 else "en"
# Jim folds in about one hand in five before the last round with Jack still in: 40 hands
# miss that in both languages about once in 5000 runs.
MAX_HANDS, MAX_SECONDS = 40, 720
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{.*\}\s*$")
HUNG = "The process appears to be hung"
# The program's words in that language: a call, a fold, the player winning, and the table's
# clutter (its name, a stake counter) that must not be read while the focus waits.
CALLS, FOLDS, YOU, CLUTTER = {"en": ("calls", "folds", "You", r"Card table|stake: "),
                              "zh_CN": ("跟注", "放弃", "你", r"牌桌|下注：")}[LANGUAGE]
MOVE = re.compile(rf"\b(Jack|Jim|Kate) ({CALLS}|{FOLDS})\b(?: (\d+))?")
TRACED = re.compile(r"event (call|fold) (jack|jim|kate)(?: (\d+))?$")
# A read made while the program blocks (the deal, a pause) is answered after it; by default
# a read gives up after 0.8 s once the program has run for 15 s.
pyatspi.setTimeout(120000, 120000)


# --- what Orca said ---------------------------------------------------------------

HEARD = []  # every spoken line, in order
HUNGS = []  # (lines heard by then, Orca's log line) for each time Orca found the program hung
BETTING = []  # (first, last) line heard of each hand's deal and betting
_offset = 0


def listen():
    """Reads the lines Orca has logged since the last call."""
    global _offset
    with open(LOG, "rb") as f:
        f.seek(_offset)
        data = f.read()
    end = data.rfind(b"\n") + 1  # a line still being written waits for the next read
    _offset += end
    for raw in data[:end].decode("utf-8", "replace").splitlines():
        if m := SPOKEN.search(raw.rstrip("\r")):
            HEARD.append(m.group(1).strip())
        if HUNG in raw:
            HUNGS.append((len(HEARD), raw.strip()))


def hung():
    """What Orca said before each time it found the program hung, or ""."""
    return "; ".join(f"Orca logged {raw!r} after saying {HEARD[max(0, n - 2):n]}" for n, raw in HUNGS)


def hear(pattern, since, limit=60.0):
    """Index of the first line from `since` on that matches; waits for Orca to say it."""
    rx = re.compile(pattern)
    end = time.monotonic() + limit
    while True:
        listen()
        for i in range(since, len(HEARD)):
            if rx.search(HEARD[i]):
                return i
        check(time.monotonic() < end, f"Orca did not say /{pattern}/ within {limit:.0f}s; it said last: "
              f"{HEARD[since:][-8:]}. {hung()}")
        check(alive(PID), "the program ended")
        time.sleep(0.05)


def press(key):
    """Presses a key; returns the index of Orca's echo of it, where what follows begins."""
    listen()
    since = len(HEARD)
    subprocess.run(["xdotool", "key", key], check=True)
    return hear(rf"^(?i:{key})$", since, 20)


# --- what was said against what was done ---------------------------------------------

def said(lines):
    return [(m[1], "calls", int(m[3]) if m[3] else None) if m[2] == CALLS else (m[1], "folds", None)
            for line in lines for m in MOVE.finditer(line)]


def done(upto):
    """The opponents' moves in the trace's first `upto` lines: (line number, move)."""
    return [(n, (m[2].capitalize(), "calls" if m[1] == "call" else "folds", int(m[3]) if m[3] else None))
            for n, (_, _, w) in enumerate(TRACE.read()[:upto], 1) if (m := TRACED.match(w))]


def left_out(longer, shorter):
    """The places in `longer` that `shorter` leaves out, if it is `longer` less some; else None."""
    gone, i = [], 0
    for j, x in enumerate(longer):
        if i < len(shorter) and shorter[i] == x:
            i += 1
        else:
            gone.append(j)
    return gone if i == len(shorter) else None


def next_event(n):
    return next((w for _, _, w in TRACE.read()[n:] if w.startswith("event ")), None)


def agree(where, upto, by):
    """Every move in the trace's first `upto` lines was said once, in order, by Orca's
    line `by` (said after them), and Orca never found the program hung."""
    listen()
    truth, heard = done(upto), said(HEARD[:by + 1])
    moves = [move for _, move in truth]
    if moves != heard:
        k = next((i for i, (a, b) in enumerate(zip(moves, heard)) if a != b), min(len(moves), len(heard)))
        if (gone := left_out(moves, heard)) is not None:
            what = "missed " + ", ".join(f"{moves[j]} (trace line {truth[j][0]}, followed by "
                                         f"{next_event(truth[j][0])!r})" for j in gone)
        elif (twice := left_out(heard, moves)) is not None:
            what = f"said {[heard[j] for j in twice]} once too often"
        else:
            what = "said the moves out of order"
        raise Failed(f"{where}: Orca {what}: from move {k + 1} on, the trace has {moves[k:]}, "
                     f"Orca said {heard[k:]}; it said {HEARD[max(0, by - 8):by + 1]}. {hung()}")
    check(not HUNGS, f"{where}: Orca found the program hung: {hung()}")


def at_risk():
    """The calls followed by folded Jim's pause with no move between: (line number, what)."""
    lines, last = TRACE.read(), None
    found = []
    for n, (_, _, w) in enumerate(lines, 1):
        if w.startswith(("event call ", "event fold ")):
            last = (n, w)
        elif w == "event pause-begins 1000" and last and TRACED.match(last[1]) and " call " in last[1]:
            found.append(last)
    return found


# --- the table, read through AT-SPI -----------------------------------------------------

def table():
    frame = window(PID, "Orvanta", "frame")
    if frame is None:
        raise Failed("the table is not in the accessibility tree")
    return children(frame)[0]


def chips():
    """Each seat's chips by name, from the seats' names ("Kate, 995 chips", "Kate，995 筹码")."""
    seats = [re.fullmatch(r"(.*)[,，] ?(-?\d+)\D*", s.name) for s in children(table())[:4]]
    return {m.group(1): int(m.group(2)) for m in seats}


def focused():
    """The table's control that has the focus, or None (a message box has it)."""
    frame = window(PID, "Orvanta", "frame")
    return next((c for c in children(children(frame)[0]) if "focused" in states(c)), None) if frame else None


def until(what, condition, limit=60.0):
    """Waits for the program to reach a state; the reads wait while it is busy."""
    end = time.monotonic() + limit
    while not (found := condition()):
        check(time.monotonic() < end, f"no {what} within {limit:.0f}s")
        check(alive(PID), "the program ended")
        time.sleep(0.05)
    return found


# --- a hand --------------------------------------------------------------------------

STANDING = set()  # the lines that answered the standing key


def standing(before, price):
    """At the player's turn, the standing key: Orca says one line with every seat's chips as
    the table shows them, the pot (all the chips the seats have put in this hand) and what a
    call costs."""
    now = chips()
    line = hear(rf"\b{re.escape(NAME)} {now[NAME]}\b", press("s") + 1, 20)
    STANDING.add(line)
    pot = sum(before.values()) - sum(now.values())
    for figure in [rf"\b{re.escape(p)} {c}\b" for p, c in now.items()] + [rf"\b{pot}\b", cost(price)]:
        check(re.search(figure, HEARD[line]), f"the standing key: /{figure}/ not in what Orca said: {HEARD[line]!r}")
    say(f"the standing key: Orca said {HEARD[line]!r}")

def cost(chips_):
    """What Call costs, as said at the turn: the figure, not an opponent's call of it."""
    return rf"(?<!{CALLS} )\b{chips_}\b"


def play_hand(deal_key, number):
    """Plays one hand calling at every turn; returns where its lines heard begin."""
    before = chips()
    mark = TRACE.mark()
    start = begin = press(deal_key)
    turn = price = None
    for betting_round in range(1, 5):
        mark = TRACE.wait("the turn nor the betting's close", mark, r"event (turn \d+|betting-closed)$", 120)
        event = TRACE.what(mark).split()
        # Orca says the turn or the close after the moves before it.
        closing = hear(cost(event[2]) if event[1] == "turn" else r"Flip|翻牌", begin)
        where = f"hand {number} " + (f"round {betting_round - 1}" if price else "dealt")
        agree(where, mark, closing)
        if price:
            # What Call cost, said once from the turn to the first move after the player's call.
            moved = next((i for i in range(begin, closing + 1) if MOVE.search(HEARD[i])), closing)
            times = sum(len(re.findall(cost(price), line)) for i, line in enumerate(HEARD[turn:moved + 1], turn)
                        if i not in STANDING)
            check(times == 1, f"{where}: the cost of Call ({price}) said once, not {times}: {HEARD[turn:moved + 1]}")
            say(f"{where}: Orca said {said(HEARD[begin:closing + 1])}, as the trace has them")
        if event[1] != "turn":
            BETTING.append((start, closing))
            break
        turn, price = closing, event[2]
        if betting_round == 2 and not STANDING:
            standing(before, price)
        begin = press("space")
        # Orca echoes the key before the program has it.
        mark = TRACE.wait("the player's call", mark, r"event call user ")
    flip = press("space")
    mark = TRACE.wait("the hand's outcome", mark, r"event (result \w+ \d+|tie)$")
    event = TRACE.what(mark).split()
    box = None
    if event[1] == "tie":
        box = end = hear(r"Two winners", flip + 1)
    else:
        winner, won = event[2].capitalize(), int(event[3])
        who = YOU if winner == "User" else rf"\b{winner}\b"
        end = hear(rf"{who}.*\b{won}\b", flip + 1)
        say(f"hand {number}: {NAME if winner == 'User' else winner} wins {won} chips, heard")
        if TRACE.find(mark, r"event game-over "):  # everyone starts again at 1000
            box = hear(r"Game over", end)
        else:
            gains = {p: c - before[p] for p, c in chips().items()}
            check(sum(gains.values()) == 0 and gains[NAME if winner == "User" else winner] == won,
                  f"hand {number}: the seats' chips moved by {gains}; the trace has {winner} winning {won}")
    agree(f"hand {number}", mark, end)
    if box is not None:
        # A tie or a game over is a message box: answered, the focus comes back to the table.
        say(f"hand {number}: {HEARD[box]!r}")
        answered = press("Return")
        hear(rf"^{re.escape(until('the focus back on the table', focused).name)}", answered + 1)
    return start


def main():
    hear(r"^用户名 dialog", 0)
    field = hear(r" text\.?$", 0)
    subprocess.run(["xdotool", "type", "--delay", "150", NAME], check=True)
    subprocess.run(["xdotool", "key", "Tab"], check=True)
    hear(r"^确定 push button", field)
    press("space")
    hear(r"^开始 push button", field)
    deal_key = "space"  # Start; later Enter on the result sheet
    for number in range(1, MAX_HANDS + 1):
        lines = HEARD[play_hand(deal_key, number):]
        with open(os.path.join(OUT, "hand.txt"), "w") as f:
            f.write("\n".join(lines) + "\n")
        if risky := at_risk():
            break
        check(number < MAX_HANDS and time.monotonic() - T0 < MAX_SECONDS, f"no call came right before folded "
              f"Jim's pause in {number} hands ({time.monotonic() - T0:.0f}s): the case this run is for was not heard")
        deal_key = "Return"
    say(f"every move heard once, in order; a call right before folded Jim's pause at trace lines "
        f"{[n for n, _ in risky]} ({risky[0][1]!r}); the last hand, as Orca said it:")
    for line in lines:
        print("     " + line)
    # While the others bet, the focus waits where nothing is read but a word.
    clutter = [line for first, last in BETTING for line in HEARD[first:last + 1] if re.search(CLUTTER, line)]
    check(not clutter, f"the table's stakes or name were read while the focus waited: {clutter[:3]}")
    with open(LOG, encoding="utf-8", errors="replace") as f:
        found = [line.strip() for line in f if HUNG in line]
    check(not found, f"Orca found the program hung: {found[:3]}")


def save_heard():
    with open(os.path.join(OUT, "heard.txt"), "w") as f:
        f.write("\n".join(HEARD) + "\n")


run(main, save_heard)
