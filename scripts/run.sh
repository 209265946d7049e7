#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it, with any
# picture named (scripts/run.sh photo.jpg) opened.
set -euo pipefail
# Pictures named from where the script was started.
args=()
for arg in "$@"; do
    [[ $arg == -* || $arg == /* ]] || arg="$PWD/$arg"
    args+=("$arg")
done
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target Glyphorama
exec build/ui/Glyphorama "${args[@]}"
