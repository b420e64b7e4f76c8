#!/usr/bin/env bash
# The ZPL LabelCommands writes, printed by a renderer nobody here wrote
# (npm's zpl-renderer-js, tests/printing/zpl-renderer): each text of the
# table in all four turns, as a GS1 logistic label at 203 dpi. Every symbol
# must have exactly the modules the planner gives (the printer drew our code
# sets, shifts and FNC4s, not its own), modules of 4 dots, grade A, and read
# right in zbar and ZXing-C++.
#
#   zpl_render_test.sh PATTERN GRADER ZXING_READER WORK
#
# The texts keep clear of what this renderer gets wrong and a printer does
# not: it ignores >4 (Shift), takes >5 (Code C) after code set A or B as
# FNC4, and drops a last character that follows an invocation code. The
# native unit tests hold our spelling of those against the ZPL guide.
set -euo pipefail
pattern=$1 grader=$2 reader=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)
renderer=$here/zpl-renderer
if ! [ -f "$renderer/node_modules/zpl-renderer-js/package.json" ]; then
    echo "FAIL the ZPL renderer is not installed: run scripts/setup.sh (npm ci in $renderer)"
    exit 1
fi
rm -rf "$work" && mkdir -p "$work" && cd "$work"

# encoding, text, what ZXing reads (symbology identifier, \xNN beyond ASCII);
# at 4-dot modules a symbol of 15 values fits across the 4-inch label.
table=(
    "--full|Quillant 128|]C0Quillant 128"
    "--full|Café Noël!|]C0Caf\xE9 No\xEBl!"
    "--gs1|(10)AB12(21)XY7|]C110AB12\x1D21XY7"
    "--full|0123456789012345|]C00123456789012345"
)
# Quillant2's orientation, the turn's counter-clockwise degrees.
turns=("1 0" "2 90" "3 180" "4 270")

render_args=()
: >crops.tsv
n=0
for row in "${table[@]}"; do
    IFS='|' read -r encoding text expected <<<"$row"
    for turn in "${turns[@]}"; do
        read -r orientation degrees <<<"$turn"
        n=$((n + 1))
        "$pattern" "$encoding" --zpl "$orientation" "$text" >"label-$n.zpl"
        "$pattern" "$encoding" "$text" >"modules-$n.txt"
        echo "$encoding|$text|$expected|$orientation|$degrees" >"case-$n.txt"
        render_args+=("label-$n.zpl" "label-$n.png")
    done
done
node "$renderer/render.js" "${render_args[@]}"

failures=0
for i in $(seq "$n"); do
    IFS='|' read -r encoding text expected orientation degrees <"case-$i.txt"
    zpl_turn=$(sed -n 's/.*\^BC\(.\),.*/\1/p' "label-$i.zpl")
    if ! python3 "$here/label_picture.py" modules "label-$i.png" 4 "$zpl_turn" >"read-$i.txt"; then
        echo "FAIL $text, turn $orientation: $(cat "read-$i.txt")"
        failures=$((failures + 1))
        continue
    fi
    if [ "$(head -1 "read-$i.txt")" != "$(cat "modules-$i.txt")" ]; then
        echo "FAIL $text, turn $orientation: the printed modules differ from the planner's"
        echo "  printed $(head -1 "read-$i.txt")"
        echo "  planned $(cat "modules-$i.txt")"
        failures=$((failures + 1))
        continue
    fi
    # The symbol and its quiet zones: the inked area and 10 modules around it.
    read -r w h x y < <(convert "label-$i.png" -trim -format '%w %h %X %Y\n' info: | tr -d '+')
    x0=$((x > 40 ? x - 40 : 0)) y0=$((y > 40 ? y - 40 : 0))
    printf 'label-%d.png\t%d\t%d\t%d\t%d\t%s\tA\t%s\t%s, turn %s\n' "$i" "$x0" "$y0" $((w + x - x0 + 40)) \
        $((h + y - y0 + 40)) "$degrees" "$expected" "${text:0:24}" "$orientation" >>crops.tsv
done
python3 "$here/../../scripts/grade_crops.py" crops.tsv "$grader" "$reader" || failures=$((failures + 1))
if [ "$failures" -gt 0 ]; then
    echo "FAIL $failures checks of $n rendered labels"
    exit 1
fi
echo "PASS $n ZPL labels rendered with our modules, graded A and read"
