#!/usr/bin/env bash
# Installs every package the build, the tests, the installers and the demo
# need on Debian 12: the printing tests' own CUPS scheduler with cups-pdf and
# poppler among them, and libcups for both Wines (winspool loads it).
# Safe to run again: it installs only what is missing.
set -euo pipefail

native_packages=(
  cmake g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
  zbar-tools imagemagick fonts-ocr-a python3 libzxing-dev libzint-dev libpng-dev
  cups printer-driver-cups-pdf poppler-utils libcups2
)
windows_packages=(
  mingw-w64 mingw-w64-tools libwine-dev wine wine64 wine32:i386 libcups2:i386 wixl msitools
)

missing=()
is_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

for p in "${native_packages[@]}" "${windows_packages[@]}"; do
  is_installed "$p" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
elif [ "${need_update:-0}" = 1 ]; then
  $SUDO apt-get update -qq
fi
echo "setup: all packages present"
