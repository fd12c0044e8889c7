#!/usr/bin/env python3
"""Draws the program's icon into resources/icons, in the freedesktop icon theme layout
(hicolor/<size>x<size>/apps/vendrel.png).

A loupe: a dark ring around four colour swatches, with a handle towards the lower
right. Each size is drawn at 4x4 samples per pixel and written as an 8-bit RGBA PNG."""

import importlib.util
import math
import sys
from pathlib import Path

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
SAMPLES = 4
HERE = Path(__file__).resolve().parent

INK = (43, 43, 48)
SWATCHES = ((240, 104, 84), (250, 196, 64), (42, 176, 168), (124, 92, 204))
GAP = (250, 250, 250)
CENTRE = 0.42
LENS = 0.29
RING = 0.37
HANDLE = ((0.68, 0.68), (0.88, 0.88), 0.075)


def preference_icons():
    # The preference images' script brings the geometry and the PNG writer.
    source = importlib.util.spec_from_file_location("icons", HERE / "make-preference-icons.py")
    module = importlib.util.module_from_spec(source)
    source.loader.exec_module(module)
    return module


ICONS = preference_icons()


def sample(x, y):
    """The colour at a point of the unit square, or None where the icon is clear."""
    dx, dy = x - CENTRE, y - CENTRE
    r = math.hypot(dx, dy)
    if r < LENS:
        if min(abs(dx), abs(dy)) < 0.018:
            return GAP
        return SWATCHES[(dx > 0) + 2 * (dy > 0)]
    if r < RING:
        return INK
    (ax, ay), (bx, by), width = HANDLE
    if ICONS.segment_distance(x, y, ax, ay, bx, by) < width:
        return INK
    return None


def pixel(x, y, size):
    red = green = blue = covered = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = sample((x + (sx + 0.5) / SAMPLES) / size, (y + (sy + 0.5) / SAMPLES) / size)
            if colour:
                red, green, blue, covered = red + colour[0], green + colour[1], blue + colour[2], covered + 1
    if not covered:
        return (0, 0, 0, 0)
    return (round(red / covered), round(green / covered), round(blue / covered),
            round(255 * covered / (SAMPLES * SAMPLES)))


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else HERE.parent / "resources" / "icons"
    writer = ICONS.recorder_buttons()
    for size in SIZES:
        folder = root / "hicolor" / f"{size}x{size}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        writer.SIZE = size
        pixels = [[pixel(x, y, size) for x in range(size)] for y in range(size)]
        (folder / "vendrel.png").write_bytes(writer.png(pixels))


if __name__ == "__main__":
    main()
