#!/usr/bin/env bash
# Renders the program's icon (planetarium.svg) into the PNG sizes the icon theme needs.
# Needs rsvg-convert (Debian package librsvg2-bin); run it after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" planetarium.svg -o "planetarium-$size.png"
done
