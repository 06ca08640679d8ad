#!/usr/bin/env python3
"""Measures on a screenshot of the table what orvanta-painter --review measures on the
pictures: the caption contrast of each button, the felt between stacked buttons, and
the felt between the user's cards and the seat plate.

usage: screen-check.py SHOT.png [SCALE]

SHOT is the table's client area (856 x 645 logical pixels, SCALE screen pixels each),
as the end-to-end test keeps it (crop its root-window shots to the window).
"""
import subprocess
import sys

BUTTONS = [("Start", 88, 464, 6), ("Rules", 88, 496, 6), ("Call", 640, 464, 4),
           ("Fold", 640, 496, 4), ("Flip", 640, 528, 4), ("Flip all", 640, 560, 4)]
CAPTIONS = {(255, 255, 0): "yellow", (0, 255, 0): "green", (255, 255, 255): "white"}


def load(path):
    w, h = map(int, subprocess.run(["/usr/bin/identify", "-format", "%w %h", path],
                                   capture_output=True, text=True, check=True).stdout.split())
    data = subprocess.run(["/usr/bin/convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return w, h, data


def luminance(c):
    def lin(v):
        s = v / 255.0
        return s / 12.92 if s <= 0.03928 else ((s + 0.055) / 1.055) ** 2.4
    return 0.2126 * lin(c[0]) + 0.7152 * lin(c[1]) + 0.0722 * lin(c[2])


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    k = int(argv[2]) if len(argv) > 2 else 1
    w, h, data = load(argv[1])

    def px(x, y):
        i = (y * w + x) * 3
        return tuple(data[i:i + 3])

    def felt(c):
        return c[1] - c[0] > 45 and c[1] > 70

    for name, bx, by, cy in BUTTONS:
        # the caption's box: x 30..71 and its rows, as the painter's review finds them
        box = [px(k * bx + x, k * by + y) for y in range(k * cy, k * (cy + 21)) for x in range(k * 30, k * 72)]
        shown = max(CAPTIONS, key=lambda c: sum(1 for p in box if max(abs(p[i] - c[i]) for i in range(3)) < 8))
        skin = sorted((p for p in box if max(abs(p[i] - shown[i]) for i in range(3)) > 60), key=luminance)
        median = skin[len(skin) // 2]
        print("%-8s %-6s caption on #%02X%02X%02X: %.2f : 1" % ((name, CAPTIONS[shown]) + median + (contrast(shown, median),)))
    for x0, label in ((88, "Start/Rules"), (640, "Call..Flip all")):
        rows = [y for y in range(k * 440, k * 600)
                if all(felt(px(k * x0 + x, y)) for x in range(k * 20, k * 80, k))]
        gaps, run = [], 0
        for y in range(k * 470, k * 590):
            run = run + 1 if y in rows else (gaps.append(run) or 0) if run else 0
        print("%-14s felt rows between stacked plaques: %s" % (label, [g / k for g in gaps if g]))
    first = next(y for y in range(k * 556, k * 600)
                 if any(not felt(px(x, y)) for x in range(k * 372, k * 468)))
    print("felt between the user's cards (to y 555) and the seat plate: %.1f px" % ((first - k * 556) / k))


if __name__ == "__main__":
    main(sys.argv)
