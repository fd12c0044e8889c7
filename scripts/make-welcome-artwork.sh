#!/usr/bin/env bash
# Renders the welcome tour's artwork: the movie from the program's own loupe, encoded
# with FFmpeg as resources/Hi-Precision-Movie.mov, its first frame as
# resources/images/Hi-Precision-Movie.png (shown when the movie cannot play), and the
# theme previews resources/images/overlay-default_{light,dark}.png.
# usage: scripts/make-welcome-artwork.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j 3 --target vendrel_welcome_artwork
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
QT_QPA_PLATFORM=offscreen VENDREL_RESOURCES="$root/resources" \
  "$build/windows/vendrel_welcome_artwork" "$frames"
ffmpeg -loglevel error -y -framerate 25 -i "$frames/frame-%03d.png" \
  -c:v libx264 -pix_fmt yuv420p -crf 26 -preset veryslow -movflags +faststart \
  "$root/resources/Hi-Precision-Movie.mov"
cp "$frames/frame-000.png" "$root/resources/images/Hi-Precision-Movie.png"
cp "$frames"/overlay-default_*.png "$root/resources/images/"
ls -l "$root/resources/Hi-Precision-Movie.mov" "$root/resources/images/Hi-Precision-Movie.png" \
  "$root"/resources/images/overlay-default_*.png
