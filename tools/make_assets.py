#!/usr/bin/env python3
"""Makes the pictures that the programs carry, reproducibly, into assets/.

Everything is computed from fixed numbers (no randomness without a fixed
seed, no time stamps), so running it twice gives the same bytes.

    tools/make_assets.py [--check]

With --check nothing is written: it fails when a file in assets/ differs from
what the generator makes.
"""
import math
import pathlib
import struct
import sys

ASSETS = pathlib.Path(__file__).resolve().parent.parent / "assets"


def clamp8(v):
    return max(0, min(255, int(round(v))))


def icon_pixels(size):
    """A night-blue disc with a few bright stars: BGRA rows, top row first."""
    centre = (size - 1) / 2.0
    radius = size / 2.0 - 0.5
    # Stars as (x, y, brightness) in units of the icon's size.
    stars = [(0.30, 0.32, 1.0), (0.66, 0.24, 0.8), (0.55, 0.58, 1.0),
             (0.26, 0.70, 0.6), (0.76, 0.72, 0.7), (0.45, 0.40, 0.5)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            coverage = max(0.0, min(1.0, radius - d + 0.5))
            depth = d / radius if radius else 0.0
            r, g, b = 10 + 20 * depth, 14 + 30 * depth, 40 + 70 * depth
            for sx, sy, bright in stars:
                sd = math.hypot(x - sx * (size - 1), y - sy * (size - 1))
                glow = bright * math.exp(-(sd * sd) / (2 * (size / 32.0) ** 2))
                r += 230 * glow
                g += 235 * glow
                b += 255 * glow
            row.append((clamp8(b), clamp8(g), clamp8(r), clamp8(255 * coverage)))
        rows.append(row)
    return rows


def ico_image(size):
    """One icon image: a 32-bit DIB (bottom-up) followed by its AND mask."""
    rows = icon_pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + xor + bytes(mask)


def make_icon(sizes=(16, 32, 48)):
    images = [ico_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


ASSET_MAKERS = {
    "sorvane.ico": make_icon,
}


def main(argv):
    check = "--check" in argv
    stale = []
    for name, maker in ASSET_MAKERS.items():
        data = maker()
        path = ASSETS / name
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(name)
        else:
            path.write_bytes(data)
    if stale:
        print("assets differ from the generator:", ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
