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


def polygon(points):
    """A simple polygon given by its corners in order."""
    def d(x, y):
        best = float("inf")
        sign = 1.0
        n = len(points)
        for i in range(n):
            ax, ay = points[i - 1]
            bx, by = points[i]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            # Crossing count along a horizontal ray decides inside or out.
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                sign = -sign
        return sign * best
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def strokes(lines, width):
    """Polylines drawn with a round pen; a shape for the union of all of them."""
    parts = []
    for line in lines:
        if len(line) == 1:
            parts.append(circle(line[0][0], line[0][1], width / 2))
        for (ax, ay), (bx, by) in zip(line, line[1:]):
            parts.append(capsule(ax, ay, bx, by, width / 2))
    xs = [p[0] for line in lines for p in line]
    ys = [p[1] for line in lines for p in line]
    x0, x1, y0, y1 = min(xs) - width, max(xs) + width, min(ys) - width, max(ys) + width

    def d(x, y):
        # Far from every stroke: a cheap bound keeps rendering quick.
        if x < x0 or x > x1 or y < y0 or y > y1:
            return 1.0
        return min(p(x, y) for p in parts)
    return d


def arc(cx, cy, rx, ry, a0, a1, steps=16):
    """Points along an ellipse from angle a0 to a1 in degrees (y grows downwards)."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


# Capital letters and digits for a stroke font: each glyph is 0.6 wide and 1 high.
GLYPHS = {
    "M": [[(0, 1), (0, 0), (0.3, 0.6), (0.6, 0), (0.6, 1)]],
    "P": [[(0, 1), (0, 0), (0.33, 0)] + arc(0.33, 0.26, 0.26, 0.26, -90, 90)[1:] + [(0, 0.52)]],
    "3": [[(0.02, 0), (0.56, 0), (0.28, 0.4)] + arc(0.3, 0.69, 0.3, 0.3, -90, 150)[1:]],
    "W": [[(0, 0), (0.14, 1), (0.3, 0.35), (0.46, 1), (0.6, 0)]],
    "A": [[(0, 1), (0.3, 0), (0.6, 1)], [(0.1, 0.68), (0.5, 0.68)]],
    "V": [[(0, 0), (0.3, 1), (0.6, 0)]],
    "O": [arc(0.3, 0.5, 0.3, 0.5, 0, 360, 28)],
    "G": [arc(0.3, 0.5, 0.3, 0.5, -40, -360, 26) + [(0.6, 0.56), (0.34, 0.56)]],
}


def text(word, x, y, height, width):
    """The word's strokes with its top left corner at (x, y)."""
    lines = []
    for i, ch in enumerate(word):
        left = x + i * 0.9 * height
        for line in GLYPHS[ch]:
            lines.append([(left + px * height, y + py * height) for px, py in line])
    return strokes(lines, width)


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


def write_ico(path, layers, sizes=SIZES):
    """layers: a list of layers, or a function of the size that returns one."""
    images = [ico_image(render(layers(s) if callable(layers) else layers, s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
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


GREY_DARK = (70, 76, 84)
GREY = (150, 156, 162)
GREY_LIGHT = (214, 218, 222)
SLATE = (84, 100, 116)
SLATE_DARK = (46, 56, 68)
GREEN = (46, 150, 76)
GREEN_DARK = (26, 98, 46)
BLUE = (44, 112, 200)
BLUE_DARK = (22, 66, 136)
ORANGE = (226, 112, 32)
ORANGE_DARK = (150, 68, 14)
YELLOW = (252, 212, 60)
YELLOW_DARK = (176, 124, 8)


def disc(rim, fill):
    """The toolbar's round button face: a dark rim around a flat colour."""
    return [(circle(0.5, 0.5, 0.44), rim), (circle(0.5, 0.5, 0.36), fill)]


# Toolbar buttons.
RECORD = disc(RED_DARK, RED)
PAUSE = PAUSED
STOP = disc(SLATE_DARK, SLATE) + [(rounded_rect(0.34, 0.34, 0.66, 0.66, 0.03), WHITE)]
DOWNLOAD = disc(GREEN_DARK, GREEN) + [
    (polygon([(0.44, 0.24), (0.56, 0.24), (0.56, 0.46), (0.67, 0.46), (0.5, 0.63), (0.33, 0.46),
              (0.44, 0.46)]), WHITE),
    (rounded_rect(0.31, 0.68, 0.69, 0.75, 0.02), WHITE),
]
HELP = disc(BLUE_DARK, BLUE) + [
    (strokes([arc(0.5, 0.39, 0.12, 0.12, 195, 405, 14) + [(0.5, 0.5), (0.5, 0.56)]], 0.09), WHITE),
    (circle(0.5, 0.7, 0.055), WHITE),
]
ABOUT = disc(TEAL_DARK, TEAL) + [
    (circle(0.5, 0.31, 0.06), WHITE),
    (rounded_rect(0.45, 0.42, 0.55, 0.72, 0.02), WHITE),
]


def format_sheet(label, rim, fill):
    """A page with a sound wave and a coloured label band; the letters from 32 pixels up."""
    def layers(size):
        sheet = [
            (polygon([(0.18, 0.05), (0.63, 0.05), (0.84, 0.26), (0.84, 0.95), (0.18, 0.95)]), GREY_DARK),
            (polygon([(0.215, 0.088), (0.615, 0.088), (0.805, 0.278), (0.805, 0.912), (0.215, 0.912)]),
             WHITE),
            (polygon([(0.6, 0.06), (0.6, 0.29), (0.83, 0.29)]), GREY_DARK),
            (polygon([(0.632, 0.13), (0.632, 0.258), (0.76, 0.258)]), GREY_LIGHT),
        ]
        wave = [(0.3, 0.05), (0.38, 0.11), (0.46, 0.07), (0.54, 0.13), (0.62, 0.06), (0.7, 0.09)]
        bars = strokes([[(x, 0.4 - h), (x, 0.4 + h)] for x, h in wave[: 4 if size > 16 else 3]], 0.05)
        band = [(rounded_rect(0.08, 0.54, 0.92, 0.87, 0.06), rim),
                (rounded_rect(0.115, 0.575, 0.885, 0.835, 0.04), fill)]
        out = sheet + [(bars, fill)] + band
        if size > 16:
            out.append((text(label, 0.272, 0.61, 0.19, 0.05 if size > 32 else 0.065), WHITE))
        return out
    return layers


FORMAT_MP3 = format_sheet("MP3", GREEN_DARK, GREEN)
FORMAT_WAV = format_sheet("WAV", BLUE_DARK, BLUE)
FORMAT_OGG = format_sheet("OGG", ORANGE_DARK, ORANGE)

# Tip of the Day: a light bulb.
BULB = [
    (union(circle(0.5, 0.4, 0.33), polygon([(0.33, 0.6), (0.67, 0.6), (0.64, 0.75), (0.36, 0.75)])),
     YELLOW_DARK),
    (union(circle(0.5, 0.4, 0.27), polygon([(0.39, 0.6), (0.61, 0.6), (0.59, 0.71), (0.41, 0.71)])),
     YELLOW),
    (strokes([arc(0.5, 0.4, 0.17, 0.17, 195, 255, 8)], 0.06), WHITE),
    (rounded_rect(0.36, 0.72, 0.64, 0.92, 0.05), GREY_DARK),
    (rounded_rect(0.4, 0.765, 0.6, 0.8, 0.015), GREY_LIGHT),
    (rounded_rect(0.4, 0.84, 0.6, 0.875, 0.015), GREY_LIGHT),
]

# Recorded-files list: row images and the header's sort marks.
SMALL_SHEET = [
    (polygon([(0.17, 0.04), (0.6, 0.04), (0.83, 0.27), (0.83, 0.96), (0.17, 0.96)]), GREY_DARK),
    (polygon([(0.235, 0.105), (0.573, 0.105), (0.765, 0.297), (0.765, 0.895), (0.235, 0.895)]), WHITE),
]
FILE_RECORDED = SMALL_SHEET + [(circle(0.62, 0.7, 0.25), RED_DARK), (circle(0.62, 0.7, 0.17), RED)]
FILE_OTHER = SMALL_SHEET + [
    (rounded_rect(0.33, 0.42, 0.67, 0.5, 0.02), GREY),
    (rounded_rect(0.33, 0.58, 0.67, 0.66, 0.02), GREY),
    (rounded_rect(0.33, 0.74, 0.58, 0.82, 0.02), GREY),
]
SORT_NONE = []  # an empty image keeps unsorted titles where sorted ones are
SORT_UP = [(polygon([(0.28, 0.64), (0.72, 0.64), (0.5, 0.34)]), GREY_DARK)]
SORT_DOWN = [(polygon([(0.28, 0.36), (0.72, 0.36), (0.5, 0.66)]), GREY_DARK)]
SORT_BOTH = [
    (polygon([(0.32, 0.45), (0.68, 0.45), (0.5, 0.22)]), GREY_DARK),
    (polygon([(0.32, 0.55), (0.68, 0.55), (0.5, 0.78)]), GREY_DARK),
]


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    os.makedirs(here, exist_ok=True)
    write_ico(os.path.join(here, "program.ico"), PROGRAM)
    write_ico(os.path.join(here, "recording.ico"), RECORDING)
    write_ico(os.path.join(here, "paused.ico"), PAUSED)
    for name, layers in (("record", RECORD), ("pause", PAUSE), ("stop", STOP), ("download", DOWNLOAD),
                         ("help", HELP), ("about", ABOUT), ("format-mp3", FORMAT_MP3),
                         ("format-wav", FORMAT_WAV), ("format-ogg", FORMAT_OGG), ("bulb", BULB),
                         ("file-recorded", FILE_RECORDED), ("file-other", FILE_OTHER),
                         ("sort-none", SORT_NONE), ("sort-up", SORT_UP), ("sort-down", SORT_DOWN),
                         ("sort-both", SORT_BOTH)):
        write_ico(os.path.join(here, name + ".ico"), layers)


if __name__ == "__main__":
    main()
