#!/bin/sh
# expect_scan.sh IMAGE TEXT...: the image holds exactly these barcodes, in
# any order.
set -eu
image=$1
shift
# zbarimg complains on standard error about the missing session bus.
found=$(zbarimg --quiet --raw "$image" 2>/dev/null | sort || true)
expected=$(printf '%s\n' "$@" | sort)
if [ "$found" = "$expected" ]; then
    echo "PASS $image reads:" $found
else
    echo "FAIL $image reads '$found', expected '$expected'"
    exit 1
fi
