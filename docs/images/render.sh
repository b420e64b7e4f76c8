#!/usr/bin/env bash
# Redraws the pictures of the documentation with the 32-bit build
# (bash scripts/build.sh win32 first), in the demo's Wine prefix:
#   bash docs/images/render.sh
# (under QEMU where the kernel refuses 32-bit programs: scripts/wine32).
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/wine_hosts.sh
arch=win32 prefix=build/demo/wine32
wine_32bit_route >/dev/null
trap 'wine_host_stop $arch' EXIT
wine_host_start $arch $prefix
for script in draw_pictures.vbs print_quality.vbs draw_images.vbs draw_captions.vbs; do
    (cd docs/images && wine_host $arch cscript //nologo "$(wine_host_path "$script")") | tr -d '\r'
done
# The SVG as an independent renderer draws it.
rsvg-convert --background-color=white docs/images/pictures-svg.svg -o docs/images/pictures-svg.png
rm docs/images/pictures-svg.svg
# The print-quality pictures show printer dots: three screen pixels a dot.
for picture in docs/images/print-quality-*.png; do
    convert "$picture" -filter point -resize 300% "$picture"
done
# Small files: the pictures have few colours.
for picture in docs/images/*.png; do
    convert "$picture" -colors 16 "PNG8:$picture"
done
zbarimg --quiet docs/images/barcode.png 2>/dev/null
ls -l docs/images/*.png
