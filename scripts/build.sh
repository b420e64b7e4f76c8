#!/usr/bin/env bash
# Configures and builds one CMake preset: scripts/build.sh PRESET
set -euo pipefail
cd "$(dirname "$0")/.."
preset="$1"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
