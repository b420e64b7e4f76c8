#!/bin/sh
# demo_test.sh WORKDIR DEMO_SCRIPT DECODE_SCANS WINE...
#
# Runs the demo host script as scripts/demo.sh does, with the WINE command
# line (environment and loader) of the test session, in WORKDIR, and
# decodes every barcode it reports.
set -eu
workdir=$1 script=$2 decode=$3
shift 3
cd "$workdir"
rm -f page.png page.emf picture.png
# cscript takes the script as a Windows path (a leading / reads as a switch).
"$@" cscript //nologo "Z:$(echo "$script" | tr / '\\')" | tr -d '\r' >report.txt || true
grep -v '^scan' report.txt || true
if grep -q '^FAIL' report.txt || ! [ -s page.emf ]; then
    echo "FAIL the demo script did not finish its pictures"
    exit 1
fi
grep '^scan' report.txt | cut -f2- >scans.tsv
bash "$decode" scans.tsv . crops
echo "PASS every barcode of the demo decodes"
