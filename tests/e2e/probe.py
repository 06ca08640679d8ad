#!/usr/bin/env python3
"""Reads what the table shows from a screenshot of the root window.

usage: probe.py [-s SCALE] SHOT.ppm PANEL_X PANEL_Y TRACE
       probe.py [-s SCALE] SHOT.ppm WINDOW_X WINDOW_Y text X Y W H FONT SIZES TEXT...
       probe.py [-s SCALE] SHOT.ppm WINDOW_X WINDOW_Y lighttext X Y W H FONT SIZES TEXT...

SHOT is a binary PPM (8 bits per channel); PANEL_X/Y is where the table's
client area lies on the screen, in screen pixels. Prints one line of
key=value words. Where each thing lies on the table is read from the
program's TRACE (its layout, its tokens' routes, the last hand's deal: a
seat's cards read "unknown" before the first deal), in the table's own
client coordinates, in the program's logical pixels. SCALE (1 or 2, default
1) is the screen's device pixels per logical pixel: logical x lies at screen
PANEL_X + SCALE * x, and a logical pixel is SCALE x SCALE screen pixels, all
of which are read (the large areas are sampled on the same logical grid at
either scale).

"text" reads the first line of dark text in the box X, Y, W x H of a window
whose client area lies at WINDOW_X/Y: it compares its start with each TEXT
drawn in FONT at the pixel SIZES (such as 11,12,13, scaled like positions)
and prints "text=N score=S", N the number (from 1) of the TEXT that
matches, or "none". "lighttext" reads light text on a dark ground the same
way (a money label).
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))  # -I leaves it off
from reader import Trace, stops  # noqa: E402

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")


class Shot:
    """A screenshot, read through an origin: grid(0, 0, ...) starts at the
    pixel at ox, oy. grid works in screen pixels; box, count, share and mask
    take boxes in logical pixels, each scale x scale screen pixels."""

    def __init__(self, data, ox, oy, name="picture", scale=1):
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            sys.exit("probe: %s is not an 8-bit binary PPM" % name)
        self.w, self.h = int(fields[1]), int(fields[2])
        self.px = data[pos + 1:]
        self.ox, self.oy = ox, oy
        self.scale = scale

    @classmethod
    def load(cls, path, ox, oy, scale=1):
        with open(path, "rb") as f:
            return cls(f.read(), ox, oy, path, scale)

    def grid(self, x0, y0, x1, y1, d=1):
        """The colours of the screen pixels x0 <= x < x1, y0 <= y < y1 (every
        d-th each way), row by row; black off the screen. Read a row at a
        time: a scale-2 table has four times the pixels to look at."""
        xs = range(x0, x1, d)
        out = []
        for y in range(y0, y1, d):
            sy = y + self.oy
            if not (0 <= sy < self.h) or not xs:
                out.append([(0, 0, 0)] * len(xs))
                continue
            # The part of the row on the screen, with black either side.
            first = min(len(xs), max(0, -(x0 + self.ox) + d - 1) // d)
            last = min(len(xs), (self.w - (x0 + self.ox) + d - 1) // d)
            row = [(0, 0, 0)] * first
            if last > first:
                i = (sy * self.w + x0 + self.ox + first * d) * 3
                j = i + (last - first - 1) * d * 3 + 3
                seg = self.px[i:j]
                row += list(zip(seg[0::3 * d], seg[1::3 * d], seg[2::3 * d]))
            row += [(0, 0, 0)] * (len(xs) - len(row))
            out.append(row)
        return out

    def box(self, x, y, w, h, step=1):
        """The screen pixels of a logical box: every one of them, or with a
        step, one per step x step logical pixels, as many samples as at scale 1."""
        k = self.scale
        return self.grid(k * x, k * y, k * (x + w), k * (y + h), step * k if step > 1 else 1)

    def count(self, cls, x, y, w, h):
        """How many logical pixels' worth of the box are of the class."""
        hits = sum(1 for row in self.box(x, y, w, h) for c in row if cls(*c))
        return hits / float(self.scale * self.scale)

    def share(self, cls, x, y, w, h, step=1):
        rows = self.box(x, y, w, h, step)
        return sum(1 for row in rows for c in row if cls(*c)) / float(len(rows) * len(rows[0]))

    def mask(self, cls, x, y, w, h):
        """The class of each screen pixel of a logical box."""
        return [[cls(*c) for c in row] for row in self.box(x, y, w, h)]


# Colour classes. Captions and faces are pure colours; the rest are painted
# pictures, so each class is a band around the colour the picture is made of.
def yellow(r, g, b):
    return r >= 200 and g >= 200 and b <= 90


def green(r, g, b):
    return g >= 200 and r <= 90 and b <= 90


def white(r, g, b):
    return r >= 245 and g >= 245 and b >= 245


def text_white(r, g, b):
    return min(r, g, b) >= 190 and max(r, g, b) - min(r, g, b) <= 40


def back_blue(r, g, b):
    return b >= 110 and b - r >= 50 and b - g >= 20


def back_grey(r, g, b):
    return max(r, g, b) - min(r, g, b) <= 24 and 90 <= r <= 215


def stone(r, g, b):
    return max(r, g, b) - min(r, g, b) <= 40 and 50 <= r <= 230


def gold(r, g, b):
    return r >= 160 and g >= 110 and b <= 110 and r - b >= 80 and r >= g


def coin_brown(r, g, b):
    # Browner than the red-brown plaques of the rules chart, darker than the
    # gold digits the token passes over.
    return 40 <= r <= 170 and 0.45 * r <= g <= 0.72 * r and b <= 0.5 * r


def sheet_teal(r, g, b):
    return r >= 120 and g >= 170 and b >= 160 and g - r >= 20


def rose_red(r, g, b):
    return r >= 150 and g <= 100 and b <= 120 and r - g >= 80


def parchment(r, g, b):
    return r >= 190 and g >= 170 and 110 <= b <= 215 and r - b >= 25


BUTTONS = ["Start", "Rules", "Call", "Fold", "Flip", "FlipAll"]


def caption(s, x, y):
    # The caption box of a 100x32 button skin, with a pixel of slack.
    box = (x + 29, y + 3, 45, 26)
    for name, cls in (("yellow", yellow), ("green", green), ("white", white)):
        if s.count(cls, *box) >= 25:
            return name
    return "none"


def plaque(s, x, y):
    """Whether a 100x32 skin lies at x, y: its stone reaches in from each
    edge by two pixels and stops there."""
    inside = [(x + 3, y + 12, 3, 9), (x + 94, y + 12, 3, 9), (x + 20, y + 3, 60, 2), (x + 20, y + 28, 60, 1)]
    outside = [(x - 6, y + 12, 4, 9), (x + 102, y + 12, 4, 9), (x + 20, y - 1, 60, 1), (x + 20, y + 31, 60, 1)]
    if all(s.share(stone, *b) >= 0.6 for b in inside) and all(s.share(stone, *b) <= 0.2 for b in outside):
        return "ok"
    return "off"


def strip(s, x, y):
    """What shows in the 15-pixel strip of a card whose left edge is x."""
    box = (x + 3, y + 35, 9, 40)
    for name, cls in (("face", white), ("back", back_blue), ("fold", back_grey)):
        if s.share(cls, *box) >= 0.5:
            return name
    return "none"


def outline(r, g, b):
    return max(r, g, b) <= 90


def edge(s, x, top):
    """Whether a card's dark outline runs down column x."""
    return s.share(outline, x, top + 35, 1, 40) >= 0.8 and s.share(outline, x + 2, top + 35, 1, 40) < 0.5


def seat(s, left, top, step, card_w):
    """What a seat shows: "face,back,..." for three cards laid a step
    apart, "pile-KIND" for three cards stacked a pixel apart around the
    middle place, "none", or "off:..." for anything else."""
    kinds = [strip(s, left + step * k, top) for k in range(3)]
    # Nothing may show just outside the seat's cards.
    clear = (strip(s, left - 14, top), strip(s, left + 2 * step + card_w - 1, top)) == ("none", "none")
    if kinds == ["none"] * 3 and clear:
        return "none"
    if "none" not in kinds and clear and all(edge(s, left + step * k, top) for k in range(3)):
        return ",".join(kinds)
    # A pile: the middle card and the one a pixel right of it, on top, show
    # their outlines; nothing shows at the left card's place.
    mid = left + step
    if kinds[0] == "none" and kinds[1] == kinds[2] != "none" and clear and edge(s, mid, top) and edge(s, mid + 1, top):
        return "pile-" + kinds[1]
    return "off:" + ",".join(kinds)


def digit_glyphs(shot_path, scale):
    """The gold of each digit picture the counters are drawn from (the @2x
    set at scale 2), kept next to the screenshots so that it is made once per
    run."""
    suffix = "@%dx" % scale if scale > 1 else ""
    row = os.path.join(os.path.dirname(os.path.abspath(shot_path)), "digits%s.ppm" % suffix)
    if not os.path.exists(row):
        pictures = [os.path.join(ASSETS, "table", "digit%d%s.png" % (d, suffix)) for d in range(10)]
        subprocess.run(["/usr/bin/convert"] + pictures + ["+append", "-depth", "8", row], check=True)
    d = Shot.load(row, 0, 0, scale=scale)
    if (d.w, d.h) != (140 * scale, 16 * scale):
        sys.exit("probe: the digit pictures are not 14x16 logical pixels at scale %d" % scale)
    return [d.mask(gold, 14 * k, 0, 14, 16) for k in range(10)]


def counter(s, digits, x, y):
    """The number a stake counter shows, read cell by cell; "-" when empty,
    "?" for a cell that holds no digit glyph."""
    shown = ""
    for k in range(3):
        m = s.mask(gold, x + 14 * k, y, 14, 16)
        if sum(map(sum, m)) < 6 * s.scale * s.scale:
            if shown:
                return "?"  # a gap inside the number
            continue
        shown += next((str(d) for d in range(10) if digits[d] == m), "?")
    return shown or "-"


def alike(a, b, slack):
    """Whether two glyph masks are the same glyph: equal but for at most slack
    pixels; with slack, also when one has a column more at either side."""
    if abs(len(a[0]) - len(b[0])) > (1 if slack else 0):
        return False
    if len(a[0]) < len(b[0]):
        a, b = b, a
    blank = (False,)
    for pad in (0, len(a[0]) - len(b[0])):
        wide = [blank * pad + row + blank * (len(a[0]) - len(row) - pad) for row in b]
        if sum(p != q for ra, rb in zip(a, wide) for p, q in zip(ra, rb)) <= slack:
            return True
    return False


def glyphs(s, cls, x, y, w, h):
    """Splits the text in a box into glyphs at empty columns; names equal glyphs
    by the same letter (so "1000" reads ABBB and "995" AAB), and gives the
    width in logical pixels. At scale 2 glyphs differing in fewer screen
    pixels than make up one logical pixel are equal: the anti-aliased edges
    of the same glyph fall differently on a shaded background."""
    m = s.mask(cls, x, y, w, h)
    w, h = len(m[0]), len(m)
    cols = [any(m[j][i] for j in range(h)) for i in range(w)]
    runs, i = [], 0
    while i < w:
        if cols[i]:
            k = i
            while k < w and cols[k]:
                k += 1
            runs.append(tuple(tuple(row[i:k]) for row in m))
            i = k
        else:
            i += 1
    if not runs:
        return "-", 0
    letters, seen, slack = "", [], s.scale * s.scale - 1
    for r in runs:
        k = next((i for i, g in enumerate(seen) if alike(g, r, slack)), None)
        if k is None:
            seen.append(r)
            k = len(seen) - 1
        letters += "ABCDEFGHIJKLMNOPQRSTUVWXYZ"[min(k, 25)]
    first = cols.index(True)
    last = w - 1 - cols[::-1].index(True)
    return letters, (last - first + 1) // s.scale


def token(s, trace):
    seen = []
    for name, route in trace.routes().items():
        w, h = trace.rect(name)[2:]
        if any(s.share(coin_brown, x + 2, y + 2, w - 4, h - 4) >= 0.45 for x, y in stops(route)):
            seen.append(name[:-len("Token")].lower())
    return ",".join(seen) or "none"


def report(s, digits, trace):
    out = ["%s=%s" % (b.lower(), caption(s, *trace.rect(b + "Button")[:2])) for b in BUTTONS]
    out.append("plaques=%s" % ",".join(plaque(s, *trace.rect(b + "Button")[:2]) for b in BUTTONS))
    deal, seats = trace.deal(), trace.seats()
    for name in seats:
        if deal:
            left, top, step = deal[0][name]
            out.append("cards_%s=%s" % (name, seat(s, left, top, step, deal[1][0])))
        else:
            out.append("cards_%s=unknown" % name)
    for name in seats:
        out.append("counter_%s=%s" % (name, counter(s, digits, *trace.rect(name.capitalize() + "Stake")[:2])))
    for name in seats:
        x, y = trace.rect(name.capitalize() + "Money")[:2]
        letters, width = glyphs(s, text_white, x - 1, y, 60, 17)
        out.append("money_%s=%s:%d" % (name, letters, width))
    x, y = trace.rect(seats[0].capitalize() + "Name")[:2]
    letters, width = glyphs(s, text_white, x - 1, y, 180, 22)
    out.append("name_width=%d" % width)
    # The pile's upper band, clear of the counter below it.
    pile = deal and s.share(back_blue, deal[2][0], deal[2][1] + 10, deal[2][2], 35) >= 0.2
    out.append("pile=%s" % ("unknown" if not deal else "yes" if pile else "no"))
    out.append("token=%s" % token(s, trace))
    sx, sy, sw, sh = trace.rect("ResultSheet")
    out.append("sheet=%s" % ("yes" if s.share(sheet_teal, sx, sy, sw, sh, step=3) >= 0.4 else "no"))
    # The marker stands in a row of the sheet, in the column where the program last put it.
    moved, (mx, _, mw, mh) = trace.words(r"move WinnerMarker "), trace.rect("WinnerMarker")
    mx = int(moved[-1][4]) if moved else mx
    rows = [str(r) for r, (_, ry) in sorted(trace.sheet_rows().items()) if s.count(rose_red, mx, sy + ry, mw, mh) >= 6]
    out.append("marker=%s" % (",".join(rows) or "none"))
    out.append("rules=%s" % ("yes" if s.share(parchment, *trace.rect("RulesChart"), step=4) >= 0.5 else "no"))
    print(" ".join(out))


def dark_mask(rows):
    # Only the cores of strokes: Qt hints stems onto whole pixels, ImageMagick
    # does not, and their grey edges differ.
    return {(x, y) for y, row in enumerate(rows) for x, c in enumerate(row) if max(c) < 100}


def rendered(font, size, text):
    ppm = subprocess.run(["/usr/bin/convert", "-background", "white", "-fill", "black",
                          "-font", font, "-pointsize", str(size), "label:" + text,
                          "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    picture = Shot(ppm, 0, 0, "the rendering of " + text)
    return dark_mask(picture.grid(0, 0, picture.w, picture.h))


def glyph_runs(points):
    """Splits a line of ink at empty columns into (first column, last column)."""
    cols = sorted({x for x, _ in points})
    runs, first = [], cols[0]
    for a, b in zip(cols, cols[1:] + [None]):
        if b != a + 1:
            runs.append((first, a))
            first = b
    return runs


def line_of(points):
    """The points moved so that the line starts at (0, 0)."""
    x0 = min(x for x, _ in points)
    y0 = min(y for _, y in points)
    return {(x - x0, y - y0) for x, y in points}


def thick(points, k):
    """Thin strokes drawn by two renderers overlap better when thickened, by
    a logical pixel: strokes drawn at twice the size are twice as wide."""
    reach = [(0, 0)] + [(d, 0) for d in range(1, k + 1)] + [(0, d) for d in range(1, k + 1)]
    return {(x + dx, y + dy) for x, y in points for dx, dy in reach}


def likeness(shown, ref, k):
    """How well the line on the screen starts with the reference line, 0..1.
    Each reference glyph is laid on the screen where it fits best, within two
    logical pixels of where the previous one fitted, so that the renderers'
    different spacing does not add up along the line."""
    if not ref:
        return 0.0
    common = union = drift = 0
    for x0, x1 in glyph_runs(ref):
        glyph = {(x, y) for x, y in ref if x0 <= x <= x1}
        best = None
        for dx in range(drift - 2 * k, drift + 2 * k + 1):
            for dy in range(-2 * k, 2 * k + 1):
                seen = {(x - dx, y - dy) for x, y in shown if x0 + dx <= x <= x1 + dx}
                score = (len(seen & glyph), len(seen | glyph))
                if best is None or score[0] * best[1] > best[0] * score[1]:
                    best, fit = score, dx
        common += best[0]
        union += best[1]
        drift = fit
    return common / float(union)


def light_mask(rows):
    return {(x, y) for y, row in enumerate(rows) for x, c in enumerate(row) if min(c) > 150}


def read_text(s, box, font, sizes, texts, light=False):
    # The first band of rows with ink is the line to read.
    k = s.scale
    ink = (light_mask if light else dark_mask)(s.box(*box))
    if not ink:
        print("text=none score=0 (no text there)")
        return
    rows = sorted({y for _, y in ink})
    last = rows[0]
    for y in rows[1:]:
        if y != last + 1:
            break
        last = y
    shown = thick(line_of({(x, y) for x, y in ink if y <= last}), k)
    scores = []
    for text in texts:
        # Qt and ImageMagick hint differently: try the sizes around the one used.
        scores.append(max(likeness(shown, thick(line_of(rendered(font, k * size, text)), k), k)
                          for size in sizes))
    k = max(range(len(texts)), key=lambda i: scores[i])
    verdict = str(k + 1) if scores[k] >= 0.8 else "none"
    print("text=%s score=%.2f (%s)" % (verdict, scores[k], " ".join("%.2f" % v for v in scores)))


def main(argv):
    scale = 1
    if len(argv) > 2 and argv[1] == "-s":
        scale = int(argv[2])
        argv = argv[:1] + argv[3:]
    if len(argv) < 4 or scale not in (1, 2):
        sys.exit(__doc__)
    s = Shot.load(argv[1], int(argv[2]), int(argv[3]), scale)
    if len(argv) >= 12 and argv[4] in ("text", "lighttext"):
        sizes = [int(v) for v in argv[10].split(",")]
        read_text(s, tuple(map(int, argv[5:9])), argv[9], sizes, argv[11:], argv[4] == "lighttext")
    elif len(argv) == 5:
        report(s, digit_glyphs(argv[1], scale), Trace(argv[4]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
