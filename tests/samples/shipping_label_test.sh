#!/bin/sh
# shipping_label_test.sh WORKDIR SCRIPT GRADE_CROPS GRADER ZXING_READER WINE...
#
# Prints the demo's shipping label as scripts/demo.sh does, with the WINE
# command line of the test session, in WORKDIR; every symbol on it must
# grade A, read right in zbar and ZXing-C++ and measure within GS1's sizes
# for logistic labels. The label's ZPL (label.zpl, from LabelCommands),
# rendered by the independent ZPL renderer, must do the same.
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
printing=$(dirname "$grade_crops")/../tests/printing
status=0
python3 "$grade_crops" crops.tsv "$grader" "$reader" || status=1
python3 "$printing/label_picture.py" sizes crops.tsv 203 || status=1
echo "== label.zpl, rendered by zpl-renderer-js"
rm -f label-zpl-native.png
node "$printing/zpl-renderer/render.js" label.zpl label-zpl-native.png || status=1
sed 's/^label\.png	/label-zpl-native.png	/' crops.tsv >crops-zpl.tsv
python3 "$grade_crops" crops-zpl.tsv "$grader" "$reader" || status=1
python3 "$printing/label_picture.py" sizes crops-zpl.tsv 203 || status=1
exit $status
