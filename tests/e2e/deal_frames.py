#!/usr/bin/env python3
"""Watches a deal on the screen and checks that the 12 cards arrive one at a
time in the deal's order.

usage: deal_frames.py wayland|x11 PANEL_X PANEL_Y TRACE PID
       deal_frames.py wayland|x11 PANEL_X PANEL_Y TRACE --report

Takes a frame of the table before the deal (grim on Wayland, XGetImage on X),
prints "ready", and waits for the caller to start the deal. TRACE is the
program's trace (ORVANTA_BENCH_TRACE), PID the program: as each card from the
second on has been dealt (the trace's pause after it), the program is stopped
(SIGSTOP) and a frame kept once the screen has settled. Once the deal is over,
the trace says where each card went, and every card dealt before a stop must
show on its frame, none out of order: a card whose repaint did not reach the
screen before the next card is missed. The trace only says when to look and
where; what arrived is read from the frames, and no time is measured, so a
loaded machine only makes it slower. Each card is told by a strip that only it
covers (the part of it that no card dealt before it covers). Exit status 0 when
the deal held, 1 when not.

--report (tools/bench): judges nothing and stops nothing; takes frames as fast
as it can until the table has been still for a while after its first change,
and prints how often the seats' card areas changed ("changes 24"), the
intervals between the changes that brought cards of the deal ("arrival_ms 101
100 ...") and how many each brought ("cards 1 1 2 ...").
"""
import ctypes
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))  # -I leaves it off
from reader import CARD, Trace  # noqa: E402

QUIET_S = 1.5           # --report: the handler is over when nothing moved this long
TIMEOUT_S = 30
STRIP = 15              # a strip's width; it leaves out 8 pixels at a card's top and bottom


class Frame:
    def __init__(self, data, stride, bpp, start):
        self.data, self.stride, self.bpp, self.start = data, stride, bpp, start  # start: when it was asked for

    def rows(self, box):
        x, y, w, h = box
        for yy in range(y, y + h):
            i = yy * self.stride + x * self.bpp
            yield self.data[i:i + w * self.bpp]

    def covered(self, box, empty):
        """Whether most of box differs from the table's frame before the deal."""
        differ = total = 0
        for a, b in list(zip(self.rows(box), empty.rows(box)))[::2]:
            for i in range(0, len(a), 2 * self.bpp):
                total += 1
                if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2])) > 48:
                    differ += 1
        return differ * 2 > total

    def areas(self, areas):
        return tuple(hash(b"".join(self.rows(a))) for a in areas)


def grim_grabber(ox, oy, w, h):
    geometry = "%d,%d %dx%d" % (ox, oy, w, h)

    def grab():
        start = time.monotonic()
        ppm = subprocess.run(["grim", "-t", "ppm", "-g", geometry, "-"], capture_output=True, check=True).stdout
        # "P6\n<w> <h>\n255\n"
        header_end = 0
        for _ in range(3):
            header_end = ppm.index(b"\n", header_end) + 1
        return Frame(ppm[header_end:], w * 3, 3, start)
    return grab


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


def x11_grabber(ox, oy, w, h):
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XGetImage.restype = ctypes.POINTER(XImage)
    x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                            ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x.XFree.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("deal_frames: cannot open the X display")
    root = x.XDefaultRootWindow(display)

    def grab():
        start = time.monotonic()
        image = x.XGetImage(display, root, ox, oy, w, h, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            sys.exit("deal_frames: XGetImage failed")
        im = image.contents
        data = ctypes.string_at(im.data, im.bytes_per_line * im.height)
        frame = Frame(data, im.bytes_per_line, im.bits_per_pixel // 8, start)
        x.XFree(im.data)
        x.XFree(image)
        return frame
    return grab


def dealt(trace, after):
    """The cards dealt after line `after` so far, in order, as (x, y, w, h): a card moved
    with the deal's pause right after it."""
    lines = trace.read()[after:]
    cards = [tuple(map(int, m.groups())) for (_, _, w), (_, _, nxt) in zip(lines, lines[1:])
             if (m := CARD.match(w)) and nxt.startswith("event pause-begins ")]
    return [(x, y, w, h) for w, h, x, y in cards[:12]]


def strips(cards):
    """Each card's strip that only it covers until the sorting: the part right of the
    cards dealt before it on its seat (which it overlaps)."""
    out = []
    for k, (x, y, w, h) in enumerate(cards):
        left = max([x] + [a + aw for a, b, aw, _ in cards[:k] if b == y and a <= x < a + aw])
        out.append((left, y + 8, STRIP, h - 16))
    return out


def stopped(pid):
    with open("/proc/%d/stat" % pid) as f:
        return f.read().rsplit(")", 1)[1].split()[0] in "tT"


def still_frame(grab):
    """A frame once the screen has settled: the compositor shows what it was sent."""
    last = grab()
    for _ in range(20):
        frame = grab()
        if frame.data == last.data:
            break
        last = frame
    return last


def check(grab, empty, trace, after, pid):
    """Stops the program as each card from the second on has been dealt, and keeps a frame;
    once the deal is over, every card before it must be on the frame, and no other.
    Returns the failures and the number of stops judged."""
    kept, deadline = [], time.monotonic() + TIMEOUT_S
    for k in range(2, 13):
        while len(dealt(trace, after)) < k:
            if time.monotonic() > deadline:
                return ["the deal's card %d never came within %d s" % (k, TIMEOUT_S)], 0
            time.sleep(0.005)
        # The end-to-end run stops the program too, for a look of its own: then it is
        # left as found.
        ours = not stopped(pid)
        if ours:
            os.kill(pid, signal.SIGSTOP)
            while not stopped(pid):
                time.sleep(0.001)
        try:
            moved = len(dealt(trace, after))
            frame = still_frame(grab)
            if len(dealt(trace, after)) == moved:  # else let go meanwhile: nothing to judge
                kept.append((moved, frame))
        finally:
            if ours:
                os.kill(pid, signal.SIGCONT)
    trace.wait("the end of the deal", after, r"event hand-dealt$", TIMEOUT_S)
    cards = dealt(trace, after)
    seats = trace.seats()
    names = ["%s's card %d" % (seats[k % len(seats)], k // len(seats) + 1) for k in range(12)]
    failures, judged = [], 0
    for moved, frame in kept:
        covered = [frame.covered(box, empty) for box in strips(cards)]
        shown = sum(covered)
        if covered != [i < shown for i in range(len(covered))]:
            failures.append("with %d cards dealt the screen shows %s: not the deal's order"
                            % (moved, ", ".join(n for n, c in zip(names, covered) if c)))
        elif shown < moved - 1:
            failures.append("with %d cards dealt only %d show: %s did not reach the screen before the next card"
                            % (moved, shown, names[shown]))
        else:
            judged += 1
    if not judged:
        failures.append("the deal could not be looked at while it was stopped")
    return failures, judged


def report(grab, empty, trace, after):
    """--report: the changes of the seats' card areas, and the deal's arrivals."""
    frames, last = [], empty
    deadline = time.monotonic() + TIMEOUT_S
    while not frames or time.monotonic() - frames[-1].start < QUIET_S:
        if time.monotonic() > deadline:
            sys.exit("deal_frames: the table did not come to rest within %d s" % TIMEOUT_S)
        frame = grab()
        if frame.data != last.data:
            frames.append(frame)
        last = frame
    trace.wait("the end of the deal", after, r"event hand-dealt$", TIMEOUT_S)
    cards = dealt(trace, after)
    # Each seat's three places: the deal gives a card to each seat in turn.
    areas = []
    for seat in range(len(trace.seats())):
        mine = cards[seat::len(trace.seats())]
        x0, y0 = min(c[0] for c in mine), min(c[1] for c in mine)
        areas.append((x0, y0, max(c[0] + c[2] for c in mine) - x0, max(c[1] + c[3] for c in mine) - y0))
    changes, before = [], empty.areas(areas)
    for frame in frames:
        if frame.areas(areas) != before:
            changes.append((frame.start, sum(frame.covered(box, empty) for box in strips(cards))))
        before = frame.areas(areas)
    arrivals, shown = [], 0
    for at, count in changes:
        if count > shown:
            arrivals.append((at, count - shown))
            shown = count
    print("changes %d" % len(changes))
    print("arrival_ms " + " ".join("%.0f" % ((b[0] - a[0]) * 1000) for a, b in zip(arrivals, arrivals[1:])))
    print("cards " + " ".join(str(n) for _, n in arrivals))


def main():
    args = sys.argv[1:]
    if len(args) != 5 or args[0] not in ("wayland", "x11"):
        sys.exit(__doc__)
    ox, oy, trace = int(args[1]), int(args[2]), Trace(args[3])
    _, _, w, h = trace.rect("TTableWindow")
    grab = (grim_grabber if args[0] == "wayland" else x11_grabber)(ox, oy, w, h)
    after, empty = trace.mark(), grab()
    print("ready", flush=True)
    if args[4] == "--report":
        report(grab, empty, trace, after)
        return
    failures, judged = check(grab, empty, trace, after, int(args[4]))
    for f in failures:
        print("FAIL deal_frames: " + f)
    print("deal_frames: %d of 11 stops judged: each card on the screen before the next" % judged)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
