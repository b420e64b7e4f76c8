#!/bin/sh
# shipping_label_test.sh WORKDIR SCRIPT GRADE_CROPS GRADER ZXING_READER WINE...
#
# Prints the demo's shipping label as scripts/demo.sh does, with the WINE
# command line of the test session, in WORKDIR; every symbol on it must
# grade A and read right in zbar and ZXing-C++.
set -eu
workdir=$1 script=$2 grade_crops=$3 grader=$4 reader=$5
shift 5
cd "$workdir"
rm -rf label.png crops
# cscript takes the script as a Windows path (a leading / reads as a switch).
"$@" cscript //nologo "Z:$(echo "$script" | tr / '\\')" label.png | tr -d '\r' >report.txt || true
grep -v '^crop' report.txt || true
if grep -q '^FAIL' report.txt || ! [ -s label.png ]; then
    echo "FAIL the shipping label was not printed"
    exit 1
fi
grep '^crop' report.txt | cut -f2- >crops.tsv
python3 "$grade_crops" crops.tsv "$grader" "$reader"
