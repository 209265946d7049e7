#!/usr/bin/env bash
# Takes docs/screenshot.png: the program on a virtual screen with a picture
# opened, auto-levelled and one step brighter (ImageMagick's built-in "rose:"
# sample); then docs/screenshot-zoomed.png: a block moved over a larger
# picture ("logo:"), the text zoomed out to show the whole art; then
# docs/screenshot-whole.png: a photo whole (Ctrl+2; scikit-image's cat where
# python3-skimage is installed, else the same picture), fitted in the text box
# and in its ink and paper colours (Ctrl+Shift+C). Needs a built program and
# scripts/setup.sh --artwork. The program starts with no kept choices.
# Usage: tools/take-screenshot.sh [PROGRAM]   (default build/ui/Glyphorama)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/ui/Glyphorama}")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config"

# A screen of its own at 96 dpi, with a window manager for the title bars.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# Places the window, takes it and writes docs/NAME.png with fewer colours and
# no dithering: a third of the size, no visible change.
shoot() {
    xdotool windowsize "$window" 900 600
    xdotool windowmove "$window" 20 20
    xdotool mousemove 1270 1010
    sleep 1.5
    mkdir -p docs
    import -window "$window" -frame "$work/$1.png"
    convert "$work/$1.png" +dither -colors 128 -strip "docs/$1.png"
    echo "docs/$1.png written"
}

convert rose: -type TrueColor "BMP3:$work/rose.bmp"
"$program" >"$work/program.log" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name '^Glyphorama$' | head -1)
xdotool windowactivate --sync "$window"

# Open the picture through the file dialog, then two adjustment steps.
xdotool key ctrl+o
sleep 1.5
xdotool type --delay 20 "$work/rose.bmp"
xdotool key Return
sleep 2
xdotool key ctrl+l
sleep 1
xdotool key F11
sleep 1

shoot screenshot
kill "${pids[-1]}"
sleep 1

# The wizard's face lies some 380 pixels right of the picture's left edge and
# 160 below its top. One-pixel steps move the block there: openbox keeps
# Alt+Shift+arrows for itself.
convert logo: "$work/logo.png"
"$program" "$work/logo.png" >"$work/program-zoomed.log" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name '^Glyphorama$' | head -1)
xdotool windowactivate --sync "$window"
sleep 1
xdotool key --delay 5 --repeat 380 alt+Right
xdotool key --delay 5 --repeat 160 alt+Down
sleep 1
xdotool key ctrl+l
for _ in $(seq 12); do xdotool key ctrl+minus; done
shoot screenshot-zoomed
kill "${pids[-1]}"
sleep 1

whole="$work/logo.png"
if /usr/bin/python3 -c 'import skimage' 2>/dev/null; then
    /usr/bin/python3 -c 'import sys; from PIL import Image; from skimage import data
Image.fromarray(data.chelsea()).save(sys.argv[1])' "$work/cat.png" && whole="$work/cat.png"
fi
"$program" "$whole" >"$work/program-whole.log" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name '^Glyphorama$' | head -1)
xdotool windowactivate --sync "$window"
sleep 1
xdotool key ctrl+2
sleep 2
xdotool key ctrl+shift+c
shoot screenshot-whole
