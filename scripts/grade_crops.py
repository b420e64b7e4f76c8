#!/usr/bin/env python3
r"""grade_crops.py LISTING GRADER ZXING_READER

Grades and decodes every symbol LISTING names, one tab-separated line each:
  picture  x  y  width  height  degrees  required  expected  case
(a rectangle in the picture's pixels holding the symbol and its quiet zones,
how far the symbol is turned counter-clockwise, the grade it must reach or
"-", what ZXing reads: symbology identifier and text, characters outside
printable ASCII as \xNN). Pictures lie beside LISTING; each rectangle is cut
out (ImageMagick) into crops/ there, graded by quillant-grade, read by zbarimg
and by ZXing-C++ (quillant-zxing-read). A line with a required grade must
reach it and both readers must read the expected text; the others are only
measured. Prints a row a symbol (grade, zbar, what ZXing read), then PASS or
FAIL.

zbar drops FNC4, so a Latin-1 character reads as the character 128 below it
there, and it leaves out the symbology identifier and a leading FNC1: the
expected zbar text is derived from ZXing's accordingly. ZXing checks
Latin-1 and GS1's ]C1 with its separators.
"""
import collections
import os
import re
import subprocess
import sys


def unescape(text):
    return re.sub(r"\\x([0-9A-F]{2})", lambda m: chr(int(m.group(1), 16)), text)


def escape(text):
    return "".join(c if 32 <= ord(c) < 127 and c != "\\" else "\\x%02X" % ord(c) for c in text)


def zbar_expected(expected):
    """What zbar reads of the symbol ZXing reads as `expected`."""
    text = unescape(expected[3:])  # without ]C0 / ]C1
    return "".join(chr(ord(c) - 128) if ord(c) >= 128 else c for c in text)


def cut_out(folder, picture, rows, crops):
    """One ImageMagick run a picture: the page is read once for all its crops."""
    command = ["convert", os.path.join(folder, picture), "-write", "mpr:page", "+delete"]
    for row in rows:
        x, y, w, h = row["rect"]
        command += ["(", "mpr:page", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage",
                    "-write", os.path.join(crops, row["crop"]), ")"]
    subprocess.run(command + ["null:"], check=True)


def grade(grader, path, degrees, required):
    command = [grader, "--orientation", degrees]
    if required != "-":
        command += ["--expect", required]
    run = subprocess.run(command + [path], capture_output=True, text=True)
    found = re.search(r"^grade (\S+) (\S)$", run.stdout, re.M)
    letter = "%s %s" % (found.group(2), found.group(1)) if found else "none"
    return letter, run.returncode == 0, run.stderr.strip()


def zbar(path):
    run = subprocess.run(["zbarimg", "--quiet", "--raw", path], capture_output=True)
    text = run.stdout.decode("latin-1")
    return text[:-1] if text.endswith("\n") else text


def zxing(reader, path):
    run = subprocess.run([reader, path], capture_output=True, text=True)
    return run.stdout.strip("\n")


def main(listing_path, grader, reader):
    folder = os.path.dirname(os.path.abspath(listing_path))
    with open(listing_path, encoding="latin-1") as listing:
        lines = [line.rstrip("\r\n").split("\t") for line in listing if line.strip()]
    if not lines:
        print("FAIL %s lists no symbols" % listing_path)
        return 1
    crops = os.path.join(folder, "crops")
    os.makedirs(crops, exist_ok=True)
    by_picture = collections.OrderedDict()
    for n, (picture, x, y, w, h, degrees, required, expected, case) in enumerate(lines, 1):
        row = dict(picture=picture, rect=(int(x), int(y), int(w), int(h)), degrees=degrees, required=required,
                   expected=expected, case=case, crop="%03d.png" % n)
        by_picture.setdefault(picture, []).append(row)
    failures = 0
    print("%-36s %-4s %-7s %-4s %s" % ("case", "turn", "grade", "zbar", "ZXing read"))
    for picture, rows in by_picture.items():
        cut_out(folder, picture, rows, crops)
        for row in rows:
            path = os.path.join(crops, row["crop"])
            letter, graded, reasons = grade(grader, path, row["degrees"], row["required"])
            zbar_ok = zbar(path) == zbar_expected(row["expected"])
            read = zxing(reader, path)
            zxing_ok = read == row["expected"]
            verdict = ""
            if row["required"] != "-" and not (graded and zbar_ok and zxing_ok):
                failures += 1
                verdict = "  FAIL (%s)" % row["crop"]
            print("%-36s %-4s %-7s %-4s %s%s" % (row["case"], row["degrees"], letter, "ok" if zbar_ok else "no",
                                                  read if read else "(nothing)", verdict))
            if verdict:
                if reasons:
                    print("    " + reasons.replace("\n", "\n    "))
                if not zxing_ok:
                    print("    ZXing should read %s" % row["expected"])
                if not zbar_ok:
                    print("    zbar read %r" % escape(zbar(path)))
    if failures:
        print("FAIL %d of %d symbols below their grade or misread" % (failures, len(lines)))
        return 1
    print("PASS %d symbols graded and read by zbar and ZXing" % len(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
