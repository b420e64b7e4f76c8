#!/usr/bin/env bash
# Redraws the pictures of the documentation with the 32-bit build
# (bash scripts/build.sh win32 first), in the demo's Wine prefix:
#   bash docs/images/render.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/wine_hosts.sh
trap 'wine_host_stop win32' EXIT
wine_host_start win32 build/demo/wine32
(cd docs/images && wine_host win32 cscript //nologo "$(wine_host_path draw_pictures.vbs)") | tr -d '\r'
# Small files: the pictures have few colours.
for picture in docs/images/*.png; do
    convert "$picture" -colors 16 "PNG8:$picture"
done
zbarimg --quiet docs/images/barcode.png 2>/dev/null
ls -l docs/images/*.png
