#!/usr/bin/env bash
# Renders the program's icon (data/io.github.kelmora.Kelmora.svg) to the PNG
# sizes the windows use (data/icons/N.png, compiled in as a Qt resource).
# The windows take PNGs rather than the SVG itself: drawing an SVG would load
# Qt's SVG library and icon plugin as the program starts.  Run it after
# changing the drawing; it needs rsvg-convert (Debian: librsvg2-bin), the
# build does not.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p data/icons
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" data/io.github.kelmora.Kelmora.svg -o "data/icons/$size.png"
done
