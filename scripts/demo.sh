#!/usr/bin/env bash
# The main job: builds Quillant.dll and QuillantForms.dll for 32-bit and
# 64-bit hosts, registers them in private Wine prefixes (build/demo/), runs
# the demo host script through Wine's cscript and decodes every picture it
# made with zbarimg. Leaves out/page.png, out/page.emf and out/picture.png,
# and out/picture-x64.png from the 64-bit server.
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

trap 'wine_host_stop win32; wine_host_stop win64' EXIT
rm -f out/page.png out/page.emf out/picture.png out/picture-x64.png

echo "== 32-bit: samples/demo/demo.vbs through cscript"
wine_host_start win32 build/demo/wine32
report=build/demo/demo-report.txt
scans=build/demo/scans.tsv
(cd out && wine_host win32 cscript //nologo "$(wine_host_path ../samples/demo/demo.vbs)") | tr -d '\r' >"$report" || true
wine_host_stop win32
grep -v '^scan' "$report" || true
grep '^scan' "$report" | cut -f2- >"$scans" || true
if grep -q '^FAIL' "$report"; then exit 1; fi

echo "== 64-bit: samples/vbscript/picture_box.vbs through the 64-bit cscript"
wine_host_start win64 build/demo/wine64
(cd out && wine_host win64 cscript //nologo "$(wine_host_path ../samples/vbscript/picture_box.vbs)" \
    picture-x64.png "64-bit Quillant.dll") | tr -d '\r'
wine_host_stop win64
# The whole picture is one barcode: no rectangle to cut out.
printf 'picture-x64.png\t0\t0\t0\t0\t%s\n' "64-bit Quillant.dll" >>"$scans"

echo "== zbarimg: every barcode decoded on its own"
status=0
bash scripts/decode_scans.sh "$scans" out build/demo/crops || status=$?

echo
echo "Pictures:"
for f in page.png page.emf picture.png picture-x64.png; do
    if [ -f "out/$f" ]; then echo "  $(pwd)/out/$f"; fi
done
exit $status
