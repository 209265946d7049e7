#!/usr/bin/env bash
# Builds in release mode and prints the benchmark figures: the core's own
# timings, whole photos fitted beside libjpeg and the peers, then a batch of
# photos through the converter beside jp2a and chafa.
set -euo pipefail
cd "$(dirname "$0")/.."
# The peers (jp2a, chafa) and GNU time; a peer that cannot be installed is skipped.
bash scripts/setup.sh --bench || echo "note: the peers could not be installed; their figures are skipped"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLYPHORAMA_TESTS=OFF >/dev/null
cmake --build build-release --target glyph_bench art_bench view_bench glyphorama-convert
# The converter is timed fitting a photo too, once it has the option.
if build-release/cli/glyphorama-convert --help 2>/dev/null | grep -q -- '--fit'; then
    export GLYPH_FIT_CONVERTER=build-release/cli/glyphorama-convert
fi
QT_QPA_PLATFORM=offscreen build-release/bench/glyph_bench
# The whole picture against libjpeg's own decoding, through the converter.
QT_QPA_PLATFORM=offscreen build-release/bench/glyph_bench --floor-figures build-release/cli/glyphorama-convert
echo
QT_QPA_PLATFORM=offscreen build-release/bench/art_bench
echo
QT_QPA_PLATFORM=offscreen build-release/bench/view_bench

# Shape art scored against its pictures beside chafa, on the tuning set and the
# check set of bench/photos.txt, with the match's time.
cmake --build build-release --target shape_art
if /usr/bin/python3 -c 'import skimage' 2>/dev/null; then
    echo
    /usr/bin/python3 bench/shape_bench.py build-release --set both
    # Coloured art's cells against the picture's colours, and its structure.
    echo
    /usr/bin/python3 bench/colour_bench.py build-release
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count=200
build-release/bench/glyph_bench --make "$work" >/dev/null
mkdir "$work/batch"
# Links rather than copies: the same bytes under 200 names, without 3 GB of disk.
for i in $(seq 1 $count); do ln "$work/photo.jpg" "$work/batch/photo-$i.jpg"; done

# Prints "seconds peak-KB" of a command whose output is thrown away.
measure() {
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -n 1
    else
        local start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        echo "$(echo "$(date +%s.%N) - $start" | bc) ?"
    fi
}
per_picture_ms() { awk -v s="$1" -v n=$count 'BEGIN { printf "%.2f", s * 1000 / n }'; }

echo
echo "batch: $count copies of a 6000 x 4000 JPEG, one process each tool"
read -r ours ours_kb < <(measure build-release/cli/glyphorama-convert --output-dir "$work/out" "$work"/batch/*.jpg)
printf "%-40s %8s ms per picture   peak %s MB\n" "glyphorama-convert --output-dir" \
    "$(per_picture_ms "$ours")" "$((ours_kb / 1024))"
for peer in "jp2a --width=100" "chafa -s 100x100 --format symbols"; do
    command -v "${peer%% *}" >/dev/null || continue
    read -r secs kb < <(measure $peer "$work"/batch/*.jpg)
    ratio=$(awk -v a="$secs" -v b="$ours" 'BEGIN { printf "%.1f", a / b }')
    printf "%-40s %8s ms per picture   peak %s MB   (converter %s x faster)\n" "$peer" \
        "$(per_picture_ms "$secs")" "$((kb / 1024))" "$ratio"
done

echo
echo "ramps made for a font at 16 px: time, then the figures --make-ramp reports"
for font in IPAGothic "Noto Sans CJK JP" IPAMincho; do
    for mode in even --distinct; do
        flags=()
        [ "$mode" = even ] || flags=("$mode")
        start=$(date +%s.%N)
        build-release/cli/glyphorama-convert --make-ramp "${flags[@]}" --font "$font" --size 16 \
            -o "$work/ramp.txt" 2>"$work/ramp.log"
        secs=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
        printf "%s, %s: %s s\n" "$font" "$mode" "$secs"
        grep -v -e '^QStandardPaths' -e '^フォント' "$work/ramp.log" | sed 's/^/    /'
    done
    echo "    built-in ramp in the same font:"
    build-release/cli/glyphorama-convert --ramp-report --font "$font" --size 16 2>/dev/null |
        sed -n '3,6p' | sed 's/^/    /'
done
