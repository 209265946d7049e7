#!/usr/bin/env bash
# Installs whatever Debian packages are missing. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libgl-dev libcups2-dev
    libgtest-dev libjpeg-dev libpng-dev libtiff-dev libfontconfig-dev qt6-image-formats-plugins
    fonts-noto-cjk fonts-ipafont-gothic fonts-ipafont-mincho qt6-translations-l10n
)
if [ "${1:-}" = "--tests" ]; then
    packages+=(cups cups-client printer-driver-cups-pdf poppler-utils python3 libjpeg-turbo-progs
               clang libclang-rt-14-dev lintian desktop-file-utils appstream dpkg-dev
               chromium)
fi
# The peers bench/run.sh measures against, GNU time for their peak memory,
# what bench/shape_bench.py scores art with, and the photos it scores
# (bench/photos.txt): the tuning set from the Python packages, the check set
# from the desktops' wallpapers.
if [ "${1:-}" = "--bench" ]; then
    packages+=(chafa jp2a time python3-skimage python3-pil python3-numpy python3-scipy
               python3-sklearn lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 mate-backgrounds
               plasma-workspace-wallpapers)
fi
# What tools/artwork/make-artwork.sh draws the pictures with, and the virtual
# screen tools/take-screenshot.sh takes the window on.
if [ "${1:-}" = "--artwork" ]; then
    packages+=(imagemagick librsvg2-bin xvfb openbox xdotool chromium python3-skimage)
fi
if [ "${1:-}" = "--memcheck" ]; then
    packages+=(valgrind)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
