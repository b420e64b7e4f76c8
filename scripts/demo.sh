#!/usr/bin/env bash
# The main job: builds Quillant.dll and QuillantForms.dll for 32-bit and
# 64-bit hosts, registers them in private Wine prefixes (build/demo/), runs
# the demo host script through Wine's cscript and decodes every picture it
# made with zbarimg. Leaves out/page.png, out/page.emf and out/picture.png,
# out/picture-x64.png from the 64-bit server, and out/label.png: a 4 x 6 inch
# GS1-128 shipping label at 203 dpi whose symbols are graded and read by zbar
# and ZXing-C++. Where a private CUPS scheduler can start (root, cups
# installed: scripts/cups_session.sh), the same label is also printed to a
# 203-dpi Zebra queue and out/label-zpl.png is what the label printer would
# have printed, decoded from the ZPL job and graded and read the same way.
# The label's symbols are also written as the printer's own commands
# (out/label.zpl, from Quillant2's LabelCommands), rendered by npm's
# zpl-renderer-js as out/label-zpl-native.png and graded beside the raster
# label; every symbol is measured against GS1's logistic-label sizes.
#
# The demo page runs through the 32-bit cscript, as most hosts are 32-bit
# (under QEMU where the kernel refuses 32-bit programs: scripts/wine32).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine_hosts.sh

bash scripts/setup.sh
mkdir -p build/demo out
for preset in win32 win64; do
    echo "== build: $preset (log: build/demo/build-$preset.log)"
    if ! bash scripts/build.sh "$preset" >"build/demo/build-$preset.log" 2>&1; then
        tail -40 "build/demo/build-$preset.log"
        echo "build of $preset failed; the whole log is build/demo/build-$preset.log"
        exit 1
    fi
done

cups_dir=build/demo/cups
trap 'wine_host_stop win32; wine_host_stop win64; bash scripts/cups_session.sh stop "$cups_dir" >/dev/null' EXIT
rm -f out/page.png out/page.emf out/picture.png out/picture-x64.png out/label.png out/label.zpl out/label-zpl.png \
    out/label-zpl-native.png

host=win32 bits=32
if ! route=$(wine_32bit_route); then
    echo "FAIL the 32-bit Wine cannot run on this machine (above)"
    exit 1
fi
if [ "$route" = native ]; then
    echo "== the 32-bit cscript runs natively"
else
    echo "== this kernel refuses 32-bit programs: the 32-bit cscript runs under QEMU's user-mode emulator (${route#qemu })"
fi
prefix() { if [ "$1" = win64 ]; then echo build/demo/wine64; else echo build/demo/wine32; fi; }

echo "== $bits-bit: samples/demo/demo.vbs through cscript"
wine_host_start $host "$(prefix $host)"
report=build/demo/demo-report.txt
scans=build/demo/scans.tsv
(cd out && wine_host $host cscript //nologo "$(wine_host_path ../samples/demo/demo.vbs)") | tr -d '\r' >"$report" || true
grep -v '^scan' "$report" || true
grep '^scan' "$report" | cut -f2- >"$scans" || true
if grep -q '^FAIL' "$report"; then exit 1; fi

echo "== $bits-bit: samples/demo/shipping_label.vbs: the shipping label at 203 dpi"
label=build/demo/label
rm -rf "$label"
mkdir -p "$label"
(cd out && wine_host $host cscript //nologo "$(wine_host_path ../samples/demo/shipping_label.vbs)" label.png) |
    tr -d '\r' >"$label/report.txt" || true
grep -v '^crop' "$label/report.txt" || true
if grep -q '^FAIL' "$label/report.txt" || ! [ -s out/label.png ]; then exit 1; fi
grep '^crop' "$label/report.txt" | cut -f2- >"$label/crops.tsv"
cp out/label.png "$label/"
wine_host_stop $host

# The label through a real spooler, in a prefix of its own that lists the
# private scheduler's queues (the demo prefix keeps its printer as it is).
zpl=build/demo/label-zpl
rm -rf "$zpl"
zpl_port=${QUILLANT_ZPL_PORT:-9170}
if cups=$(bash scripts/cups_session.sh start "$cups_dir" "$zpl_port" 2>"$zpl.cups.log"); then
    echo "== $bits-bit: the shipping label printed through CUPS to a 203-dpi Zebra label queue"
    export QUILLANT_CUPS_SERVER=${cups#CUPS_SERVER=}
    mkdir -p "$zpl"
    wine_host_start $host "$(prefix $host)-printing"
    python3 scripts/zpl_listener.py "$zpl_port" "$zpl/zpl" 120 1 >/dev/null &
    listener=$!
    for _ in $(seq 100); do [ -e "$zpl/zpl/listening" ] && break; sleep 0.1; done
    script=$(wine_host_path samples/demo/shipping_label.vbs)
    (cd "$zpl" && wine_host $host cscript //nologo "$script" label-zpl.png QuillantZebra) |
        tr -d '\r' >"$zpl/report.txt" || true
    grep -v '^crop' "$zpl/report.txt" || true
    if wait $listener && build/$host/build-tools/quillant-zpl-graphic "$zpl/zpl/job-1.zpl" out/label-zpl.png; then
        grep '^crop' "$zpl/report.txt" | cut -f2- >"$zpl/crops.tsv"
        cp out/label-zpl.png "$zpl/"
    else
        echo "FAIL the Zebra queue sent no label; the scheduler's log: $cups_dir/log/error_log"
        exit 1
    fi
    wine_host_stop $host
    bash scripts/cups_session.sh stop "$cups_dir" >/dev/null
    unset QUILLANT_CUPS_SERVER
else
    cups=${cups#SKIP }
    echo "== no label printer: ${cups:-the private CUPS scheduler did not start (see $zpl.cups.log)}; out/label-zpl.png is not made"
fi

echo "== 64-bit: samples/vbscript/picture_box.vbs through the 64-bit cscript"
wine_host_start win64 "$(prefix win64)"
(cd out && wine_host win64 cscript //nologo "$(wine_host_path ../samples/vbscript/picture_box.vbs)" \
    picture-x64.png "64-bit Quillant.dll") | tr -d '\r'
wine_host_stop win64
# The whole picture is one barcode: no rectangle to cut out.
printf 'picture-x64.png\t0\t0\t0\t0\t%s\n' "64-bit Quillant.dll" >>"$scans"

echo "== zbarimg: every barcode decoded on its own"
status=0
bash scripts/decode_scans.sh "$scans" out build/demo/crops || status=$?

echo
echo "== the shipping label: each symbol graded after ISO/IEC 15416, read by zbar and ZXing-C++"
python3 scripts/grade_crops.py "$label/crops.tsv" "build/$host/build-tools/quillant-grade" \
    "build/$host/build-tools/quillant-zxing-read" || status=1
python3 tests/printing/label_picture.py sizes "$label/crops.tsv" 203 || status=1
echo
echo "== the shipping label's symbols as ZPL commands (out/label.zpl), rendered by zpl-renderer-js, graded the same way"
native=build/demo/label-zpl-native
rm -rf "$native" && mkdir -p "$native"
if node tests/printing/zpl-renderer/render.js out/label.zpl out/label-zpl-native.png; then
    cp out/label-zpl-native.png "$native/"
    sed 's/^label\.png\t/label-zpl-native.png\t/' "$label/crops.tsv" >"$native/crops.tsv"
    python3 scripts/grade_crops.py "$native/crops.tsv" "build/$host/build-tools/quillant-grade" \
        "build/$host/build-tools/quillant-zxing-read" || status=1
    python3 tests/printing/label_picture.py sizes "$native/crops.tsv" 203 || status=1
else
    echo "FAIL out/label.zpl did not render"
    status=1
fi
if [ -f "$zpl/crops.tsv" ]; then
    echo
    echo "== the shipping label as the Zebra label printer got it (ZPL through CUPS), graded and read the same way"
    python3 scripts/grade_crops.py "$zpl/crops.tsv" "build/$host/build-tools/quillant-grade" \
        "build/$host/build-tools/quillant-zxing-read" || status=1
fi

echo
echo "Pictures:"
for f in page.png page.emf picture.png picture-x64.png label.png label.zpl label-zpl-native.png label-zpl.png; do
    if [ -f "out/$f" ]; then echo "  $(pwd)/out/$f"; fi
done
exit $status
