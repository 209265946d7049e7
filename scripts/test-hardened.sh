#!/usr/bin/env bash
# The hardened checks, run after the normal tests: every test under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short fuzz run of the open path from its seeds.
# FUZZ_SECONDS sets the length of the fuzz run (60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests

export CC=clang CXX=clang++
export QT_QPA_PLATFORM=offscreen
# Leaks are errors too: the tests run clean without suppressions.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLYPHORAMA_SANITIZE=ON -DGLYPHORAMA_BENCH=OFF >/dev/null
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLYPHORAMA_FUZZ=ON -DGLYPHORAMA_TESTS=OFF -DGLYPHORAMA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target open_fuzzer
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/seeds/* "$corpus"/
mkdir -p build-fuzz/artifacts
# A file that crashes, leaks, runs over 2 s or over the memory limits fails the run and is
# kept in build-fuzz/artifacts/.
if ! build-fuzz/tests/fuzz/open_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -timeout=2 \
    -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ "$corpus" >build-fuzz/fuzz.log 2>&1; then
    tail -n 60 build-fuzz/fuzz.log
    exit 1
fi
grep '^stat::' build-fuzz/fuzz.log
