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
# The texts are the built-in ramp's. Reduced art would otherwise take a ramp
# measured from the fonts at hand, so it is given the built-in one as a file
# (UTF-8, one line of comma-separated entries, as CharRamp.cpp holds them),
# and no moji.txt or kept ramp of the user's is read.
builtin=$(mktemp)
home=$(mktemp -d)
trap 'rm -rf "$actual" "$builtin" "$home"' EXIT
export XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
python3 - "$golden/../../engine/CharRamp.cpp" "$builtin" <<'PY'
import re, sys
literal = "".join(re.findall(r'u"([^"]*)"', open(sys.argv[1], encoding="utf-8").read()))
open(sys.argv[2], "w", encoding="utf-8").write("\ufeff" + literal + "\r\n")
PY
failed=0
while read -r name picture rest; do
    case "$name" in '' | '#'*) continue ;; esac
    # After the picture: the steps, and converter options, each starting with --.
    steps=
    options=()
    for field in $rest; do
        case "$field" in --*) options+=("$field") ;; *) steps=$field ;; esac
        case "$field" in --fit | --crop=*) options+=("--ramp=$builtin") ;; esac
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
