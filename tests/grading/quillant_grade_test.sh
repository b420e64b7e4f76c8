#!/bin/sh
# quillant-grade as test scripts drive it: PNG and PGM in, grade and exit
# status out; and zbarimg reads every symbol the grader passes as A.
# Usage: quillant_grade_test.sh QUILLANT_GRADE WRITE_SYMBOL QUILLANT_PATTERN WORKDIR
set -u
grade="$1"; write="$2"; pattern="$3"; work="$4"
mkdir -p "$work"
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# expect_status WANT DESCRIPTION -- ARGS...: runs the grader, keeps its stderr
expect_status() {
    want="$1"; what="$2"; shift 3
    "$grade" "$@" >"$work/out" 2>"$work/err"; status=$?
    [ "$status" = "$want" ] || fail "$what: status $status, want $want: $(cat "$work/err")"
}

for case in "Quillant 128:1" "AB:2" "X123456Y:3" "0012345678:4"; do
    text="${case%:*}"; dots="${case##*:}"
    name="$work/a-$dots"
    "$write" "$("$pattern" "$text")" "$dots" "$name.pgm"
    # A PNG with colour and an alpha channel, as other programs write them.
    convert "$name.pgm" -type TrueColorAlpha "PNG32:$name.png"
    expect_status 0 "$text at $dots dots (PNG)" -- --expect A "$name.png"
    grep -q "^text \"$text\"" "$work/out" || fail "$text: reported $(grep '^text' "$work/out")"
    expect_status 0 "$text at $dots dots (PGM)" -- --expect A "$name.pgm"
    read=$(zbarimg --quiet --raw -Sdisable -Scode128.enable "$name.png" 2>/dev/null)
    [ "$read" = "$text" ] || fail "zbarimg read '$read' for $text at $dots dots"
done

# 2.82 dots a module (20 twips at 203 dpi): graded, below A for decodability.
"$write" "$("$pattern" "Quillant 128")" 2.82 "$work/f282.pgm"
expect_status 1 "2.82 dots against A" -- --expect A "$work/f282.pgm"
grep -q "decodability .* on 10 of 10 lines" "$work/err" || fail "2.82 dots: reasons $(cat "$work/err")"
expect_status 0 "2.82 dots without expectation" -- "$work/f282.pgm"
grep -q "^grade 1.0 D" "$work/out" || fail "2.82 dots: $(grep '^grade' "$work/out")"

# Turned a quarter to the left it reads upward; crop and orientation given.
convert "$work/a-2.pgm" -rotate -90 "$work/turned.png"
expect_status 0 "turned symbol" -- --orientation 90 --expect A "$work/turned.png"
size=$(identify -format '%w %h' "$work/a-2.pgm")
convert "$work/a-2.pgm" -bordercolor black -border 3 "$work/framed.png"
set -- $size
expect_status 1 "framed symbol" -- --expect A "$work/framed.png"
expect_status 0 "framed symbol cropped" -- --crop "3,3,$1,$2" --expect A "$work/framed.png"

convert -size 50x30 xc:white "$work/blank.png"
expect_status 2 "blank picture" -- "$work/blank.png"
expect_status 2 "missing file" -- "$work/none.png"
expect_status 64 "bad orientation" -- --orientation 45 "$work/blank.png"
expect_status 2 "crop outside" -- --crop 40,0,20,20 "$work/blank.png"

[ "$failures" = 0 ] && echo "all quillant-grade checks passed"
exit "$failures"
