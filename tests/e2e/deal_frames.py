#!/usr/bin/env python3
"""Watches a deal on the screen and checks that the 12 cards arrive one at a
time in the deal's order: user, Jack, Jim, Kate, three rows.

usage: deal_frames.py wayland|x11 PANEL_X PANEL_Y TRACE PID
       deal_frames.py wayland|x11 PANEL_X PANEL_Y --report

Takes a frame of the empty table (grim on Wayland, XGetImage on X), prints
"ready", and waits for the caller to start the deal. TRACE is the program's
trace (ORVANTA_BENCH_TRACE), PID the program: as each card from the second on is
moved to its seat (the trace's "move" line), the program is stopped (SIGSTOP)
and the screen read once it has settled. Every card dealt before that one must
show by then, none out of order: a card whose repaint did not reach the screen
before the next card is missed. The trace only says when to look; what arrived
is read from the frames, and no time is measured, so a loaded machine only
makes it slower. Each card is told by a strip that only it covers (a card lies
15 pixels right of the one dealt before it on its seat). Exit status 0 when
the deal held, 1 when not.

--report (tools/bench): judges nothing and stops nothing; takes frames as fast
as it can until the seats' card areas have been still for a while after their
first change, and prints how often they changed ("changes 24"), the intervals
between the changes that brought cards of the deal ("arrival_ms 101 100 ...")
and how many each brought ("cards 1 1 2 ...").
"""
import ctypes
import os
import re
import signal
import subprocess
import sys
import time

CARD_W, CARD_H = 71, 96
# seat: (base left, top); a card of row r lies at base left - 15 r
SEATS = [("user", 550, 460), ("Jack", 860, 280), ("Jim", 550, 100), ("Kate", 240, 280)]
QUIET_S = 1.5           # --report: the handler is over when nothing moved this long
TIMEOUT_S = 30

# The strip only the card of row r covers until the sorting: row 12 shows its
# left 15 pixels; rows 11 and 10 the 15 pixels right of the card before them.
def strip(base, top, row):
    left = base - 15 * row
    x = left if row == 12 else left + CARD_W - 15
    return (x, top + 8, 15, CARD_H - 16)

# the trace's line for a control that moved, and the places a seat's cards are dealt to
MOVE = re.compile(r"^\d+ \d+ move TCardControl 71 96 (\d+) (\d+)$")
PLACES = {(base - 15 * row, top) for _, base, top in SEATS for row in (12, 11, 10)}

# in the deal's order
STRIPS = [(name, row, strip(base, top, row)) for row in (12, 11, 10) for name, base, top in SEATS]
AREAS = [(base - 180, top, 180 - 150 + CARD_W, CARD_H) for _, base, top in SEATS]
X0, Y0 = min(a[0] for a in AREAS), min(a[1] for a in AREAS)
X1, Y1 = max(a[0] + a[2] for a in AREAS), max(a[1] + a[3] for a in AREAS)


class Frame:
    def __init__(self, data, stride, bpp, start, end):
        self.data, self.stride, self.bpp = data, stride, bpp
        self.start, self.end = start, end   # when it was asked for and when it came

    def rows(self, box):
        x, y, w, h = box
        for yy in range(y - Y0, y - Y0 + h):
            i = yy * self.stride + (x - X0) * self.bpp
            yield self.data[i:i + w * self.bpp]

    def covered(self, box, empty):
        """Whether most of box differs from the empty table's frame."""
        differ = total = 0
        for a, b in list(zip(self.rows(box), empty.rows(box)))[::2]:
            for i in range(0, len(a), 2 * self.bpp):
                total += 1
                if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2])) > 48:
                    differ += 1
        return differ * 2 > total

    def areas(self):
        return tuple(hash(b"".join(self.rows(a))) for a in AREAS)


def grim_grabber(ox, oy):
    geometry = "%d,%d %dx%d" % (ox + X0, oy + Y0, X1 - X0, Y1 - Y0)

    def grab():
        start = time.monotonic()
        ppm = subprocess.run(["grim", "-t", "ppm", "-g", geometry, "-"], capture_output=True, check=True).stdout
        # "P6\n<w> <h>\n255\n"
        header_end = 0
        for _ in range(3):
            header_end = ppm.index(b"\n", header_end) + 1
        return Frame(ppm[header_end:], (X1 - X0) * 3, 3, start, time.monotonic())
    return grab


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


def x11_grabber(ox, oy):
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
        image = x.XGetImage(display, root, ox + X0, oy + Y0, X1 - X0, Y1 - Y0, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            sys.exit("deal_frames: XGetImage failed")
        im = image.contents
        data = ctypes.string_at(im.data, im.bytes_per_line * im.height)
        frame = Frame(data, im.bytes_per_line, im.bits_per_pixel // 8, start, time.monotonic())
        x.XFree(im.data)
        x.XFree(image)
        return frame
    return grab


def seat_moves(trace):
    """How many times a card has been moved to a seat's place so far."""
    with open(trace) as f:
        return sum(1 for line in f if (m := MOVE.match(line)) and (int(m[1]), int(m[2])) in PLACES)


def stopped(pid):
    with open("/proc/%d/stat" % pid) as f:
        return f.read().rsplit(")", 1)[1].split()[0] in "tT"


def still_frame(grab, empty):
    """A frame once the screen has settled: the compositor shows what it was sent."""
    last = None
    for _ in range(20):
        frame = grab()
        look = (frame.areas(), [frame.covered(box, empty) for _, _, box in STRIPS])
        if look == last:
            break
        last = look
    return last[1]


def check(grab, empty, trace, pid):
    """Stops the program as each card from the second on is moved to its seat: every
    card before it must be on the screen by then, and no other. Returns the failures."""
    failures, judged = [], 0
    names = ["%s row %d" % (name, row) for name, row, _ in STRIPS]
    deadline = time.monotonic() + TIMEOUT_S
    for k in range(2, len(STRIPS) + 1):
        while seat_moves(trace) < k:
            if time.monotonic() > deadline:
                return failures + ["the deal's card %d never moved within %d s" % (k, TIMEOUT_S)], judged
            time.sleep(0.005)
        # The end-to-end run stops the program too, for a look of its own: then it is
        # left as found.
        ours = not stopped(pid)
        if ours:
            os.kill(pid, signal.SIGSTOP)
            while not stopped(pid):
                time.sleep(0.001)
        try:
            moved = seat_moves(trace)
            covered = still_frame(grab, empty)
            ran_on = seat_moves(trace) != moved
        finally:
            if ours:
                os.kill(pid, signal.SIGCONT)
        if ran_on or moved > len(STRIPS):
            continue    # let go meanwhile, or already sorting: nothing to judge
        shown = sum(covered)
        if covered != [i < shown for i in range(len(covered))]:
            failures.append("with %d cards moved the screen shows %s: not the deal's order"
                            % (moved, ", ".join(n for n, c in zip(names, covered) if c)))
        elif shown < moved - 1:
            failures.append("with %d cards moved only %d show: %s did not reach the screen before the next card"
                            % (moved, shown, names[shown]))
        else:
            judged += 1
    if not judged:
        failures.append("the deal could not be looked at while it was stopped")
    return failures, judged


def report(grab, empty):
    """--report: the changes of the seats' card areas, and the deal's arrivals."""
    changes, last_areas = [], empty.areas()
    deadline = time.monotonic() + TIMEOUT_S
    while not changes or time.monotonic() - changes[-1][0] < QUIET_S:
        if time.monotonic() > deadline:
            sys.exit("deal_frames: the seats did not come to rest within %d s" % TIMEOUT_S)
        frame = grab()
        areas = frame.areas()
        if areas != last_areas:
            changes.append((frame.start, sum(frame.covered(box, empty) for _, _, box in STRIPS)))
        last_areas = areas
    arrivals, dealt = [], 0
    for at, count in changes:
        if count > dealt:
            arrivals.append((at, count - dealt))
            dealt = count
    print("changes %d" % len(changes))
    print("arrival_ms " + " ".join("%.0f" % ((b[0] - a[0]) * 1000) for a, b in zip(arrivals, arrivals[1:])))
    print("cards " + " ".join(str(n) for _, n in arrivals))


def main():
    args = sys.argv[1:]
    report_only = args[-1:] == ["--report"]
    if report_only:
        args.pop()
    elif len(args) == 5:
        trace, pid = args.pop(3), int(args.pop(3))
    if len(args) != 3 or args[0] not in ("wayland", "x11"):
        sys.exit(__doc__)
    ox, oy = int(args[1]), int(args[2])
    grab = (grim_grabber if args[0] == "wayland" else x11_grabber)(ox, oy)
    empty = grab()
    print("ready", flush=True)
    if report_only:
        report(grab, empty)
        return
    failures, judged = check(grab, empty, trace, pid)
    for f in failures:
        print("FAIL deal_frames: " + f)
    print("deal_frames: %d of 11 stops judged: each card on the screen before the next" % judged)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
