#!/usr/bin/env bash
# Times Encode onto the stand-in picture box under Wine against the same
# drawing done with GDI alone (bench/host_bench.cpp), in the 32-bit build:
#   bash bench/host_bench.sh [CALLS_PER_ROUND [ROUNDS]]
# Builds the win32 preset first. Runs in a Wine prefix of its own, so that it
# can run beside a test run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh win32 >/dev/null
bin=build/win32/bin
export WINEPREFIX="$PWD/build/win32/wineprefix-bench" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
unset DISPLAY
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
cd "$bin"
wine host_bench.exe "$@"
