#!/usr/bin/env bash
# ImageBytes("png") under Wine (bench/image_bench.cpp) against libzint
# writing PNGs of the same texts natively (bench/zint_png_loop.cpp), one
# after the other in the same run, and ImageBytes on two threads against
# one. Each side times its own loop, after its start-up:
#   bash bench/images_vs_zint.sh [IMAGES]
# libzint allocates and frees a symbol's bitmap for every image, and glibc
# hands the top of its heap back to the system each time: where page faults
# are dear (seen: a virtual machine where they made libzint 3.4 times
# slower), that measures the machine, not libzint. So libzint is timed twice,
# as installed and with glibc keeping its heap, and the ratio is given
# against the faster of the two.
# Uses the 64-bit build (the 32-bit Wine may run under an emulator here).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine_hosts.sh
images=${1:-2000}
bash scripts/build.sh native >/dev/null
bash scripts/build.sh win64 >/dev/null
export WINEPREFIX="$PWD/build/win64/wineprefix-bench" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
unset DISPLAY
loader=$(wine_host_loader win64)
[ -f "$WINEPREFIX/system.reg" ] || "$loader" wineboot -i >/dev/null 2>&1
folder=$(mktemp -d /dev/shm/zint-png.XXXXXX)
trap 'rm -rf "$folder"' EXIT
zint_as_installed=$(build/native/bin/zint_png_loop "$folder" "$images")
zint=$(GLIBC_TUNABLES=glibc.malloc.trim_threshold=268435456:glibc.malloc.top_pad=16777216 \
    build/native/bin/zint_png_loop "$folder" "$images")
ours=$(cd build/win64/bin && "$loader" image_bench.exe "$images" | tr -d '\r')
echo "$zint_as_installed  (as installed)"
echo "$zint  (heap kept)"
echo "$ours"
z=$(printf '%s\n%s\n' "$zint_as_installed" "$zint" | awk '$3 > best {best = $3} END {print best}')
one=$(echo "$ours" | awk '/1 thread/ {print $4}')
echo "ImageBytes(\"png\") / libzint PNG (the faster): $(awk -v a="$one" -v b="$z" 'BEGIN {printf "%.2fx", a / b}')"
