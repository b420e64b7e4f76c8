#!/usr/bin/env python3
"""gs1_label_size.py LISTING DPI

Measures every graded symbol of a label picture in millimetres, as GS1's
rules for logistic labels set them for GS1-128: an X-dimension of 0.495 to
1.016 mm, bars at least 31.75 mm high, quiet zones of at least 10X and at
most 165.10 mm with them. LISTING is grade_crops.py's (each rectangle is the
symbol with its quiet zones); rows graded "-" are left out. Prints a row a
symbol, then PASS or FAIL.
"""
import collections
import os
import sys

from zpl_modules import grey_rows

MM_PER_INCH = 25.4
RULES = {"x_min": 0.495, "x_max": 1.016, "bars_min": 31.75, "length_max": 165.10}
# grade_crops.py gives counter-clockwise degrees; zpl_modules turns by ^BC's name.
TURN_OF_DEGREES = {"0": "N", "90": "B", "180": "I", "270": "R"}


def measure(picture, rect, degrees, dpi):
    """X-dimension, bar height, quiet zones and length of the symbol in rect, in mm."""
    x0, y0, w, h = rect
    rows = grey_rows("%s[%dx%d+%d+%d]" % (picture, w, h, x0, y0), TURN_OF_DEGREES[degrees])
    # The bars: the row that repeats most, as text above or below is
    # shorter than they are.
    row = collections.Counter(r for r in rows if min(r) < 128).most_common(1)[0][0]
    dark = [v < 128 for v in row]
    first, last = dark.index(True), len(dark) - 1 - dark[::-1].index(True)
    runs, x = [], first
    while x <= last:
        end = x
        while end <= last and dark[end] == dark[x]:
            end += 1
        runs.append(end - x)
        x = end
    module = min(runs)
    # The bars' height: the tallest unbroken dark column under the first bar.
    column = [r[first] < 128 for r in rows]
    height = best = 0
    for is_dark in column:
        height = height + 1 if is_dark else 0
        best = max(best, height)
    mm = MM_PER_INCH / dpi
    return module * mm, best * mm, min(first, len(dark) - 1 - last) / module, len(dark) * mm


def main(listing, dpi):
    dpi = float(dpi)
    folder = os.path.dirname(os.path.abspath(listing))
    failures = 0
    rows = [line.rstrip("\r\n").split("\t") for line in open(listing, encoding="latin-1") if line.strip()]
    print("%-32s %8s %8s %8s %10s" % ("symbol", "X mm", "bars mm", "quiet X", "length mm"))
    for picture, x, y, w, h, degrees, required, _expected, name in rows:
        if required == "-":
            continue
        x_mm, bars_mm, quiet, length_mm = measure(os.path.join(folder, picture), (int(x), int(y), int(w), int(h)),
                                                  degrees, dpi)
        faults = []
        if not RULES["x_min"] <= x_mm <= RULES["x_max"]:
            faults.append("X-dimension %.3f mm" % x_mm)
        if bars_mm < RULES["bars_min"]:
            faults.append("bars %.2f mm high" % bars_mm)
        if quiet < 10:
            faults.append("quiet zone of %.1fX" % quiet)
        if length_mm > RULES["length_max"]:
            faults.append("%.2f mm long" % length_mm)
        print("%-32s %8.3f %8.2f %8.1f %10.2f%s" % (name[:32], x_mm, bars_mm, quiet, length_mm,
                                                   "  FAIL " + ", ".join(faults) if faults else ""))
        failures += bool(faults)
    if failures:
        print("FAIL %d symbols outside GS1's logistic-label sizes" % failures)
        return 1
    print("PASS every symbol within GS1's logistic-label sizes")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(64)
    sys.exit(main(*sys.argv[1:]))
