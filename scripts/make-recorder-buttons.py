#!/usr/bin/env python3
"""Draws the shortcut recorder's clear and reset buttons into resources/images.

RemoveBtn is a grey disc with a white cross, ResetBtn a grey disc with a white
left-turning arrow; "-hover" is darker and "-pressed" darker still. Each image is
drawn at 4x4 samples per pixel and written as an 8-bit RGBA PNG."""

import math
import struct
import sys
import zlib
from pathlib import Path

SIZE = 14
SAMPLES = 4
SHADES = {"": 0.60, "-hover": 0.45, "-pressed": 0.32}


def cross(x, y):
    c = SIZE / 2
    dx, dy = x - c, y - c
    return abs(abs(dx) - abs(dy)) < 1.0 and max(abs(dx), abs(dy)) < 3.2


def arrow(x, y):
    c = SIZE / 2
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy)
    angle = math.degrees(math.atan2(dy, dx)) % 360
    ring = 2.2 < r < 3.6 and not (200 < angle < 280)
    # The arrow head at the ring's open end, pointing up.
    hx, hy = x - (c - 2.9), y - (c - 1.0)
    head = hy <= 0.4 and abs(hx) <= (hy + 2.6) and hy >= -2.6
    return ring or head


def pixel(x, y, mark, shade):
    disc = mark_cover = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            px = x + (sx + 0.5) / SAMPLES
            py = y + (sy + 0.5) / SAMPLES
            if math.hypot(px - SIZE / 2, py - SIZE / 2) <= SIZE / 2 - 0.5:
                disc += 1
                if mark(px, py):
                    mark_cover += 1
    total = SAMPLES * SAMPLES
    alpha = disc / total
    if disc == 0:
        return (0, 0, 0, 0)
    white = mark_cover / disc
    grey = shade + (1.0 - shade) * white
    value = round(grey * 255)
    return (value, value, value, round(alpha * 255))


def png(pixels):
    rows = b"".join(b"\x00" + bytes(sum(row, ())) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "images"
    folder.mkdir(parents=True, exist_ok=True)
    for name, mark in (("RemoveBtn", cross), ("ResetBtn", arrow)):
        for suffix, shade in SHADES.items():
            pixels = [[pixel(x, y, mark, shade) for x in range(SIZE)] for y in range(SIZE)]
            (folder / f"{name}{suffix}.png").write_bytes(png(pixels))


if __name__ == "__main__":
    main()
