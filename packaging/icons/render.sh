#!/bin/sh
# Renders the PNG sizes of the icon from its SVG (needs rsvg-convert, Debian package librsvg2-bin).
set -e
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" org.example.velmar.userapp.svg -o "org.example.velmar.userapp-$size.png"
done
