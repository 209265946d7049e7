#!/usr/bin/env bash
# Redraws every picture under resources/: the button pictures, the program
# icon and the About picture. Needs Qt 6, ImageMagick and rsvg-convert
# (scripts/setup.sh --artwork). The output is the
# same on every run, so a clean "git status" after running it means the
# committed pictures match this drawing.
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S tools/artwork -B "$work/build" -G Ninja >/dev/null
cmake --build "$work/build" >/dev/null
QT_QPA_PLATFORM=offscreen "$work/build/draw-artwork" resources "$work"

# The About picture: a GIF87a (no transparency possible) with a
# 16-colour palette.
convert "$work/about.png" -background white -alpha remove -alpha off \
    +dither -colors 16 "GIF87:resources/pictures/about.gif"

# The larger icons, for software centres and application grids, come from
# the scalable one; the 16 and 32 pixel ones are drawn pixel by pixel above.
for size in 64 128 256; do
    rsvg-convert -w $size -h $size resources/icons/glyphorama.svg \
        -o resources/icons/glyphorama-$size.png
done

# A Windows build shows this icon for the executable.
convert resources/icons/glyphorama-16.png resources/icons/glyphorama-32.png \
    resources/icons/glyphorama.ico
