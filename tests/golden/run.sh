#!/usr/bin/env bash
# Converts every picture of cases.txt and compares the text with NAME.txt.
# When a change of the text is intended, rewrite the expected files with
#   tests/golden/run.sh build/cli/glyphorama-convert tests/golden --rewrite
# review the diff, and run ctest: check.py must still agree with each file.
set -euo pipefail
convert=$1
golden=$2
rewrite=${3:-}
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
failed=0
while read -r name picture steps; do
    case "$name" in '' | '#'*) continue ;; esac
    "$convert" --steps="${steps:-}" "$golden/$picture" >"$actual"
    if [ "$rewrite" = --rewrite ]; then
        cp "$actual" "$golden/$name.txt"
    elif ! cmp -s "$actual" "$golden/$name.txt"; then
        echo "$name: the converter's text differs from $name.txt"
        failed=1
    fi
done <"$golden/cases.txt"
exit $failed
