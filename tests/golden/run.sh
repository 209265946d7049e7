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
while read -r name picture rest; do
    case "$name" in '' | '#'*) continue ;; esac
    # After the picture: the steps, and converter options, each starting with --.
    steps=
    options=()
    for field in $rest; do
        case "$field" in --*) options+=("$field") ;; *) steps=$field ;; esac
    done
    "$convert" "${options[@]}" --steps="$steps" "$golden/$picture" >"$actual"
    if [ "$rewrite" = --rewrite ]; then
        cp "$actual" "$golden/$name.txt"
    elif ! cmp -s "$actual" "$golden/$name.txt"; then
        echo "$name: the converter's text differs from $name.txt"
        failed=1
    fi
done <"$golden/cases.txt"
exit $failed
