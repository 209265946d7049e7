#!/usr/bin/env bash
# The hardened checks, run after the normal tests: every test under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a fuzz run of the open path of a fixed seed and number of
# runs (scripts/fuzz.sh; FUZZ_SECONDS=N makes it a free search of N seconds instead).
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

# A fixed fuzz run over the seeds and the kept findings (scripts/fuzz.sh).
bash scripts/fuzz.sh
