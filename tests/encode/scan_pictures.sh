#!/bin/sh
# scan_pictures.sh DIR: every picture listed in DIR/expected.txt ("file|text")
# holds one barcode that reads text.
set -u
dir="$1"
[ -s "$dir/expected.txt" ] || { echo "FAIL no pictures listed in $dir/expected.txt"; exit 1; }
failed=0
count=0
tr -d '\r' < "$dir/expected.txt" | {
    while IFS='|' read -r file text; do
        count=$((count + 1))
        found=$(zbarimg --quiet --raw "$dir/$file" 2>/dev/null)
        if [ "$found" != "$text" ]; then
            echo "FAIL $file reads '$found', expected '$text'"
            failed=$((failed + 1))
        fi
    done
    if [ "$failed" -eq 0 ]; then echo "PASS $count pictures scan"; else exit 1; fi
}
