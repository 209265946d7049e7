#!/usr/bin/env bash
# Builds in release mode and prints the benchmark figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLYPHORAMA_TESTS=OFF >/dev/null
cmake --build build-release --target glyph_bench
QT_QPA_PLATFORM=offscreen build-release/bench/glyph_bench
