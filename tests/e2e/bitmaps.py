"""Bitmap files and pictures for end-to-end tests, written with the standard
library only."""
import random
import re
import struct


def write_bmp24(path, width, height, pixel):
    """A bottom-up 24-bit bitmap with a file header; pixel(x, y) gives the
    (red, green, blue) of the pixel in column x of row y, counted from the top."""
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info + data)


def star_field(size=512, stars=260, seed=7):
    """pixel(x, y) of a test star field: small bright dots on black."""
    rng = random.Random(seed)
    lit = {}
    for _ in range(stars):
        x, y = rng.randrange(size), rng.randrange(size)
        level = rng.randrange(140, 256)
        for dx, dy, share in ((0, 0, 1.0), (1, 0, 0.4), (0, 1, 0.4), (-1, 0, 0.4), (0, -1, 0.4)):
            key = ((x + dx) % size, (y + dy) % size)
            lit[key] = max(lit.get(key, 0), int(level * share))
    return lambda x, y: (lit.get((x, y), 0),) * 2 + (min(255, lit.get((x, y), 0) + 20) if (x, y) in lit else 0,)


def parse_ppm(ppm):
    """(width, height, rgb bytes top row first) of a binary PPM's bytes. The
    pixels begin after the one white-space byte that ends the header: a
    picture whose first bytes are white space (a grey of 32 is spaces) keeps
    them."""
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    if not header:
        raise ValueError(f"not an 8-bit binary PPM: {ppm[:20]!r}")
    return int(header[1]), int(header[2]), ppm[header.end():]


def read_ppm(path):
    return parse_ppm(path.read_bytes())
