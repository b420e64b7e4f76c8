#!/usr/bin/env bash
# Times Encode onto the stand-in picture box under Wine against the same
# drawing done with GDI alone, and Quillant2 against Quillant1
# (bench/host_bench.cpp), in both builds where this machine runs 32-bit
# programs natively, else in the 64-bit one only (under QEMU's emulator the
# 32-bit figures would time the emulator, not Quillant):
#   bash bench/host_bench.sh [CALLS_PER_ROUND [ROUNDS]]
# Builds the presets first. Runs in a Wine prefix of its own, so that it can
# run beside a test run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine_hosts.sh
if [ "$(wine_32bit_route 2>/dev/null)" = native ]; then presets=(win32 win64); else presets=(win64); fi
unset DISPLAY
for preset in "${presets[@]}"; do
    bash scripts/build.sh "$preset" >/dev/null
    (
        bin=build/$preset/bin
        export WINEPREFIX="$PWD/build/$preset/wineprefix-bench" WINEARCH=$preset WINEDEBUG=-all \
            WINEDLLOVERRIDES=mscoree,mshtml=
        loader=$(wine_host_loader "$preset")
        [ -f "$WINEPREFIX/system.reg" ] || "$loader" wineboot -i >/dev/null 2>&1
        echo "host benchmark, $preset build"
        cd "$bin"
        "$loader" host_bench.exe "$@"
    )
done
