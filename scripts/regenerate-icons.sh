#!/usr/bin/env bash
# Draws the PNG sizes of packaging/icons/brivo.svg (rsvg-convert, from
# Debian's librsvg2-bin); the PNGs are committed, so builds need no tool.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" brivo.svg -o "${size}x${size}/brivo.png"
done
