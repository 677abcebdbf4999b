#!/usr/bin/env python3
"""Writes the documents we ship in data/: the New template, a sample level and a
sample bridge. All three are our own designs, computed here from the file layout.

    python3 scripts/make_samples.py   # rewrites data/new.brg, data/sample.lvl, data/sample.brg
"""
import math
import os
import struct

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")


def rnd(v):
    return int(round(v))  # Python rounds halves to even, like the editor


def y_word(e):
    """Editor height (e = display y for -128 < e <= 0, display y / 2 above 0)."""
    return rnd((e + 17152) * 65536)


def display_to_editor(d):
    return d / 2 if d > 0 else d


def x_word(display_x):
    pre = display_x * 2 if display_x < 0 else display_x
    return rnd((pre + 1048576 + 81920) * 1024)


def single(v):
    return struct.unpack("<i", struct.pack("<f", v))[0]


def point(display_x, display_y, fixed):
    x, y = x_word(display_x), y_word(display_to_editor(display_y))
    words = [2 if fixed else 1, x, y, 0, x, y] + [0] * 7
    words += [single(1.0), 0x3F7EB852, 0x3C32674E, 0x3FB33333, 0x3ECCCCCD, 10000, 1]
    words += [single(0.5)] * 3
    assert len(words) == 23
    return words


def line(a, b, points, rail):
    ax, ay = points[a][0], points[a][1]
    bx, by = points[b][0], points[b][1]
    # The game allows only lattice lengths: half the display distance must be one.
    length = math.hypot((ax - bx) / 2, ay - by) / 2
    lattice(length)
    return [0, a, b, 2 if rail else 1, single(length), 0]


def lattice(length):
    for i in range(10):
        for j in range(i + 1):
            if 0 < i * i + j * j <= 80 and abs(2 * math.hypot(i, j) - length) < 1e-6:
                return i, j
    raise ValueError(length)


def terrain(bank, floor, half_width, slope):
    """Display heights of the 1024 columns: flat banks, a smooth valley between."""
    cols = []
    for c in range(1, 1025):
        x = abs((c - 513) * 16)
        if x >= half_width + slope:
            d = bank
        elif x <= half_width - slope:
            d = floor
        else:
            t = (x - (half_width - slope)) / (2 * slope)
            d = floor + (bank - floor) * (1 - math.cos(math.pi * t)) / 2
        cols.append(d)
    return cols


def document(level, water, rail, budget, left_end, right_end, cols, pts, lines):
    words = [] if level else [1]
    words += [y_word(display_to_editor(water)), y_word(rail), budget,
              rnd((left_end + 17672) * 65536), rnd((right_end + 17660) * 65536)]
    words += [y_word(display_to_editor(d)) for d in cols]
    words.append(len(pts))
    for p in pts:
        words += point(*p)
    words.append(len(lines))
    for ln in lines:
        words += ln
    return struct.pack("<%di" % len(words), *words)


def write(name, data):
    with open(os.path.join(DATA, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(DATA, exist_ok=True)
    # The New template: a plain valley, one fixed anchor on each bank.
    cols = terrain(bank=40, floor=-80, half_width=320, slope=96)
    anchors = [(-384, 40, True), (384, 40, True)]
    write("new.brg", document(False, -40, 20, 5000, -24, 12, cols, anchors, []))

    # Sample level and bridge: a deeper gorge with a Warren truss across it.
    cols = terrain(bank=80, floor=-120, half_width=288, slope=64)
    deck = [(x, 80, abs(x) == 320) for x in range(-320, 321, 32)]
    chord = [(x, 72, False) for x in range(-304, 305, 32)]
    fixed = [p for p in deck if p[2]] + [(-352, 80, True), (352, 80, True)]
    write("sample.lvl", document(True, -80, 40, 10000, -24, 12, cols, fixed, []))

    soft_deck = [p for p in deck if not p[2]]
    pts = fixed + soft_deck + chord
    idx = {(p[0], p[1]): i for i, p in enumerate(pts)}
    lines = []
    for x in range(-320, 320, 32):
        lines.append(line(idx[(x, 80)], idx[(x + 32, 80)], pts, True))
    for x in range(-304, 304, 32):
        lines.append(line(idx[(x, 72)], idx[(x + 32, 72)], pts, False))
    for x in range(-304, 305, 32):
        lines.append(line(idx[(x - 16, 80)], idx[(x, 72)], pts, False))
        lines.append(line(idx[(x, 72)], idx[(x + 16, 80)], pts, False))
    write("sample.brg", document(False, -80, 40, 10000, -24, 12, cols, pts, lines))


if __name__ == "__main__":
    main()
