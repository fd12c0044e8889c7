#!/usr/bin/env bash
# Draws the colours-and-formats panel's images into resources/images: the format group
# badges, the navigation and search glyphs, the swatch stars and the list switches.
# usage: scripts/make-overlay-artwork.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j 3 --target vendrel_overlay_artwork
QT_QPA_PLATFORM=offscreen "$build/overlay/vendrel_overlay_artwork" "$root/resources/images"
