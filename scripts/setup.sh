#!/usr/bin/env bash
# Installs every package the build, the tests, the installers and the demo
# need on Debian 12: the printing tests' own CUPS scheduler with cups-pdf and
# poppler among them, and libcups for both Wines (winspool loads it).
# Where the kernel refuses 32-bit programs, QEMU's user-mode emulator
# (qemu-user 10, from the backports suite of the machine's own Debian mirror)
# runs the 32-bit Wine instead (scripts/wine32).
# Safe to run again: it installs only what is missing.
set -euo pipefail

native_packages=(
  cmake g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
  zbar-tools imagemagick fonts-ocr-a fonts-dejavu-core python3 libzxing-dev libzint-dev libpng-dev librsvg2-bin
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

# A mirror caught in its sync serves an index whose size does not match its
# Release file for a minute or two; wait it out rather than fail the run. If
# it never settles, go on with the indexes that did arrive: an install that
# then lacks a package still fails, and says which.
indexes_incomplete=0
refresh_indexes() {
  local attempt
  for attempt in 1 2 3 4 5; do
    if $SUDO apt-get update -qq; then return 0; fi
    echo "setup: apt-get update failed (attempt $attempt of 5); trying again in 30 s" >&2
    sleep 30
  done
  echo "setup: going on with the package indexes that could be fetched" >&2
  indexes_incomplete=1
}

# A 32-bit library must be the very version of its 64-bit twin. When one
# architecture's security index is missing, the security release offers a
# version for one architecture only and the install cannot be solved; the
# point release's indexes arrived for both, so its versions match.
install_packages() {
  if $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null; then return 0; fi
  [ "$indexes_incomplete" = 1 ] || return 1
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "setup: installing again from Debian $codename's point release, which every architecture's index holds" >&2
  $SUDO apt-get install -y -qq --no-install-recommends -t "$codename" "$@" >/dev/null
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

for p in "${native_packages[@]}" "${windows_packages[@]}"; do
  is_installed "$p" || missing+=("$p")
done
# Node runs the independent ZPL renderer of the tests; a machine may have its
# own Node from elsewhere, which serves as well.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  missing+=(nodejs npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  refresh_indexes
  install_packages "${missing[@]}"
elif [ "${need_update:-0}" = 1 ]; then
  refresh_indexes
fi
# The 32-bit Wine: natively where the kernel runs 32-bit programs (libc6:i386
# came with wine32), else through qemu 10 or later; bookworm's own qemu 7.2
# takes minutes to start each Wine process.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1 && ! bash "$(dirname "$0")/wine32" --route >/dev/null 2>&1; then
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    # The mirror the machine already uses for its Debian suite.
    mirror=$(apt-get indextargets --format '$(SITE) $(RELEASE)' 'Created-By: Packages' 2>/dev/null |
             awk -v suite="$codename" '$2 == suite { print $1; exit }')
    if [ -z "$mirror" ]; then
        echo "setup: this kernel refuses 32-bit programs, and no apt source for Debian $codename was found to take qemu-user from $codename-backports" >&2
        exit 1
    fi
    list=/etc/apt/sources.list.d/quillant-backports.list
    if ! grep -qs "$codename-backports" "$list"; then
        echo "deb $mirror $codename-backports main" | $SUDO tee "$list" >/dev/null
    fi
    echo "setup: this kernel refuses 32-bit programs: installing qemu-user from $codename-backports for the 32-bit Wine"
    export DEBIAN_FRONTEND=noninteractive
    refresh_indexes
    $SUDO apt-get install -y -qq --no-install-recommends -t "$codename-backports" qemu-user >/dev/null
    bash "$(dirname "$0")/wine32" --route >/dev/null
fi
# The ZPL renderer, at the version its lockfile names.
renderer=$(cd "$(dirname "$0")/../tests/printing/zpl-renderer" && pwd)
if ! [ -f "$renderer/node_modules/zpl-renderer-js/package.json" ]; then
  echo "setup: installing the ZPL renderer of the tests (npm ci in $renderer)"
  (cd "$renderer" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
echo "setup: all packages present"
