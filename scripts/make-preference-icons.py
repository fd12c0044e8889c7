#!/usr/bin/env python3
"""Draws the preferences toolbar images into resources/images.

"General" is a cog, "Appearance" a magnifying glass and "Code Style" a pair of angle
brackets, in dark grey on a clear ground. Each image is drawn at 4x4 samples per pixel
and written as an 8-bit RGBA PNG."""

import importlib.util
import math
import sys
from pathlib import Path

SIZE = 32
SAMPLES = 4
GREY = 80
HERE = Path(__file__).resolve().parent


def recorder_buttons():
    # The PNG writer of the recorder buttons' script serves here too.
    button_source = importlib.util.spec_from_file_location("buttons", HERE / "make-recorder-buttons.py")
    module = importlib.util.module_from_spec(button_source)
    button_source.loader.exec_module(module)
    module.SIZE = SIZE
    return module


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def cog(x, y):
    dx, dy = x - 16, y - 16
    r = math.hypot(dx, dy)
    tooth = (math.degrees(math.atan2(dy, dx)) % 45) < 20
    return 5 < r < 10.5 or (tooth and 10 <= r < 14)


def glass(x, y):
    ring = 6.5 < math.hypot(x - 13, y - 13) < 9.5
    return ring or segment_distance(x, y, 19.5, 19.5, 27, 27) < 2.0


def brackets(x, y):
    strokes = ((13, 7, 5, 16), (5, 16, 13, 25), (19, 7, 27, 16), (27, 16, 19, 25))
    return any(segment_distance(x, y, *stroke) < 1.6 for stroke in strokes)


def pixel(x, y, mark):
    covered = sum(
        mark(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES) for sy in range(SAMPLES) for sx in range(SAMPLES)
    )
    return (GREY, GREY, GREY, round(255 * covered / (SAMPLES * SAMPLES)))


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else HERE.parent / "resources" / "images"
    folder.mkdir(parents=True, exist_ok=True)
    writer = recorder_buttons()
    for name, mark in (("General", cog), ("Appearance", glass), ("Code Style", brackets)):
        pixels = [[pixel(x, y, mark) for x in range(SIZE)] for y in range(SIZE)]
        (folder / f"{name}.png").write_bytes(writer.png(pixels))


if __name__ == "__main__":
    main()
