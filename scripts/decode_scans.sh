#!/usr/bin/env bash
# decode_scans.sh SCANS PICTURES CROPS
#
# SCANS holds one line per barcode, tab-separated:
#   picture  left  top  width  height  text
# (a rectangle in the picture's pixels; width 0 means the whole picture).
# Each rectangle of PICTURES/picture is cut out into CROPS and decoded on its
# own with zbarimg, so that equal texts on one page are told apart. Prints
# every text next to what was decoded; exits 1 when any differs or when
# there is nothing to decode.
set -euo pipefail
scans=$1 pictures=$2 crops=$3
rm -rf "$crops"
mkdir -p "$crops"

printf '%-16s %-36s %-36s\n' picture text decoded
mismatches=0
n=0
while IFS=$'\t' read -r picture left top width height text; do
    n=$((n + 1))
    image="$pictures/$picture"
    if [ "$width" != 0 ]; then
        image="$crops/$n.png"
        convert "$pictures/$picture" -crop "${width}x${height}+${left}+${top}" +repage "$image"
    fi
    # zbarimg complains on standard error about the missing session bus.
    decoded=$(zbarimg --quiet --raw "$image" 2>/dev/null || true)
    verdict=ok
    if [ "$decoded" != "$text" ]; then
        verdict=MISMATCH
        mismatches=$((mismatches + 1))
    fi
    printf '%-16s %-36s %-36s %s\n' "$picture" "\"$text\"" "\"$decoded\"" "$verdict"
done <"$scans"

if [ "$n" -eq 0 ]; then
    echo "no barcodes to decode"
    exit 1
fi
if [ "$mismatches" -ne 0 ]; then
    echo "$mismatches of $n barcodes did not decode to their text"
    exit 1
fi
echo "$n of $n barcodes decode to their text"
