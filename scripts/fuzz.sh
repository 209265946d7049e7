#!/usr/bin/env bash
# Fuzzes the open path (block, whole picture, shapes) from the seeds and the kept findings.
#
# Without FUZZ_SECONDS: the test command's step, a fixed seed and a fixed number of runs, so
# that it passes or fails for a reason, the same every day. Twice, under libFuzzer's memory
# limits: with the fuzzer's bounds, and with bounds tightened further.
# With FUZZ_SECONDS=N: a free search of N seconds a run, from a random seed. The program's own
# bounds (FUZZ_BOUNDS=program, see tests/fuzz/OpenFuzzer.cpp) make a progressive JPEG take a
# minute under ASan, so they are for a free search by hand with a long -timeout.
#
# A file that crashes, leaks, runs over the timeout or the memory limits fails the run and is
# kept in build-fuzz/artifacts/; make it a case in tests/damage/found (see docs/developers.md).
set -euo pipefail
cd "$(dirname "$0")/.."

export CC=clang CXX=clang++
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Qt's hashes are seeded at random otherwise, and so would be the paths the fuzzer sees.
export QT_HASH_SEED=0

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLYPHORAMA_FUZZ=ON -DGLYPHORAMA_TESTS=OFF -DGLYPHORAMA_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j2 --target open_fuzzer

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/seeds/* tests/damage/found/* "$corpus"/
mkdir -p build-fuzz/artifacts

if [[ -n "${FUZZ_SECONDS:-}" ]]; then
    length=(-max_total_time="$FUZZ_SECONDS")
else
    length=(-seed=20240601 -runs="${FUZZ_RUNS:-800}")
fi

# name, the fuzzer's FUZZ_BOUNDS, then libFuzzer's limits.
run() {
    local name=$1 bounds=$2
    shift 2
    local log=build-fuzz/fuzz-$name.log
    if ! FUZZ_BOUNDS=$bounds build-fuzz/tests/fuzz/open_fuzzer "${length[@]}" "$@" \
        -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "$corpus" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz ($name): failed, see $log and build-fuzz/artifacts/" >&2
        exit 1
    fi
    echo "fuzz ($name): $(ls "$corpus" | wc -l) inputs in the corpus;" \
        "$(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs," \
        "$(sed -n 's/^stat::peak_rss_mb: *//p' "$log") MB at most"
}

# The fuzzer's bounds (a picture past 16 MB or 5 million block-scans is refused), and libFuzzer
# fails any allocation over 256 MB, which no bounded reader may ask for.
run tight "" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=256
# Bounds four times lower, so that more files are refused part way, under a lower limit.
run tighter tighter -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=64
