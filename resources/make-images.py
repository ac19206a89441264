#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files next to this script.

Run it again after changing a drawing; the .ico files are kept in the repository so
that the build needs no image tools. Pure Python: shapes are described as signed
distance functions in a unit square and sampled 4 x 4 times per pixel.
"""
import math
import os
import struct

SIZES = (16, 32, 48)
SAMPLES = 4


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def capsule(ax, ay, bx, by, r):
    def d(x, y):
        px, py = x - ax, y - ay
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - vx * t, py - vy * t) - r
    return d


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return d


def ring(cx, cy, r, width, below=None):
    """An arc of a circle; with below, only the part under that y."""
    def d(x, y):
        dist = abs(math.hypot(x - cx, y - cy) - r) - width / 2
        if below is not None and y < below:
            dist = max(dist, below - y)
        return dist
    return d


def render(layers, size):
    """layers: (shape, (r, g, b)) painted in order over a transparent background.
    Returns rows of (b, g, r, a) tuples, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    cr = cg = cb = ca = 0.0
                    for shape, colour in layers:
                        if shape(x, y) <= 0:
                            cr, cg, cb = colour
                            ca = 1.0
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            n = SAMPLES * SAMPLES
            if a > 0:
                row.append((round(b / a), round(g / a), round(r / a), round(255 * a / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def ico_image(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(p) for row in reversed(rows) for p in row)
    # The AND mask: bit set = transparent, rows padded to 32 bits.
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def write_ico(path, layers):
    images = [ico_image(render(layers, s)) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


TEAL = (31, 95, 122)
TEAL_DARK = (18, 60, 80)
WHITE = (250, 250, 250)
RED = (220, 40, 40)
RED_DARK = (150, 20, 20)
AMBER = (235, 160, 30)
AMBER_DARK = (170, 105, 10)

# The program: a microphone on a teal tile, with a red recording dot.
PROGRAM = [
    (rounded_rect(0.03, 0.03, 0.97, 0.97, 0.2), TEAL_DARK),
    (rounded_rect(0.08, 0.08, 0.92, 0.92, 0.16), TEAL),
    (capsule(0.44, 0.24, 0.44, 0.48, 0.13), WHITE),
    (ring(0.44, 0.46, 0.22, 0.07, below=0.46), WHITE),
    (capsule(0.44, 0.68, 0.44, 0.8, 0.035), WHITE),
    (capsule(0.32, 0.81, 0.56, 0.81, 0.035), WHITE),
    (circle(0.77, 0.77, 0.17), RED_DARK),
    (circle(0.77, 0.77, 0.12), RED),
]

# Recording: a red dot.
RECORDING = [
    (circle(0.5, 0.5, 0.44), RED_DARK),
    (circle(0.5, 0.5, 0.36), RED),
]

# Paused: two white bars on an amber dot.
PAUSED = [
    (circle(0.5, 0.5, 0.44), AMBER_DARK),
    (circle(0.5, 0.5, 0.36), AMBER),
    (rounded_rect(0.33, 0.3, 0.45, 0.7, 0.03), WHITE),
    (rounded_rect(0.55, 0.3, 0.67, 0.7, 0.03), WHITE),
]


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    os.makedirs(here, exist_ok=True)
    write_ico(os.path.join(here, "program.ico"), PROGRAM)
    write_ico(os.path.join(here, "recording.ico"), RECORDING)
    write_ico(os.path.join(here, "paused.ico"), PAUSED)


if __name__ == "__main__":
    main()
