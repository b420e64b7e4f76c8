#!/bin/sh
# The renderer's boxes, painted by raster_symbol, read back by zbarimg: every
# orientation, target kind and indent must scan as the text it encodes.
# Usage: scan_test.sh RASTER_SYMBOL WORKDIR
set -eu
raster="$1"
work="$2"
mkdir -p "$work"
status=0
check() {  # check TEXT ORIENTATION PRINTER INDENTED
    name="$work/scan-$2-$3-$4-$(printf '%s' "$1" | tr -c 'A-Za-z0-9' '_')"
    "$raster" "$1" "$2" "$3" "$4" "$name.pgm"
    # A vertical symbol reads upward: turn it back clockwise to read it.
    if [ "$2" = 2 ]; then rotate=90; else rotate=0; fi
    convert "$name.pgm" -rotate "$rotate" "$name.png"
    got=$(zbarimg --quiet --raw -Sdisable -Scode128.enable "$name.png" 2>/dev/null || true)
    if [ "$got" = "$1" ]; then
        echo "ok   $1 (orientation $2, printer $3, indented $4)"
    else
        echo "FAIL $1 (orientation $2, printer $3, indented $4): read '$got'"
        status=1
    fi
}
for text in "AB" "EMPTY" "X123456Y" "Code 128 ~ {|} 0012345678"; do
    for orientation in 1 2; do
        for printer in 0 1; do
            check "$text" "$orientation" "$printer" 1
        done
    done
    check "$text" 1 0 0
done
exit $status
