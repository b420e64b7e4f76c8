#!/usr/bin/env bash
# The main job: builds everything and shows what the encoder makes of a few texts.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for preset in native win32 win64; do
    echo "== build: $preset"
    bash scripts/build.sh "$preset" >/dev/null
done

tool=build/native/bin/quillant-pattern
echo
printf '%-16s %-6s %s\n' "text" "width" "symbol values / modules"
for text in "AB" "EMPTY" "12" "1234" "123" "X123456Y" "AB " "Hello, World!"; do
    printf '%-16s %-6s %s\n' "\"$text\"" "$("$tool" --width 20 "$text")" "$("$tool" --values "$text")"
    printf '%-16s %-6s %s\n' "" "" "$("$tool" "$text")"
done
