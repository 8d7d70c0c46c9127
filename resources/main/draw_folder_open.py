#!/usr/bin/env python3
"""Draws folder_open.png: a 64 x 64 open folder (back with tab, a sheet, the front flap tilted open).

Plain python3 with zlib; run it from this folder to redraw the picture.
"""
import struct
import zlib

SIZE = 64
SAMPLES = 4  # per axis, for smooth edges

BACK = (214, 160, 42)
BACK_EDGE = (150, 104, 18)
SHEET = (250, 250, 246)
SHEET_EDGE = (170, 170, 160)
FRONT = (252, 204, 82)
FRONT_EDGE = (176, 124, 24)


def inside_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


# Shapes from back to front, each with a fill and an outline drawn as a slightly larger shape.
BACK_SHAPE = [(4, 12), (22, 12), (27, 17), (56, 17), (56, 52), (4, 52)]
SHEET_SHAPE = rect(10, 21, 52, 48)
FRONT_SHAPE = [(13, 28), (62, 28), (53, 54), (3, 54)]


def grown(points, amount):
    cx = sum(p[0] for p in points) / len(points)
    cy = sum(p[1] for p in points) / len(points)
    out = []
    for x, y in points:
        dx, dy = x - cx, y - cy
        length = (dx * dx + dy * dy) ** 0.5 or 1.0
        out.append((x + dx / length * amount, y + dy / length * amount))
    return out


LAYERS = [
    (grown(BACK_SHAPE, 1.2), BACK_EDGE),
    (BACK_SHAPE, BACK),
    (grown(SHEET_SHAPE, 1.0), SHEET_EDGE),
    (SHEET_SHAPE, SHEET),
    (grown(FRONT_SHAPE, 1.2), FRONT_EDGE),
    (FRONT_SHAPE, FRONT),
]


def pixel(px, py):
    r = g = b = a = 0.0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES
            y = py + (sy + 0.5) / SAMPLES
            colour = None
            for shape, fill in LAYERS:
                if inside_polygon(x, y, shape):
                    colour = fill
            if colour is not None:
                r += colour[0]
                g += colour[1]
                b += colour[2]
                a += 1
    if a == 0:
        return (0, 0, 0, 0)
    return (round(r / a), round(g / a), round(b / a), round(255 * a / SAMPLES ** 2))


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


if __name__ == "__main__":
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    with open("folder_open.png", "wb") as out:
        out.write(png(SIZE, SIZE, rows))
