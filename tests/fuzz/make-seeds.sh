#!/usr/bin/env bash
# Rewrites seeds/ from the damaged-picture corpus: every sound file and every hostile one,
# but not the cuts at many offsets, which the fuzzer makes by itself.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target damage_tests
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build/tests/damage_tests --write-corpus "$corpus"
rm -rf tests/fuzz/seeds
mkdir -p tests/fuzz/seeds
find "$corpus" -type f ! -name '*-cut-at-*' -size -8k -exec cp {} tests/fuzz/seeds/ \;
echo "$(ls tests/fuzz/seeds | wc -l) seeds, $(du -sh tests/fuzz/seeds | cut -f1)"
