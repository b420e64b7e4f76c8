#!/usr/bin/env python3
"""label_picture.py: what a printed symbol measures, read from its picture.

  label_picture.py modules PICTURE MODULE_DOTS TURN
      The modules of the one Code 128 symbol on a rendered label: the
      picture is turned back upright (TURN: N, R, I or B, as ^BC names them)
      and the bars' row cut into runs, each of which must be a whole number
      of MODULE_DOTS dots, else the symbol was not drawn on the printer's
      grid. Prints the modules, "1" dark and "0" light, or a line starting
      FAIL.

  label_picture.py sizes LISTING DPI
      Every graded symbol of grade_crops.py's LISTING (each rectangle the
      symbol with its quiet zones; rows graded "-" are left out) measured in
      millimetres against GS1's rules for GS1-128 on logistic labels: an
      X-dimension of 0.495 to 1.016 mm, bars at least 31.75 mm high, quiet
      zones of at least 10X, at most 165.10 mm with them. Prints a row a
      symbol, then PASS or FAIL.
"""
import collections
import os
import subprocess
import sys

# ImageMagick's -rotate angle that turns each ^BC orientation back upright.
UPRIGHT = {"N": 0, "R": 270, "I": 180, "B": 90}
# grade_crops.py gives the counter-clockwise degrees of the turn.
TURN_OF_DEGREES = {"0": "N", "90": "B", "180": "I", "270": "R"}
MM_PER_INCH = 25.4
GS1_LOGISTIC = {"x_min": 0.495, "x_max": 1.016, "bars_min": 31.75, "length_max": 165.10}


def grey_rows(picture, turn):
    pgm = subprocess.run(["convert", picture, "-rotate", str(UPRIGHT[turn]), "-colorspace", "Gray",
                          "-depth", "8", "pgm:-"], check=True, capture_output=True).stdout
    fields, at = [], 0
    while len(fields) < 4:  # P5, width, height, maxval, then one byte of white space
        while pgm[at:at + 1].isspace():
            at += 1
        start = at
        while not pgm[at:at + 1].isspace():
            at += 1
        fields.append(pgm[start:at])
    width, height = int(fields[1]), int(fields[2])
    data = pgm[at + 1:]
    return [data[y * width:(y + 1) * width] for y in range(height)]


class Symbol:
    """The bars of the one symbol in a picture, upright."""

    def __init__(self, picture, turn):
        self.rows = grey_rows(picture, turn)
        dark_rows = [r for r in self.rows if min(r) < 128]
        if not dark_rows:
            raise ValueError("no dark dots in %s" % picture)
        # The bars' row is the one that repeats most: a caption or text
        # above is shorter than they are.
        row = collections.Counter(dark_rows).most_common(1)[0][0]
        self.width = len(row)
        dark = [v < 128 for v in row]
        self.first, self.last = dark.index(True), len(dark) - 1 - dark[::-1].index(True)
        self.runs, x = [], self.first
        while x <= self.last:
            end = x
            while end <= self.last and dark[end] == dark[x]:
                end += 1
            self.runs.append((dark[x], end - x))
            x = end

    def bar_height(self):
        """The tallest unbroken dark column under the first bar, in dots."""
        height = best = 0
        for row in self.rows:
            height = height + 1 if row[self.first] < 128 else 0
            best = max(best, height)
        return best


def modules(picture, module_dots, turn):
    module_dots = int(module_dots)
    symbol = Symbol(picture, turn)
    out = []
    for is_dark, run in symbol.runs:
        if run % module_dots:
            print("FAIL a run of %d dots is not a whole number of %d-dot modules" % (run, module_dots))
            return 1
        out.append(("1" if is_dark else "0") * (run // module_dots))
    print("".join(out))
    return 0


def sizes(listing, dpi):
    mm = MM_PER_INCH / float(dpi)
    folder = os.path.dirname(os.path.abspath(listing))
    failures = 0
    rows = [line.rstrip("\r\n").split("\t") for line in open(listing, encoding="latin-1") if line.strip()]
    print("%-32s %8s %8s %8s %10s" % ("symbol", "X mm", "bars mm", "quiet X", "length mm"))
    for picture, x, y, w, h, degrees, required, _expected, name in rows:
        if required == "-":
            continue
        symbol = Symbol("%s[%sx%s+%s+%s]" % (os.path.join(folder, picture), w, h, x, y), TURN_OF_DEGREES[degrees])
        module = min(run for _, run in symbol.runs)  # every Code 128 symbol has a one-module element
        x_mm, bars_mm, length_mm = module * mm, symbol.bar_height() * mm, symbol.width * mm
        quiet = min(symbol.first, symbol.width - 1 - symbol.last) / module
        faults = []
        if not GS1_LOGISTIC["x_min"] <= x_mm <= GS1_LOGISTIC["x_max"]:
            faults.append("X-dimension %.3f mm" % x_mm)
        if bars_mm < GS1_LOGISTIC["bars_min"]:
            faults.append("bars %.2f mm high" % bars_mm)
        if quiet < 10:
            faults.append("quiet zone of %.1fX" % quiet)
        if length_mm > GS1_LOGISTIC["length_max"]:
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
    commands = {"modules": (modules, 3), "sizes": (sizes, 2)}
    if len(sys.argv) < 2 or sys.argv[1] not in commands or len(sys.argv) != 2 + commands[sys.argv[1]][1]:
        print(__doc__, file=sys.stderr)
        sys.exit(64)
    sys.exit(commands[sys.argv[1]][0](*sys.argv[2:]))
