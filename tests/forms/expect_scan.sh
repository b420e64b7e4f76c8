#!/bin/sh
# expect_scan.sh IMAGE TEXT: the image holds one barcode and it reads TEXT.
set -eu
found=$(zbarimg --quiet --raw "$1")
if [ "$found" = "$2" ]; then
    echo "PASS $1 reads '$found'"
else
    echo "FAIL $1 reads '$found', expected '$2'"
    exit 1
fi
