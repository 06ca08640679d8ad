"""What the end-to-end readers share: how a check fails and says what it does, and
how the program's live accessibility tree is read through AT-SPI."""

import time

import pyatspi

T0 = time.monotonic()


class Failed(Exception):
    pass


def say(text):
    print(f"-- {time.monotonic() - T0:5.1f}s {text}", flush=True)


def check(condition, what):
    if not condition:
        raise Failed(what)


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def states(acc):
    s = acc.getState()
    names = {"enabled": pyatspi.STATE_ENABLED, "sensitive": pyatspi.STATE_SENSITIVE, "showing": pyatspi.STATE_SHOWING,
             "focused": pyatspi.STATE_FOCUSED, "focusable": pyatspi.STATE_FOCUSABLE}
    return {n for n, v in names.items() if s.contains(v)}


def application(pid):
    """The program's own application object; None once it has ended."""
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
