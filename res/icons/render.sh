#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from tintwatch.svg (ImageMagick). The PNGs are
# committed, so building never needs this; run it after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  convert -background none -density $((size * 3 / 2)) tintwatch.svg -resize "${size}x${size}" \
    "PNG32:tintwatch-${size}.png"
done
