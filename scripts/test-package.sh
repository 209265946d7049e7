#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it for real: the
# menu entry, the AppStream file and lintian, then installs it with dpkg,
# runs the converter and the program from /usr, and removes it again. Needs
# root (the tests run as root on a fresh machine).
# Usage: scripts/test-package.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

rm -f "$build"/glyphorama_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/glyphorama_*_amd64.deb)
work=$(mktemp -d)
moji=/usr/lib/glyphorama/moji.txt
cleanup() {
    $sudo rm -f "$moji"
    dpkg-query -W glyphorama >/dev/null 2>&1 && $sudo dpkg -r glyphorama >/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "package: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/glyphorama.desktop"
appstreamcli validate --no-net "$work/root"/usr/share/metainfo/*.metainfo.xml >/dev/null
lintian --fail-on error,warning "$deb"

# A package left by an earlier run of this script is ours to replace.
dpkg-query -W glyphorama >/dev/null 2>&1 && $sudo dpkg -r glyphorama >/dev/null
$sudo dpkg -i "$deb" >/dev/null
installed=$(dpkg -L glyphorama)

picture=tests/golden/photo.bmp
/usr/bin/glyphorama-convert "$picture" >"$work/installed.txt"
"$build/cli/glyphorama-convert" "$picture" >"$work/built.txt"
cmp -s "$work/installed.txt" "$work/built.txt" || fail "the installed converter writes other text"

# The program starts from the menu's launcher and keeps running until stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/glyphorama "$picture" >"$work/program.log" 2>&1 ||
    status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status: $(cat "$work/program.log")"

# A moji.txt the user puts beside the program is read, and outlives the package.
for _ in $(seq 256); do printf '\x81\xa1\r\n'; done | $sudo tee "$moji" >/dev/null  # ■ in CP932
/usr/bin/glyphorama-convert "$picture" >"$work/moji.txt"
LC_ALL=C.UTF-8 grep -qv '^■*$' "$work/moji.txt" && fail "moji.txt beside the program is not read"
$sudo dpkg -r glyphorama >/dev/null
[ -f "$moji" ] || fail "removing the package removed the user's moji.txt"
while IFS= read -r path; do
    [ -d "$path" ] && continue
    [ -e "$path" ] || [ -L "$path" ] && fail "left behind: $path"
done <<<"$installed"
$sudo rm -f "$moji"
$sudo rmdir /usr/lib/glyphorama
echo "package: $(basename "$deb") validated, installed, run and removed"
