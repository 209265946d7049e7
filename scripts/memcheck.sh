#!/usr/bin/env bash
# Opens every file of the damaged-picture corpus under valgrind memcheck: an uninitialised
# pixel reaching the text fails the run. Takes some minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --memcheck
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target damage_tests open_replay
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build/tests/damage_tests --write-corpus "$corpus"
cp tests/damage/found/* "$corpus"/
QT_LOGGING_RULES="qt.gui.imageio.jpeg=false" valgrind --tool=memcheck --error-exitcode=3 \
    --track-origins=yes build/tests/open_replay "$corpus" >build/memcheck-replay.txt
echo "memcheck: $(ls "$corpus" | wc -l) files, no errors"
