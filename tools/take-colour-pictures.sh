#!/usr/bin/env bash
# Writes docs/colour-art.png, the converter's coloured PNG of a picture, and
# docs/colour-page.png, headless Chromium's view of the coloured HTML page of
# the same art. Needs a built converter (build/cli/glyphorama-convert),
# ImageMagick (its built-in sample photo, and fewer colours for the README)
# and chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
convert_art=build/cli/glyphorama-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

photo=/usr/lib/python3/dist-packages/skimage/data/astronaut.png
art=(--fit --width=64 --color --font=IPAGothic --size=10 "$photo")
"$convert_art" --format=png -o "$work/art.png" "${art[@]}"
"$convert_art" --format=html -o "$work/art.html" "${art[@]}"
size=$(identify -format '%w,%h' "$work/art.png")
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
    --user-data-dir="$work/profile" --window-size="$size" --screenshot="$work/page.png" \
    "file://$work/art.html" >/dev/null 2>&1
convert "$work/art.png" +dither -colors 128 -strip docs/colour-art.png
convert "$work/page.png" +dither -colors 128 -strip docs/colour-page.png
echo "docs/colour-art.png and docs/colour-page.png written"
