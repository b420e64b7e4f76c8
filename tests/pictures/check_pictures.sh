#!/bin/sh
# check_pictures.sh FOLDER GRADE_CROPS GRADER ZXING_READER
#
# The pictures the Wine test wrote into FOLDER: every SVG rendered by an
# independent renderer (librsvg's rsvg-convert), then every picture the
# listings name graded and read by zbar and ZXing-C++.
set -eu
folder=$1 grade_crops=$2 grader=$3 reader=$4
for svg in "$folder"/*.svg; do
    rsvg-convert --background-color=white "$svg" -o "$svg.png"
done
cat "$folder"/listing.tsv "$folder"/listing-picture.tsv "$folder"/listing-clipboard.tsv >"$folder/all.tsv"
python3 "$grade_crops" "$folder/all.tsv" "$grader" "$reader"
