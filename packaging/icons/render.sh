#!/usr/bin/env bash
# Renders the programs' PNG icons from their SVGs (ImageMagick). Run after changing an SVG.
set -euo pipefail
cd "$(dirname "$0")"
for program in kinvora kelmaro; do
    for size in 48 128 256; do
        convert -background none -density 300 "$program.svg" -resize "${size}x${size}" \
            -strip "png32:${program}_${size}.png"
    done
done
