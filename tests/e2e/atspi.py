"""Plays Orvanta from outside as a screen-reader user would: reads the live
accessibility tree through AT-SPI, listens to its events, presses with the
keyboard (xdotool key) and through AT-SPI's own Press action, reads the tooltips the
pointer brings up (in LANGUAGE other than en, only those of the table). When to act and
how long to wait is read from the program's trace (ORVANTA_BENCH_TRACE, see
desktop/BenchTrace.h): keys handled, presses read and run, boxes shown; what it
checks is read through AT-SPI.

usage: /usr/bin/python3 atspi.py PID NAME OUTDIR TRACE [LANGUAGE]
Prints what it reads; exits non-zero naming the first check that failed.
"""

import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

# -I leaves the script's folder off the path
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from reader import T0, Failed, Trace, application, check, children, run, say, states, window  # noqa: E402

PID, NAME, OUT, TRACE = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
LANGUAGE = (sys.argv[5:] or ["en"])[0]
# A call waits for the program as long as it is busy (a Press sent during the deal is
# answered after it): not AT-SPI's 0.8 s by default.
Atspi.set_timeout(60000, 60000)
EVENTS = []  # (seconds, type, role, name, detail1)


# --- events ----------------------------------------------------------------

def on_event(event):
    try:
        source = event.source
        EVENTS.append((time.monotonic() - T0, event.type, source.getRoleName(), source.name, event.detail1))
    except Exception:  # the source may be gone already
        EVENTS.append((time.monotonic() - T0, event.type, "?", "?", event.detail1))


for kind in ("object:property-change:accessible-name", "object:property-change:accessible-description",
             "object:state-changed:showing", "object:state-changed:sensitive", "object:state-changed:focused",
             "object:children-changed", "focus:"):
    pyatspi.Registry.registerEventListener(on_event, kind)


def pump(seconds=0.0):
    """Lets the event listener run for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def events_since(t, kind, name_prefix="", detail=None):
    return [e for e in EVENTS if e[0] >= t and e[1].startswith(kind) and (e[3] or "").startswith(name_prefix)
            and (detail is None or e[4] == detail)]


def wait_for(what, condition, limit=60.0):
    end = time.monotonic() + limit
    while True:
        pump()
        try:
            value = condition()
        except Exception:
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise Failed(f"no {what} within {limit:.0f}s")
        time.sleep(0.05)


# --- the program's trace -------------------------------------------------------

LOG = Trace(TRACE, PID)


def press_read(mark, name):
    """After an AT-SPI Press on name sent after mark: whether the program queued it
    (then once its press has been handled) or refused it, as the trace says."""
    read = LOG.wait(f"the Press on {name} to be read", mark, "access " + AT[name])
    queued = LOG.what(read).endswith(" queued")
    if queued:
        LOG.wait(f"the queued Press on {name} to be handled", read, "handled press " + AT[name])
    return read, queued


# --- reading the tree ----------------------------------------------------------

def actions(acc):
    try:
        a = acc.queryAction()
    except NotImplementedError:
        return []
    return [a.getName(i) for i in range(a.nActions)]


def table():
    frame = window(PID, "Orvanta", "frame")
    return children(frame)[0] if frame else None


CACHE = {}


def control(name_prefix):
    """A button, the sheet or the rules chart: the objects stay, their names may change."""
    if name_prefix not in CACHE:
        for c in children(table()):
            if c.name.startswith(name_prefix):
                CACHE[name_prefix] = c
                break
        else:
            raise Failed(f"nothing named {name_prefix!r} on the table")
    return CACHE[name_prefix]


def button_list():
    """The tests' list of the buttons, in focus order: caption -> meaning."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "buttons.tsv")
    with open(path, encoding="utf-8") as f:
        return dict(line.rstrip("\n").split("\t") for line in f if line.strip() and not line.startswith("#"))


MEANINGS = button_list()
BUTTONS = list(MEANINGS)
START, RULES, CALL, FOLD, FLIP, FLIPALL = BUTTONS
# The buttons by their role, as the trace names them.
AT = {START: "StartButton", CALL: "CallButton"}


def usable(name):
    return {"sensitive", "showing"} <= states(control(name))


def focused(name):
    return "focused" in states(control(name))


def seats():
    if "seats" not in CACHE:
        CACHE["seats"] = children(table())[:4]
    return CACHE["seats"]


def dump(acc, depth=0, lines=None):
    """The tree as a reader walks it: role, name, [description], states, actions."""
    lines = [] if lines is None else lines
    st = ",".join(sorted(states(acc) & {"sensitive", "showing", "focused"}))
    description = acc.description
    desc = f" [{description}]" if description else ""
    acts = actions(acc)
    act = f" {acts}" if acts else ""
    lines.append(f"{'  ' * depth}{acc.getRoleName()} {acc.name!r}{desc} {st}{act}")
    for c in children(acc):
        dump(c, depth + 1, lines)
    return lines


def save_tree(label):
    lines = dump(table())
    with open(os.path.join(OUT, f"tree-{label}.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
    say(f"tree at {label}:")
    for line in lines:
        if not line.lstrip().startswith(("table cell", "table column header")) or label == "sheet":
            print("     " + line)


def seat_chips(seat):
    # "Kate, 995 chips"
    return int(seat.name.rsplit(", ", 1)[1].split()[0])


# --- acting ------------------------------------------------------------------

def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)


def tip_now():
    tips = [w.name for w in children(application(PID)) if w.getRoleName() == "tool tip" and "showing" in states(w)]
    return tips[0] if tips else None


def point_at(acc, what):
    """Rests the pointer on the middle of acc, as a player does, and reads the tooltip Qt shows."""
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    before = tip_now()
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2)], check=True)
    tip = wait_for(f"a tooltip on {what}", lambda: tip_now() != before and tip_now(), 10)
    say(f"the tooltip on {what}: {tip!r}")
    return tip


def point_at_table():
    """At the user's turn: each button's tooltip is its description, Call's with what a call costs;
    the chart's is its description, then the kinds of hand it names, in order, each with an example."""
    cost = LOG.words(r"event turn \d+$")[-1][-1]
    for b in BUTTONS:
        tip, said = point_at(control(b), b), control(b).description
        check(tip.startswith(said) and re.search(rf"\b{cost}\b", tip[len(said):]) if b == CALL else tip == said,
              f"{b}: {tip!r}")
    press_action(control(RULES))()
    chart = wait_for("the rules chart", lambda: [c for c in children(table()) if c.getRoleName() == "image"
                                                 and "showing" in states(c)][0])
    tip, said = point_at(chart, "the rules chart"), chart.description
    kinds = re.split(r"[;、]", re.split(r"[:：]", said, maxsplit=1)[1].split(".")[0].split("。")[0])
    rows = tip.split("\n")[1:]
    check(tip.startswith(said) and len(rows) == len(kinds) == 6 and all(r.lower().startswith(k.strip().lower()) and
          re.search(r"[AKQJ2-9](-[AKQJ2-9]){2}", r) for r, k in zip(rows, kinds)), f"the chart's tooltip: {tip!r}")
    key("Escape")  # closes the chart, and a key hides a tooltip
    wait_for("the chart and its tooltip to hide", lambda: not tip_now() and "showing" not in states(chart), 10)


def shot(label):
    subprocess.run(["/usr/bin/import", "-window", "root", os.path.join(OUT, f"{label}.png")], check=False)


def take_keyboard(title, has_focus):
    """Waits for the window manager to give the new window the keyboard; asks it once if it is slow."""
    try:
        wait_for(f"the keyboard in {title}", has_focus, 3)
        return
    except Failed:
        pass
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(PID), "--name", f"^{title}$"],
                           capture_output=True, text=True).stdout.split()
    say(f"(the keyboard was not in {title} after 3 s: activating it)")
    if found:
        subprocess.run(["xdotool", "windowactivate", "--sync", found[0]], capture_output=True, timeout=10)
    wait_for(f"the keyboard in {title}", has_focus, 60)


def tab_to(name, limit=10):
    """Tab until the named control holds the keyboard focus."""
    for _ in range(limit):
        if focused(name):
            return
        mark = LOG.mark()
        key("Tab")
        LOG.wait("Tab to be handled", mark, "handled key release Tab ")
    raise Failed(f"Tab never brought the focus to {name}")


def press_action(acc):
    """A Press ready to send: reading the tree waits while the program is busy, sending does not."""
    a = acc.queryAction()
    index = [a.getName(i) for i in range(a.nActions)].index("Press")
    return lambda: a.doAction(index)


def play_betting():
    """Calls whenever asked, with the key the focus is on, until Flip is usable."""
    while True:
        wait_for("the user's turn or the close of the betting", lambda: usable(CALL) or usable(FLIP), 60)
        if usable(FLIP):
            return
        check(wait_for("the focus on Call at the user's turn", lambda: focused(CALL), 60), "focus on Call")
        t = time.monotonic() - T0
        key("space")
        wait_for("Call to be taken", lambda: events_since(t, "object:state-changed:sensitive", CALL, 0), 60)


def read_outcome():
    """After Flip: the sheet (returns its rows) or a message box (answered; returns None)."""
    def outcome():
        app = application(PID)
        for w in children(app):
            if w.getRoleName() == "alert" and "showing" in states(w):
                return ("box", w)
        sheet = control("Result sheet")
        if "showing" in states(sheet):
            return ("sheet", sheet)
        return None
    kind, acc = wait_for("the result sheet or a message box", outcome, 60)
    if kind == "box":
        texts = [c.name for c in children(acc) if c.getRoleName() == "label" and c.name]
        say(f"message box {acc.name!r}: {texts}")
        check(any(t.startswith(("Two winners", "Game over")) for t in texts), "the box reads as the tie or game-over box")
        key("Return")
        wait_for("the box to close", lambda: not outcome() or outcome()[0] != "box", 60)
        if outcome() is None:
            return None
        kind, acc = outcome()
    grid = acc.queryTable()
    check((grid.nRows, grid.nColumns) == (4, 3), "the sheet is a table of 4 rows and 3 columns")
    headers = [grid.getColumnHeader(c).name for c in range(3)]
    check(headers == ["Player", "Add", "Score"], f"the sheet's columns: {headers}")
    rows = [[grid.getAccessibleAt(r, c).name for c in range(3)] for r in range(4)]
    say(f"sheet {acc.name!r}: {rows}")
    return acc, rows


def check_sheet(sheet, rows):
    check([r[0] for r in rows] == [NAME, "Jack", "Jim", "Kate"], "the sheet's names")
    adds = [int(r[1]) for r in rows]
    check(sum(adds) == 0, f"the sheet's Add column sums to zero: {adds}")
    winner = adds.index(max(adds))
    check(sheet.name == f"Result sheet: {rows[winner][0]} wins", f"the sheet names the winner: {sheet.name}")
    for seat, row in zip(seats(), rows):
        check(seat_chips(seat) == int(row[2]), f"{seat.name} agrees with the sheet's Score {row[2]}")
    check(focused("Result sheet"), "the sheet takes the keyboard focus")


# --- the run ---------------------------------------------------------------------

def main():
    say("the name dialog")
    dialog = wait_for("the name dialog in the tree", lambda: window(PID, "用户名", "dialog"), 60)
    field = [c for c in children(dialog) if c.getRoleName() == "text"][0]
    take_keyboard("用户名", lambda: "focused" in states(field))
    for c in [c for c in children(dialog) if c.getRoleName() in ("text", "push button")]:
        check(point_at(c, c.name) == c.description != "", "the dialog's tooltips describe its controls")
    key(*list(NAME))
    wait_for("the typed name", lambda: field.queryText().getText(0, -1) == NAME, 60)
    mark = LOG.mark()
    key("Return", "Escape")
    LOG.wait("Escape to be handled", mark, "handled key release Esc ")
    check(LOG.find(mark, "hide TNameDialog") is None and window(PID, "用户名", "dialog") is not None,
          "Enter and Escape leave the name dialog open")
    key("Tab", "space")  # onto 确定, and press it
    wait_for("the table window", table, 60)
    if LANGUAGE != "en":  # the table's tooltips at the first turn, then the farewell, answered
        take_keyboard("Orvanta", lambda: focused(START))
        key("space")
        wait_for("the focus on Call", lambda: focused(CALL), 60)
        point_at_table()
        key("alt+F4")
        wait_for("the farewell message", lambda: window(PID, "Orvanta", "alert"), 60)
        return key("Return")

    # --- at the start
    take_keyboard("Orvanta", lambda: focused(START))
    save_tree("start")
    names = [c.name for c in children(table())]
    check(names == [f"{NAME}, 1000 chips", "Jack, 1000 chips", "Jim, 1000 chips", "Kate, 1000 chips", *BUTTONS,
                    "Result sheet", "Rules chart", "Waiting"], f"the table's children at the start: {names}")
    for b in BUTTONS:
        c = control(b)
        check(c.getRoleName() == "push button" and "Press" in actions(c), f"{b} is a push button with Press")
    check(usable(START) and usable(RULES) and not usable(CALL) and not usable(FLIP), "which buttons are usable at the start")
    for b in BUTTONS:
        check(control(b).description == MEANINGS[b], f"{b}'s description gives its meaning: {control(b).description!r}")
    shot("a11y-01-start")

    # --- hand 1, keys only
    say("the rules chart, and hand 1: Start with the keyboard")
    key("Tab")
    wait_for("the focus on Rules", lambda: focused(RULES), 60)
    shot("a11y-02-ring-on-rules")
    key("space")
    wait_for("the rules chart", lambda: "showing" in states(control("Rules chart")), 60)
    key("Escape")
    wait_for("the rules chart to close", lambda: "showing" not in states(control("Rules chart")), 60)
    key("shift+Tab")
    wait_for("the focus back on Start", lambda: focused(START), 60)
    t = time.monotonic() - T0
    press_start = press_action(control(START))
    mark = LOG.mark()
    key("space")
    # The deal blocks the program; a press through AT-SPI sent meanwhile is read only
    # after it, and must not deal again.
    LOG.wait("the deal to begin", mark, "key release Space " + AT[START])
    sent = time.monotonic_ns()
    press_start()
    check(LOG.time(LOG.wait("the end of the deal", mark, "event hand-dealt$")) > sent,
          "the test sent its Press on Start during the deal (it came too late)")
    read, _ = press_read(mark, START)
    say(f"a Press on Start sent during the deal: {LOG.what(read)}")
    wait_for("Call to become usable after the deal", lambda: usable(CALL), 60)
    check(all(seat_chips(s) == 995 for s in seats()), "one ante only: the press sent during the deal dealt nothing")
    mine = children(seats()[0])
    cards = [c.name for c in mine[1:]]
    check(len(cards) == 3 and all(" of " in c for c in cards), f"the user's three cards face up: {cards}")
    check(seats()[0].description.startswith("Your seat. Stake 5 chips. Hand: "), "the user's hand is described")
    for s in seats()[1:]:
        check([c.name for c in children(s)[1:]] == ["card, face down"] * 3, f"{s.name}'s cards are face down")
    check(events_since(t, "object:property-change:accessible-name", f"{NAME}, 995 chips"), "the ante was announced")
    check(wait_for("the focus on Call", lambda: focused(CALL), 60), "the turn brings the focus to Call")
    # The narrator says the hand once, at the deal, and what a call costs with the turn; Call,
    # where the focus comes, says what it does without the figure, so the cost is heard once.
    check(control(CALL).description == MEANINGS[CALL], f"Call tells what it does: {control(CALL).description!r}")
    told = [e[3] for e in events_since(t, "object:state-changed:showing") if e[2] == "notification" and e[4]]
    check(any("Your turn: a call costs 20 chips." in line for line in told),
          f"the turn is told with what a call costs: {told}")
    save_tree("mid-hand")
    shot("a11y-03-dealt")
    point_at_table()
    play_betting()
    check(wait_for("the focus on Flip", lambda: focused(FLIP), 60), "the close of the betting brings the focus to Flip")
    key("space")
    result = read_outcome()
    if result:
        sheet, rows = result
        check_sheet(sheet, rows)
        save_tree("sheet")
        shot("a11y-04-sheet")
        tip = point_at(sheet, "the result sheet")
        check("Add" in tip and "Score" in tip, f"the sheet's tooltip tells what Add and Score mean: {tip!r}")
        check(events_since(t, "object:state-changed:showing", "Result sheet"), "the sheet's appearance was announced")

    # --- hand 2: Call through AT-SPI's Press, then fold from the keyboard
    say("hand 2: Enter on the sheet (or Start) deals; Call through AT-SPI")
    if result:
        key("Return")
    else:
        tab_to(START)
        key("space")
    wait_for("Call to become usable", lambda: usable(CALL), 60)
    chips = seat_chips(seats()[0])
    t = time.monotonic() - T0
    mark = LOG.mark()
    press_action(control(CALL))()
    read, queued = press_read(mark, CALL)
    check(queued, f"a Press on Call at the user's turn is taken: {LOG.what(read)}")
    came = LOG.wait("the queued Press on Call to come round", read, "press " + AT[CALL])
    booked = LOG.wait("the call to be booked", mark, "enabled " + AT[CALL] + " 0")
    # The call answers at once and the call's handler (with its pause) runs after it.
    check(read < came < booked, "a Press through AT-SPI is queued, and runs after the call has been answered")
    wait_for("Call's disabling to be announced", lambda: events_since(t, "object:state-changed:sensitive", CALL, 0), 60)
    wait_for("the user's chip to arrive", lambda: seat_chips(seats()[0]) == chips - 20, 60)
    check(events_since(t, "object:state-changed:sensitive", CALL, 0), "Call's disabling was announced")
    wait_for("the user's turn or the close", lambda: usable(CALL) or usable(FLIP), 60)
    if usable(CALL):
        wait_for("the focus on Call", lambda: focused(CALL), 60)
        key("Tab")
        wait_for("the focus on Fold", lambda: focused(FOLD), 60)
        key("space")
        wait_for("the fold", lambda: "Folded." in seats()[0].description, 60)
    wait_for("the close of the betting", lambda: usable(FLIP), 60)
    wait_for("the focus on Flip", lambda: focused(FLIP), 60)
    key("Tab", "space")  # Flip all
    read_outcome()

    # --- what a listener heard
    kinds = {}
    for e in EVENTS:
        kinds[e[1]] = kinds.get(e[1], 0) + 1
    say(f"events heard: {dict(sorted(kinds.items()))}")
    for kind in ("object:property-change:accessible-name", "object:state-changed:sensitive",
                 "object:state-changed:showing", "object:property-change:accessible-description"):
        check(kinds.get(kind), f"events of {kind}")
    check(events_since(0, "object:state-changed:focused", CALL, 1) or events_since(0, "focus:", CALL),
          "focus events for Call")

    # --- closing from the keyboard: the farewell reads as a message box
    say("closing with Alt+F4")
    chips = [seat_chips(s) for s in seats()]
    mark = LOG.mark()
    key("alt+F4")
    shown = LOG.wait("the farewell message", mark, "show QMessageBox ")
    box = wait_for("the farewell message in the tree", lambda: window(PID, "Orvanta", "alert"), 60)
    texts = [c.name for c in children(box) if c.getRoleName() == "label" and c.name]
    say(f"message box {box.name!r}: {texts}")
    check(any(t.startswith("本软件免费") for t in texts), "the farewell message reads as a message box")
    # The table takes no input while a box is open, through AT-SPI neither.
    check(usable(START), "Start is usable under the farewell message, as the table left it")
    mark = LOG.mark()
    press_action(control(START))()
    read, _ = press_read(mark, START)
    say(f"a Press on Start under the farewell message: {LOG.what(read)}")
    check(LOG.find(shown, "hide QMessageBox") is None, "the farewell message stays open")
    check([seat_chips(s) for s in seats()] == chips,
          f"a Press on Start under the farewell message changes nothing: {chips} became {[seat_chips(s) for s in seats()]}")
    key("Return")
    wait_for("the program to end", lambda: application(PID) is None, 60)
    say("all checks passed")


def save_events():
    with open(os.path.join(OUT, "events.txt"), "w") as f:
        for e in EVENTS:
            f.write(f"{e[0]:6.2f} {e[1]} {e[2]} {e[3]!r} {e[4]}\n")


run(main, save_events)
