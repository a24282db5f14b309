#!/usr/bin/env bash
# Draws the window icon's pictures (data/icons/*.png) again from the scalable
# icon, after a change to it. The window takes these from its resources, so
# that it needs no SVG renderer at start-up. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
svg=$(ls data/*.svg)
for size in 16 32 48 64 128; do
  convert -background none -density 1200 "$svg" -resize "${size}x${size}" \
    -define png:exclude-chunks=date,time "data/icons/icon-$size.png"
done
