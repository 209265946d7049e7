#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it for real: the
# menu entry, the AppStream file and lintian, then installs it with dpkg,
# runs the converter and the program from /usr, and removes it again. Needs
# root (the tests run as root on a fresh machine).
#
# The machine is left as it was found: a moji.txt the user put in
# /usr/lib/glyphorama is moved aside and put back byte for byte, and a
# glyphorama package installed before is put back from apt's cache (the
# script refuses to run when that package's file is not there).
# Usage: scripts/test-package.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

fail() { echo "package: $*" >&2; exit 1; }

folder=/usr/lib/glyphorama
moji=$folder/moji.txt
before=""
if dpkg-query -W -f='${db:Status-Status}' glyphorama 2>/dev/null | grep -qx installed; then
    version=$(dpkg-query -W -f='${Version}_${Architecture}' glyphorama)
    before=$(ls /var/cache/apt/archives/glyphorama_"${version/:/%3a}".deb 2>/dev/null || true)
    [ -n "$before" ] || fail "glyphorama $version is installed and its package file is not in \
/var/cache/apt/archives, so it could not be put back; remove it (apt remove glyphorama) and run again"
fi

rm -f "$build"/glyphorama_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/glyphorama_*_amd64.deb)
work=$(mktemp -d)
had_folder=""
[ -d "$folder" ] && had_folder=1
if [ -e "$moji" ]; then
    $sudo mv "$moji" "$work/users-moji.txt"
fi
cleanup() {
    $sudo rm -f "$moji"
    if dpkg-query -W -f='${db:Status-Status}' glyphorama 2>/dev/null | grep -qx installed; then
        $sudo dpkg -r glyphorama >/dev/null
    fi
    [ -z "$before" ] || $sudo dpkg -i "$before" >/dev/null
    if [ -e "$work/users-moji.txt" ]; then
        $sudo mkdir -p "$folder"
        $sudo mv "$work/users-moji.txt" "$moji"
    elif [ -z "$had_folder" ] && [ -z "$before" ]; then
        $sudo rmdir "$folder" 2>/dev/null || true
    fi
    $sudo rm -rf "$work"
}
trap cleanup EXIT

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/glyphorama.desktop"
appstreamcli validate --no-net "$work/root"/usr/share/metainfo/*.metainfo.xml >/dev/null
lintian --fail-on error,warning "$deb"

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
echo "package: $(basename "$deb") validated, installed, run and removed"
