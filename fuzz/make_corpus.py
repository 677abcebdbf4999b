#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: a few small valid and invalid
level and bridge files. Run from anywhere; it replaces fuzz/corpus/."""
import shutil
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent


def words(*ws):
    return b"".join(struct.pack("<I", w & 0xFFFFFFFF) for w in ws)


def f32(x):
    return struct.unpack("<I", struct.pack("<f", x))[0]


def y_word(e):
    """Editor y value -> y word."""
    return round((e + 17152) * 65536)


def x_word(x):
    """Display x (before halving) -> point x word."""
    return round((x + 1048576 + 81920) * 1024)


def bridge(points, lines, head0=0, level=False):
    head = [] if level else [head0]
    head += [y_word(-40), y_word(30), 25000, f32(2048.0), f32(3072.0)]
    terrain = [y_word(-20 if 300 < c < 700 else 10) for c in range(1, 1025)]
    out = words(*head, *terrain, len(points))
    for kind, x, y in points:
        out += words(kind, x_word(x), y_word(y), *([0] * 20))
    out += words(len(lines))
    for a, b, kind in lines:
        out += words(0, a, b, kind, f32(50.0), 0)
    return out


def main():
    pts = [(2, -200, 10), (2, 200, 10), (1, 0, 40), (1, 100, 40)]
    lns = [(0, 2, 0), (2, 3, 2), (3, 1, 1), (1, 0, 3)]
    full = bridge(pts, lns)
    seeds = {
        "empty.brg": bridge([], []),
        "small.brg": full,
        "trailing.brg": full + b"\x01\x02\x03",
        "truncated.brg": full[:-5],
        "negative_count.brg": bridge([], [])[:4120] + words(-1, 0),
        "line_past_points.brg": bridge(pts[:2], [(0, 2, 0)]),
        "level.lvl": bridge(pts[:2], [], level=True),
        "level_points.lvl": bridge(pts, [], level=True),
        "header_only": bridge([], [])[:4000],
    }
    for target in ("document", "converter"):
        folder = HERE / "corpus" / target
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        for name, data in seeds.items():
            if target == "converter" and name.endswith(".lvl"):
                continue
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
