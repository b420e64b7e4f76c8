#!/usr/bin/env python3
"""same_pictures.py OTHER_DIR THIS_DIR PICTURE...

The same script draws the same picture whatever the width of the host and of
the servers: each PICTURE (a path below both folders, written by the sample
tests of the two builds) must match pixel for pixel. The one allowance is
the shading of a text edge: where a pixel is grey (partly covered) in either
width, the font rasterizer of that width (FreeType, 32- or 64-bit) may shade
it differently, as it does a few pixels of a page's smoothed headings and a
turned caption. A pixel black in one width and white in the other (a bar,
a space, a moved glyph) is a difference.
"""
import subprocess
import sys


def size(path):
    return subprocess.run(["identify", "-format", "%wx%h", path], capture_output=True, text=True, check=True).stdout


def pixels(path):
    # One picture at a time: two 600-dpi pages at once would be more than
    # ImageMagick's pixel cache may hold (and its stream aborts on grey PNGs).
    return subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout


def grey(pixel):
    return all(0 < channel < 255 for channel in pixel)


def compare(a, b, width):
    row = width * 3
    shaded = 0
    for start in range(0, len(a), row):
        if a[start:start + row] == b[start:start + row]:
            continue
        for x in range(start, start + row, 3):
            pa, pb = a[x:x + 3], b[x:x + 3]
            if pa == pb:
                continue
            if not (grey(pa) or grey(pb)):
                return shaded, (x // row, x % row // 3, tuple(pa), tuple(pb))
            shaded += 1
    return shaded, None


def main():
    other, this, pictures = sys.argv[1], sys.argv[2], sys.argv[3:]
    failed = 0
    for picture in pictures:
        first, second = f"{other}/{picture}", f"{this}/{picture}"
        try:
            dimensions = size(first)
        except (subprocess.CalledProcessError, FileNotFoundError):
            print(f"FAIL {first} is missing: run the other build's tests first (scripts/test.sh runs win32, then win64)")
            failed += 1
            continue
        if size(second) != dimensions:
            print(f"FAIL {picture} is {dimensions} in one width and {size(second)} in the other")
            failed += 1
            continue
        shaded, different = compare(pixels(first), pixels(second), int(dimensions.split("x")[0]))
        if different:
            y, x, pa, pb = different
            print(f"FAIL {picture}: pixel ({x}, {y}) is {pa} in one width and {pb} in the other")
            failed += 1
        else:
            print(f"same {picture} ({dimensions})" + (f", {shaded} text-edge pixels shaded apart" if shaded else ""))
    if not failed:
        print(f"PASS {len(pictures)} pictures are the same in both widths")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
