#!/usr/bin/env python3
"""Draws the ring of twelve yellow five-pointed stars: the About window's picture and the program's icon.

stars.png (beside this script): the About picture, 800 x 800 pixels, RGBA (opaque), the ring on black.
../tovaro2korvane.ico: the program's icon, the same ring on a black disc with a clear surround, drawn
afresh at 16, 20, 24, 32, 40, 48, 64 and 256 pixels (so small sizes stay sharp rather than being shrunk
from a big one); 256 is stored as PNG, the others as 32-bit bitmaps that every Windows reads.

Written with zlib alone so that nothing outside the standard library is needed. Edges are anti-aliased:
each pixel's coverage is measured on 8 sub-rows with exact horizontal spans.
Run it from anywhere; it writes where it says above.
"""
import math
import os
import struct
import zlib

SIZE = 800
RING_RADIUS = 215.0
STAR_OUTER = 50.0
STAR_INNER_RATIO = 0.382  # the inner points of a regular five-pointed star
YELLOW = (255, 214, 0)
SUB_ROWS = 8

# The icon shows the ring cropped to a disc this much wider than the stars' outer points.
ICON_DISC_RADIUS = RING_RADIUS + STAR_OUTER * 1.3
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
ICON_PNG_FROM = 256  # sizes from here on are stored as PNG
DISC_CORNERS = 256

HERE = os.path.dirname(os.path.abspath(__file__))


def star(cx, cy, outer):
    """Corners of a five-pointed star standing upright, centred on (cx, cy)."""
    points = []
    for i in range(10):
        radius = outer if i % 2 == 0 else outer * STAR_INNER_RATIO
        angle = -math.pi / 2 + i * math.pi / 5
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def ring(centre, scale):
    """The twelve stars around centre, the first one at the top, at scale times the About picture's size."""
    stars = []
    for i in range(12):
        angle = -math.pi / 2 + i * 2 * math.pi / 12
        stars.append(star(centre + scale * RING_RADIUS * math.cos(angle),
                          centre + scale * RING_RADIUS * math.sin(angle), scale * STAR_OUTER))
    return stars


def disc(centre, radius):
    """A circle as a polygon fine enough that its edge pixels are covered as by the true circle."""
    return [(centre + radius * math.cos(2 * math.pi * i / DISC_CORNERS),
             centre + radius * math.sin(2 * math.pi * i / DISC_CORNERS)) for i in range(DISC_CORNERS)]


def add_span(row, left, right, weight):
    """Adds weight times the covered part of [left, right) to each pixel of row."""
    size = len(row)
    left = max(left, 0.0)
    right = min(right, float(size))
    if right <= left:
        return
    first, last = int(left), int(right)
    if first == last:
        row[first] += (right - left) * weight
        return
    row[first] += (first + 1 - left) * weight
    for x in range(first + 1, min(last, size)):
        row[x] += weight
    if last < size:
        row[last] += (right - last) * weight


def fill(coverage, polygon):
    """Adds the polygon's coverage of each pixel to the square grid coverage."""
    size = len(coverage)
    ys = [p[1] for p in polygon]
    top, bottom = max(0, int(min(ys))), min(size - 1, int(max(ys)) + 1)
    edges = list(zip(polygon, polygon[1:] + polygon[:1]))
    for y in range(top, bottom + 1):
        row = coverage[y]
        for sub in range(SUB_ROWS):
            sy = y + (sub + 0.5) / SUB_ROWS
            crossings = []
            for (x0, y0), (x1, y1) in edges:
                if (y0 <= sy < y1) or (y1 <= sy < y0):
                    crossings.append(x0 + (sy - y0) * (x1 - x0) / (y1 - y0))
            crossings.sort()
            for left, right in zip(crossings[::2], crossings[1::2]):
                add_span(row, left, right, 1.0 / SUB_ROWS)


def coverage_of(size, polygons):
    coverage = [[0.0] * size for _ in range(size)]
    for polygon in polygons:
        fill(coverage, polygon)
    return coverage


def yellow_over_black(star_coverage, alpha):
    """One RGBA pixel: yellow over black as far as the stars cover it, with the given opacity."""
    c = min(1.0, star_coverage)
    return [int(round(channel * c)) for channel in YELLOW] + [alpha]


def png(rgba_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rgba_rows)
    header = struct.pack(">IIBBBBB", len(rgba_rows[0]) // 4, len(rgba_rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def about_picture():
    """The About picture's RGBA rows: the ring filling an opaque black square."""
    stars = coverage_of(SIZE, ring(SIZE / 2, 1.0))
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            row.extend(yellow_over_black(stars[y][x], 255))
        rows.append(row)
    return rows


def icon_picture(size):
    """The icon's RGBA rows at size x size: the ring on a black disc, clear around the disc."""
    centre, scale = size / 2, size / 2 / ICON_DISC_RADIUS
    stars = coverage_of(size, ring(centre, scale))
    ground = coverage_of(size, [disc(centre, size / 2)])
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            row.extend(yellow_over_black(stars[y][x], int(round(255 * min(1.0, ground[y][x])))))
        rows.append(row)
    return rows


def icon_bitmap(rgba_rows):
    """An icon image as Windows' 32-bit bitmap: header, BGRA rows bottom-up, then the AND mask."""
    size = len(rgba_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((row[x + 2], row[x + 1], row[x], row[x + 3]))
                      for row in reversed(rgba_rows) for x in range(0, len(row), 4))
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rgba_rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] == 0:  # clear pixels are left to the screen
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico(images):
    """An .ico file of (size, image bytes) entries in the given order."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory, data = b"", b""
    for size, image in images:
        side = size % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return header + directory + data


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    write(os.path.join(HERE, "stars.png"), png(about_picture()))
    images = []
    for size in ICON_SIZES:
        picture = icon_picture(size)
        images.append((size, png(picture) if size >= ICON_PNG_FROM else icon_bitmap(picture)))
    write(os.path.join(HERE, os.pardir, "tovaro2korvane.ico"), ico(images))


if __name__ == "__main__":
    main()
