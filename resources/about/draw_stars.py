#!/usr/bin/env python3
"""Draws stars.png: the About window's picture, a ring of twelve yellow five-pointed stars on black.

800 x 800 pixels, RGBA (opaque), written with zlib alone so that nothing outside the standard library is needed.
Edges are anti-aliased: each pixel's coverage is measured on 8 sub-rows with exact horizontal spans.
Run it from anywhere; it writes beside itself.
"""
import math
import os
import struct
import zlib

SIZE = 800
RING_RADIUS = 215.0
STAR_OUTER = 50.0
STAR_INNER = STAR_OUTER * 0.382  # the inner points of a regular five-pointed star
YELLOW = (255, 214, 0)
SUB_ROWS = 8


def star(cx, cy):
    """Corners of a five-pointed star standing upright, centred on (cx, cy)."""
    points = []
    for i in range(10):
        radius = STAR_OUTER if i % 2 == 0 else STAR_INNER
        angle = -math.pi / 2 + i * math.pi / 5
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def add_span(row, left, right, weight):
    """Adds weight times the covered part of [left, right) to each pixel of row."""
    left = max(left, 0.0)
    right = min(right, float(SIZE))
    if right <= left:
        return
    first, last = int(left), int(right)
    if first == last:
        row[first] += (right - left) * weight
        return
    row[first] += (first + 1 - left) * weight
    for x in range(first + 1, min(last, SIZE)):
        row[x] += weight
    if last < SIZE:
        row[last] += (right - last) * weight


def fill(coverage, polygon):
    ys = [p[1] for p in polygon]
    top, bottom = max(0, int(min(ys))), min(SIZE - 1, int(max(ys)) + 1)
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


def png(pixels_rgb_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in pixels_rgb_rows)
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    coverage = [[0.0] * SIZE for _ in range(SIZE)]
    centre = SIZE / 2
    for i in range(12):
        angle = -math.pi / 2 + i * 2 * math.pi / 12
        fill(coverage, star(centre + RING_RADIUS * math.cos(angle), centre + RING_RADIUS * math.sin(angle)))
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            c = min(1.0, coverage[y][x])
            row.extend(int(round(channel * c)) for channel in YELLOW)
            row.append(255)
        rows.append(row)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "stars.png")
    with open(out, "wb") as f:
        f.write(png(rows))


if __name__ == "__main__":
    main()
