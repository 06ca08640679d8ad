"""Plays Orvanta with keys alone while the real Orca listens, and checks what Orca
would have spoken (its debug log's SPEECH OUTPUT lines) against the table, read
through AT-SPI: each opponent's call or fold as it happens, the player's turn with
what Call costs said once, and the winner with the chips won. Plays hands until
one in which an opponent folded has been heard to its end.

With LANGUAGE zh_CN (the program was started with it) it plays one betting round only, and
checks that Orca says each opponent's move, in Chinese.

usage: /usr/bin/python3 listen.py ORCA_LOG PID NAME OUTDIR [LANGUAGE]
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
from reader import Failed, alive, check, children, run, say, states, window  # noqa: E402

LOG, PID, NAME, OUT = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
LANGUAGE = sys.argv[5] if len(sys.argv) > 5 else "en"
OPPONENTS = ["Jack", "Jim", "Kate"]
MAX_HANDS = 15
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{.*\}\s*$")
# An opponent's move as the program says it in that language: the words for a call and a fold.
CALLS, FOLDS = {"en": ("calls", "folds"), "zh_CN": ("跟注", "放弃")}[LANGUAGE]
MOVE = re.compile(rf"\b(Jack|Jim|Kate) ({CALLS}|{FOLDS})\b(?: (\d+))?")
# A read made while the program blocks (the deal, a pause) is answered after it; by default
# a read gives up after 0.8 s once the program has run for 15 s.
pyatspi.setTimeout(120000, 120000)


# --- what Orca said ---------------------------------------------------------------

HEARD = []  # every spoken line, in order
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
        m = SPOKEN.search(raw.rstrip("\r"))
        if m:
            HEARD.append(m.group(1).strip())


def hear(pattern, since, limit=120.0):
    """Index of the first line from `since` on that matches; waits for Orca to say it."""
    rx = re.compile(pattern)
    end = time.monotonic() + limit
    while True:
        listen()
        for i in range(since, len(HEARD)):
            if rx.search(HEARD[i]):
                return i
        check(time.monotonic() < end, f"Orca did not say /{pattern}/ within {limit:.0f}s; it said last: "
              f"{HEARD[since:][-8:]}")
        check(alive(PID), "the program ended")
        time.sleep(0.05)


def press(key):
    """Presses a key; returns the index of Orca's echo of it, where what follows begins."""
    listen()
    since = len(HEARD)
    subprocess.run(["xdotool", "key", key], check=True)
    return hear(rf"^(?i:{key})$", since, 20)


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


def usable(caption):
    """Whether the button of that caption can be pressed now."""
    for c in children(table()):
        if c.name == caption:
            return {"sensitive", "showing"} <= states(c)
    raise Failed(f"no button {caption} on the table")


def until(what, condition, limit=120.0):
    """Waits for the program to reach a state; the reads wait while it is busy."""
    end = time.monotonic() + limit
    while not condition():
        check(time.monotonic() < end, f"no {what} within {limit:.0f}s")
        check(alive(PID), "the program ended")
        time.sleep(0.05)


# --- a hand --------------------------------------------------------------------------

CALL, FLIP = "跟注", "翻牌"


def moves_heard(lines):
    return [(m.group(1), "calls", int(m.group(3)) if m.group(3) else None) if m.group(2) == CALLS
            else (m.group(1), "folds", None) for line in lines for m in MOVE.finditer(line)]


def hear_moves(since, count, limit=60.0):
    """The moves Orca said from `since` on, once it has said `count` of them: it may be behind the table."""
    end = time.monotonic() + limit
    while True:
        listen()
        heard = moves_heard(HEARD[since:])
        if len(heard) >= count or time.monotonic() > end:
            return heard
        time.sleep(0.05)


def last_move(since):
    """Where what follows the moves heard from `since` on begins: the line of the last one."""
    return max([i for i in range(since, len(HEARD)) if MOVE.search(HEARD[i])], default=since + 1)


def play_hand(deal_key, number):
    """Plays one hand calling at every turn; returns (an opponent folded, lines heard)."""
    before = chips()
    start = begin = press(deal_key)
    folded = set()
    betting_round = 1
    while True:
        until("turn nor close of the betting", lambda: usable(CALL) or usable(FLIP))
        turn_now = usable(CALL)
        now = chips()
        if betting_round > 1:
            played = betting_round - 1
            # What each opponent still in did in the round just played, from the chips put in.
            truth = []
            for p in OPPONENTS:
                if p not in folded:
                    put_in = last[p] - now[p]
                    check(put_in in (0, 20 * played), f"{p} put in {put_in} chips in round {played}")
                    truth.append((p, "calls", put_in) if put_in else (p, "folds", None))
                    if not put_in:
                        folded.add(p)
            heard = hear_moves(begin, len(truth))
            say(f"hand {number} round {played}: the table shows {truth}, Orca said {heard}")
            check(heard == truth, f"hand {number} round {played}: each opponent's move heard once, in order: "
                  f"heard {heard}, the table shows {truth}; Orca said {HEARD[begin:]}")
            # The turn before it: what Call cost, said once from the turn to the first move after it.
            moved = next(i for i in range(begin, len(HEARD)) if MOVE.search(HEARD[i]))
            said = sum(len(re.findall(rf"\b{20 * played}\b", MOVE.sub("", line))) for line in HEARD[turn:moved + 1])
            check(said == 1, f"hand {number} round {played}: the cost of Call ({20 * played}) said once, "
                  f"not {said}: {HEARD[turn:moved + 1]}")
        last = now
        if LANGUAGE != "en" and betting_round > 1:
            return bool(folded), HEARD[start:]  # the moves of a round, heard in that language
        if not turn_now:
            break
        # The turn begins after the last move heard; the player presses once Orca has said the cost.
        turn = last_move(begin)
        cost = 20 * betting_round
        try:
            hear(rf"\b{cost}\b", turn)
        except Failed:
            raise Failed(f"hand {number} round {betting_round}: the turn came, and Orca never said what Call "
                         f"costs ({cost}); it said {HEARD[turn:]}")
        begin = press("space")
        # Orca echoes the key before the program has it. Wait for the player's chips to drop, which
        # lasts: Call is unusable only until the turn comes back, as little as 1.5 s when two fold,
        # and a read made while the program pauses is answered after the pause.
        until("call taken", lambda: chips()[NAME] < now[NAME])
        betting_round += 1
    # The player presses Flip once told that the betting has closed.
    hear(r"Flip|翻牌", last_move(begin))
    flip = press("space")
    at = hear(r"Result sheet|Two winners|Game over", flip + 1)
    final = chips()
    if "Two winners" in HEARD[at] or set(final.values()) == {1000}:
        # A tie settles nothing; a game over starts everyone again at 1000. Neither has a winner.
        box = hear(r"Two winners|Game over", flip + 1)
        say(f"hand {number}: {HEARD[box]!r}")
        answered = press("Return")
        hear(r"^开始 push button|^Result sheet", answered + 1)
        return False, HEARD[start:]
    gains = {p: final[p] - before[p] for p in final}
    winner = max(gains, key=gains.get)
    check(sum(gains.values()) == 0 and gains[winner] > 0, f"the chips after the hand: {gains}")
    who = rf"(?:{re.escape(winner)}|You)" if winner == NAME else re.escape(winner)
    hear(rf"\b{who}\b.*\b{gains[winner]}\b", flip + 1)
    say(f"hand {number}: {winner} wins {gains[winner]} chips, heard")
    return bool(folded), HEARD[start:]


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
        folded, lines = play_hand(deal_key, number)
        with open(os.path.join(OUT, "hand.txt"), "w") as f:
            f.write("\n".join(lines) + "\n")
        if LANGUAGE != "en":
            say(f"heard a betting round in {LANGUAGE}; Orca said:")
            for line in lines:
                print("     " + line)
            return
        if folded:
            say(f"heard a whole hand in which an opponent folded; Orca said:")
            for line in lines:
                print("     " + line)
            # While the others bet, the focus waits where nothing is read but a word.
            dealt = next(i for i, line in enumerate(HEARD) if "New hand" in line)
            clutter = [line for line in HEARD[dealt:] if re.search(r"Card table|stake: ", line)]
            check(not clutter, f"the table's stakes or name were read while the focus waited: {clutter[:3]}")
            return
        deal_key = "Return"
    raise Failed(f"no opponent folded in {MAX_HANDS} hands")


def save_heard():
    with open(os.path.join(OUT, "heard.txt"), "w") as f:
        f.write("\n".join(HEARD) + "\n")


run(main, save_heard)
