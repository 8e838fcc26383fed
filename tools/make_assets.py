#!/usr/bin/env python3
"""Makes the pictures that the programs carry, reproducibly, into assets/.

Everything is computed from fixed numbers (no randomness without a fixed
seed, no time stamps), so running it twice gives the same bytes.

    tools/make_assets.py [--check]

With --check nothing is written: it fails when a file in assets/ differs from
what the generator makes.
"""
import functools
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
                r, g, b = r + 230 * glow, g + 235 * glow, b + 255 * glow
            row.append((clamp8(b), clamp8(g), clamp8(r), clamp8(255 * coverage)))
        rows.append(row)
    return rows


def bit_rows(rows, stride):
    """Rows of true and false packed as bits, the leftmost pixel in the
    highest bit, each row `stride` bytes."""
    return b"".join(sum(1 << (8 * stride - 1 - x) for x, bit in enumerate(row) if bit).to_bytes(stride, "big")
                    for row in rows)


def ico_image(size):
    """One icon image: a 32-bit DIB (bottom-up) followed by its AND mask."""
    rows = icon_pixels(size)[::-1]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes(c for px in row for c in px) for row in rows)
    mask = bit_rows([[px[3] == 0 for px in row] for row in rows], (size + 31) // 32 * 4)
    return header + xor + mask


def make_icon(sizes=(16, 32, 48)):
    images = [ico_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


class Rng:
    """A small fixed generator, so the pictures never depend on Python's."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def unit(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 2 ** 32


# Star colours: bluish whites, from cool blue-white to warm white.
STAR_TINTS = [(0.78, 0.86, 1.00), (0.86, 0.91, 1.00), (0.93, 0.96, 1.00), (1.00, 1.00, 1.00),
              (0.80, 0.88, 1.00), (1.00, 0.97, 0.92)]


def star_pixels(width, height, seed, count, wrap):
    """A star field: mostly faint one-pixel stars, a few brighter ones with a
    soft glow. Returns rows of (r, g, b), top row first. The renderer adds ten
    copies at 0.7, so the stars stay small, sparse and mostly faint."""
    rng = Rng(seed)
    light = [[0.0, 0.0, 0.0] for _ in range(width * height)]

    def add(x, y, amount, tint):
        if wrap:
            x, y = x % width, y % height
        elif not (0 <= x < width and 0 <= y < height):
            return
        cell = light[y * width + x]
        cell[:] = [v + amount * t for v, t in zip(cell, tint)]

    for _ in range(count):
        x, y = int(rng.unit() * width), int(rng.unit() * height)
        tint = STAR_TINTS[int(rng.unit() * len(STAR_TINTS))]
        kind = rng.unit()
        if kind < 0.80:            # faint, one pixel
            add(x, y, 0.18 + 0.30 * rng.unit(), tint)
        elif kind < 0.97:          # medium, one pixel and a whisper around
            level = 0.50 + 0.35 * rng.unit()
            add(x, y, level, tint)
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                add(x + dx, y + dy, level * 0.18, tint)
        else:                      # bright, with a small glow
            level = 0.95
            for dy in range(-2, 3):
                for dx in range(-2, 3):
                    d2 = dx * dx + dy * dy
                    add(x + dx, y + dy, level * math.exp(-d2 / 1.1), tint)
    return [[tuple(clamp8(255 * v) for v in light[y * width + x]) for x in range(width)]
            for y in range(height)]


def quantise(rows, limit=256):
    """Rows of palette indexes and a palette of at most `limit` colours: the
    brightest levels are kept exact, nearby faint colours are merged."""
    step, levelled = 1, rows
    while len(colours := sorted({px for row in levelled for px in row})) > limit:
        step += 1
        levelled = [[tuple(c // step * step for c in px) for px in row] for row in rows]
    index = {colour: i for i, colour in enumerate(colours)}
    return [[index[px] for px in row] for row in levelled], colours


def bmp_rle8(rows):
    """An 8-bit run-length bitmap (bottom-up) of the picture: the stars are
    sparse on black, so it is small inside the program."""
    indexes, colours = quantise(rows)
    height, width = len(rows), len(rows[0])
    stream = bytearray()
    for row in reversed(indexes):
        x = 0
        while x < width:
            run = 1
            while x + run < width and run < 255 and row[x + run] == row[x]:
                run += 1
            stream += bytes((run, row[x]))
            x += run
        stream += b"\x00\x00"
    stream[-2:] = b"\x00\x01"
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(stream), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(stream), 2835, 2835, len(colours), 0)
    return header + info + palette + bytes(stream)


def bmp24(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    data = b"".join(bytes(c for px in row for c in (px[2], px[1], px[0])).ljust(stride, b"\0")
                    for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    return tuple(clamp8(x + (y - x) * t) for x, y in zip(a, b))


def vertical(colours, row, first, last):
    """The colour of a vertical gradient through the given stops at a row."""
    t = (row - first) / max(1, last - first) * (len(colours) - 1)
    i = min(int(t), len(colours) - 2)
    return mix(hex_colour(colours[i]), hex_colour(colours[i + 1]), t - i)


BUTTON_W, BUTTON_H = 64, 25
BORDER_BLUE = "#003C74"
# Inner bands of the state pictures: top rows, bottom rows, left and right
# columns (each two pixels; a list of stops for a gradient down the sides).
BANDS = {
    "normal": (["#F3F3EE", "#F3F3EE"], ["#E2DFD6", "#D6D0C5"], [["#F4F4F0"], ["#F4F4F0"]],
               [["#EEEDE7"], ["#E8E5DF"]]),
    "highlight": (["#FFF0CF", "#FDD889"], ["#F8B330", "#E59700"],
                  [["#FEDF9A", "#FCCA69", "#F9B435"]] * 2, [["#FEDF9A", "#FCCA69", "#F9B435"]] * 2),
    "selected": (["#CEE7FF", "#CEE7FF"], ["#6982EE", "#6982EE"],
                 [["#B7D0F4", "#A9C5EF", "#8BADE4"]] * 2, [["#B7D0F4", "#A9C5EF", "#8BADE4"]] * 2),
}


def button_ring(px, inset, top, left, bottom, right_stops):
    """An outer ring `inset` pixels in: top, left and bottom colours, and a
    gradient down the right side."""
    w, h = BUTTON_W - 1 - inset, BUTTON_H - 1 - inset
    px[inset][inset:w + 1] = [hex_colour(top)] * (w + 1 - inset)
    px[h][inset:w + 1] = [hex_colour(bottom)] * (w + 1 - inset)
    for y in range(inset, h + 1):
        px[y][inset] = hex_colour(left)
        px[y][w] = vertical(right_stops, y, inset, h)


def button_border(px, inset, colour, corner_blends):
    """A one-pixel border `inset` pixels in, its corners rounded by blends."""
    button_ring(px, inset, colour, colour, colour, [colour])
    w, h = BUTTON_W - 1 - inset, BUTTON_H - 1 - inset
    corner, near, next_near = corner_blends[:3]
    for cx, dx in ((inset, 1), (w, -1)):
        for cy, dy in ((inset, 1), (h, -1)):
            px[cy][cx] = hex_colour(corner)
            px[cy][cx + dx] = px[cy + dy][cx] = hex_colour(near)
            px[cy][cx + 2 * dx] = px[cy + 2 * dy][cx] = hex_colour(next_near)
            if len(corner_blends) > 3:
                px[cy + dy][cx + dx] = hex_colour(corner_blends[3])


def button_picture(state):
    face = {"pressed": "#E2E1D9", "disable": "#F5F4EA"}.get(state, "#F6F6F3")
    px = [[hex_colour(face)] * BUTTON_W for _ in range(BUTTON_H)]
    if state in BANDS:
        button_ring(px, 0, "#E0DCC9", "#E2DECB", "#F7F6EF", ["#EDEADA", "#F0EEE0"])
        button_border(px, 1, BORDER_BLUE, ["#7A95A8", "#255783", "#164D7E", "#6788A0"])
        top, bottom, left, right = BANDS[state]
        for i in range(2):
            for y in range(2, BUTTON_H - 2):
                px[y][2 + i] = vertical(left[i], y, 2, BUTTON_H - 3)
                px[y][BUTTON_W - 4 + i] = vertical(right[i], y, 2, BUTTON_H - 3)
            px[2 + i][2:BUTTON_W - 2] = [hex_colour(top[i])] * (BUTTON_W - 4)
            px[BUTTON_H - 4 + i][2:BUTTON_W - 2] = [hex_colour(bottom[i])] * (BUTTON_W - 4)
    elif state == "pressed":
        button_ring(px, 0, "#ECE9D8", "#ECE9D8", "#ECE9D8", ["#ECE9D8", "#ECE9D8"])
        button_ring(px, 1, "#E0DCC9", "#E2DECB", "#F7F6EF", ["#EDEADA", "#F0EEE0"])
        button_border(px, 2, BORDER_BLUE, ["#7A95A8", "#255783", "#164D7E"])
        px[3][3:BUTTON_W - 3] = [hex_colour("#D1CCC1")] * (BUTTON_W - 6)
    elif state == "disable":
        button_ring(px, 0, "#ECE9D8", "#ECE9D8", "#ECE9D8", ["#ECE9D8", "#ECE9D8"])
        button_border(px, 1, "#C9C7BA", ["#D8D5C7", "#CBC9BC", "#D5D2C4"])
    return bmp24(px)


MARK_SIZE = 12
MARK_FACE, MARK_FRAME, MARK_DOT = (250, 250, 252), (128, 128, 128), (0, 84, 227)


def mark_picture(selected):
    """A selection mark: a light square in a thin grey frame; the selected one
    has a blue square in its middle."""
    px = [[MARK_FACE] * MARK_SIZE for _ in range(MARK_SIZE)]
    last = MARK_SIZE - 1
    for i in range(MARK_SIZE):
        px[0][i] = px[last][i] = px[i][0] = px[i][last] = MARK_FRAME
    if selected:
        for y in range(3, MARK_SIZE - 3):
            px[y][3:MARK_SIZE - 3] = [MARK_DOT] * (MARK_SIZE - 6)
    return bmp24(px)


CURSOR_SIZE = 32
HAND_HOT_SPOT = (12, 10)


def hand_shape(x, y):
    """True inside a pointing hand whose index fingertip is the hot spot."""
    tip_x, tip_y = HAND_HOT_SPOT
    # The index finger, pointing up, rounded at the top.
    return ((tip_x - 1 <= x <= tip_x + 2 and tip_y + 1 <= y <= 22) or (y == tip_y and tip_x <= x <= tip_x + 1)
            # Three folded fingers: knuckles side by side, right of the index finger.
            or any(left <= x <= left + 2 and 15 <= y <= 22 for left in (15, 18, 21))
            # The thumb, reaching in from the lower left.
            or (6 <= x <= 10 and 17 + (x - 6) // 2 <= y <= 22 + (x - 6) // 3)
            # The palm and the wrist.
            or (9 <= x <= 23 and 20 <= y <= 27) or (11 <= x <= 21 and 27 <= y <= 29))


def make_hand_cursor():
    """A monochrome 32 x 32 cursor: a white hand with a black outline."""
    n = CURSOR_SIZE
    inside = [[hand_shape(x, y) for x in range(n)] for y in range(n)]

    def outline(x, y):
        return any(not (0 <= x + dx < n and 0 <= y + dy < n and inside[y + dy][x + dx])
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))

    bottom_up = range(n)[::-1]
    # White inside, but for the outline, which stays black; transparent outside.
    xor = bit_rows([[inside[y][x] and not outline(x, y) for x in range(n)] for y in bottom_up], n // 8)
    mask = bit_rows([[not inside[y][x] for x in range(n)] for y in bottom_up], n // 8)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + xor + mask
    return struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", n, n, 2, 0, *HAND_HOT_SPOT, len(image), 22) + image


ASSET_MAKERS = {
    "sorvane.ico": make_icon,
    # Wraps at the edges: the renderer repeats the picture past its borders.
    "star_field.bmp": lambda: bmp_rle8(star_pixels(512, 512, seed=20261208, count=900, wrap=True)),
    "preview.bmp": lambda: bmp_rle8(star_pixels(152, 112, seed=1208, count=170, wrap=False)),
    "black_pixel.bmp": lambda: bmp24([[(0, 0, 0)]]),
    # The gradient button's six state pictures; HighLightSelect shows the same
    # pixels as HighLight.
    **{f"button_{state}.bmp": functools.partial(button_picture, state)
       for state in ("normal", "highlight", "selected", "pressed", "disable")},
    "button_highlight_select.bmp": functools.partial(button_picture, "highlight"),
    # The settings dialog's own 32 x 32 icon, its two selection marks and the
    # pointer over its link.
    "dialog.ico": lambda: make_icon(sizes=(32,)),
    "mark_unselected.bmp": lambda: mark_picture(False),
    "mark_selected.bmp": lambda: mark_picture(True),
    "hand.cur": make_hand_cursor,
}


def main(argv):
    check = "--check" in argv
    stale = []
    for name, maker in ASSET_MAKERS.items():
        data, path = maker(), ASSETS / name
        if not check:
            path.write_bytes(data)
        elif not path.exists() or path.read_bytes() != data:
            stale.append(name)
    if stale:
        print("assets differ from the generator:", ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
