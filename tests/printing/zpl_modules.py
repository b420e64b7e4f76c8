#!/usr/bin/env python3
"""zpl_modules.py PICTURE MODULE_DOTS TURN

Reads the modules of the one Code 128 symbol on a rendered label: the
picture is turned back upright (TURN: N, R, I or B, as ^BC names them), the
row through the middle of the dark area is cut into runs, and each run must
be a whole number of MODULE_DOTS dots, else the symbol was not drawn on the
printer's grid. Prints the modules, "1" dark and "0" light, and the bar
height in dots, or a line starting FAIL.
"""
import subprocess
import sys

# ImageMagick's -rotate angle that turns each ^BC orientation back upright.
UPRIGHT = {"N": 0, "R": 270, "I": 180, "B": 90}


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


def main(picture, module_dots, turn):
    module_dots = int(module_dots)
    rows = grey_rows(picture, turn)
    dark_rows = [y for y, row in enumerate(rows) if min(row) < 128]
    if not dark_rows:
        print("FAIL no dark dots in %s" % picture)
        return 1
    # The bars are the tallest dark band; a caption below them is shorter.
    column_height = {}
    for y in dark_rows:
        for x, value in enumerate(rows[y]):
            if value < 128:
                column_height[x] = column_height.get(x, 0) + 1
    bar_height = max(column_height.values())
    tall = [y for y in dark_rows if sum(1 for v in rows[y] if v < 128) * 3 >= len(column_height)]
    row = rows[tall[len(tall) // 2]]
    dark = [v < 128 for v in row]
    first, last = dark.index(True), len(dark) - 1 - dark[::-1].index(True)
    modules, x = [], first
    while x <= last:
        end = x
        while end <= last and dark[end] == dark[x]:
            end += 1
        run = end - x
        if run % module_dots:
            print("FAIL a run of %d dots at x=%d is not a whole number of %d-dot modules" % (run, x, module_dots))
            return 1
        modules.append(("1" if dark[x] else "0") * (run // module_dots))
        x = end
    print("".join(modules))
    print(bar_height)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(64)
    sys.exit(main(*sys.argv[1:]))
