#!/usr/bin/env bash
# ImageBytes("png") under Wine (bench/image_bench.cpp) against libzint
# writing PNGs of the same texts natively (bench/zint_png_loop.cpp), taking
# turns in the same run, and ImageBytes on two threads against one. Each
# side times its own loop, after its start-up; each figure is the best of
# ROUNDS turns, since a shared machine slows single turns at random:
#   bash bench/images_vs_zint.sh [IMAGES [ROUNDS]]
# libzint allocates and frees a symbol's bitmap for every image, and glibc
# hands the top of its heap back to the system each time: where page faults
# are dear (seen: a virtual machine where they made libzint 3.4 times
# slower), that measures the machine, not libzint. So libzint is timed twice,
# as installed and with glibc keeping its heap, and the ratio is given
# against the faster of the two.
# Both widths where this machine runs 32-bit programs natively; under QEMU's
# emulator the 32-bit figures would time the emulator, and only the 64-bit
# build is timed.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine_hosts.sh
images=${1:-3000}
rounds=${2:-5}
presets=(win64)
[ "$(wine_32bit_route 2>/dev/null)" = native ] && presets+=(win32)
bash scripts/build.sh native >/dev/null
for preset in "${presets[@]}"; do
    bash scripts/build.sh "$preset" >/dev/null
    WINEPREFIX="$PWD/build/$preset/wineprefix-bench" WINEARCH=$preset WINEDEBUG=-all \
        bash -c '[ -f "$WINEPREFIX/system.reg" ] || "$1" wineboot -i >/dev/null 2>&1' _ "$(wine_host_loader "$preset")"
done
unset DISPLAY
folder=$(mktemp -d /dev/shm/zint-png.XXXXXX)
trap 'rm -rf "$folder"' EXIT

ours() {  # preset: the image benchmark's two lines
    (cd "build/$1/bin" && WINEPREFIX="$PWD/../wineprefix-bench" WINEARCH=$1 WINEDEBUG=-all \
        WINEDLLOVERRIDES=mscoree,mshtml= "$(wine_host_loader "$1")" image_bench.exe "$images" | tr -d '\r')
}
results=$(mktemp)
trap 'rm -rf "$folder" "$results"' EXIT
for ((round = 1; round <= rounds; round++)); do
    echo "zint-installed $(build/native/bin/zint_png_loop "$folder" "$images" | awk '{print $3}')" >>"$results"
    echo "zint-kept $(GLIBC_TUNABLES=glibc.malloc.trim_threshold=268435456:glibc.malloc.top_pad=16777216 \
        build/native/bin/zint_png_loop "$folder" "$images" | awk '{print $3}')" >>"$results"
    for preset in "${presets[@]}"; do
        ours "$preset" | awk -v p="$preset" '/1 thread/ {print p "-1", $4} /2 threads/ {print p "-2", $4}' >>"$results"
    done
done
best() { awk -v k="$1" '$1 == k && $2 > b {b = $2} END {print b + 0}' "$results"; }
zint=$(best zint-installed)
kept=$(best zint-kept)
echo "best of $rounds turns, $images images each"
printf '%-44s %8d images/s\n' "libzint PNG (as installed)" "$zint" "libzint PNG (glibc keeping its heap)" "$kept"
[ "$kept" -gt "$zint" ] && zint=$kept
for preset in "${presets[@]}"; do
    one=$(best "$preset-1")
    two=$(best "$preset-2")
    width=$([ "$preset" = win32 ] && echo 32 || echo 64)
    printf '%-44s %8d images/s  %.2fx libzint\n' "ImageBytes(\"png\"), $width-bit, 1 thread" "$one" \
        "$(awk -v a="$one" -v b="$zint" 'BEGIN {print a / b}')"
    printf '%-44s %8d images/s  %.2fx one thread\n' "ImageBytes(\"png\"), $width-bit, 2 threads" "$two" \
        "$(awk -v a="$two" -v b="$one" 'BEGIN {print a / b}')"
done
[ "${#presets[@]}" -eq 2 ] || echo "32-bit: not timed, this kernel runs 32-bit programs only under QEMU's emulator"
