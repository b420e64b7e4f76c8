#!/bin/sh
# The command-line tool as a user drives it: arguments, standard input, exit codes.
tool="$1"
failures=0
expect() {  # expect DESCRIPTION EXPECTED-STDOUT EXPECTED-STATUS -- ARGS...
    what="$1"; want="$2"; want_status="$3"; shift 4
    got=$("$tool" "$@" 2>/tmp/qp_err.$$); status=$?
    if [ "$got" != "$want" ] || [ "$status" != "$want_status" ]; then
        echo "FAIL $what: got '$got' (status $status), want '$want' (status $want_status)"
        failures=$((failures + 1))
    fi
}
expect "modules of AB" "110100100001010001100010001011000111101011101100011101011" 0 -- AB
expect "values of X123456Y" "104 56 99 12 34 56 100 57 58" 0 -- --values X123456Y
expect "trailing space kept" "104 33 34 0 102" 0 -- --values "AB "
expect "values of 1234 space" "105 12 34 100 0 73" 0 -- --values "1234 "
expect "width of EMPTY" "1800" 0 -- --width 20 EMPTY
expect "width of AB" "1140" 0 -- --width 20 AB
expect "a text that looks like an option" "104 14 14 43" 0 -- --values -- ".."
expect "accented letter" "" 2 -- "caf$(printf '\303\251')"
grep -q "Character U+00E9 at position 4 cannot be encoded in Code 128" /tmp/qp_err.$$ ||
    { echo "FAIL accented letter: stderr $(cat /tmp/qp_err.$$)"; failures=$((failures + 1)); }
expect "width overflow" "" 2 -- --width 20 "$(printf '%0146d' 0 | tr 0 A)"
grep -qx "Overflow" /tmp/qp_err.$$ || { echo "FAIL overflow text"; failures=$((failures + 1)); }
expect "no text" "" 64 --
expect "full: control character by escape" "104 65 98 65 65 99" 0 -- --full --escapes --values 'a\x01a'
expect "full: Latin-1 letter" "104 100 73 41" 0 -- --full --values "$(printf '\303\251')"
expect "full: caption escaped back" 'a\x1Db\\' 0 -- --full --escapes --caption 'a\x1Db\\'
expect "full: bad escape" "" 2 -- --full --escapes 'a\q'
expect "full: width" "1140" 0 -- --full --width 20 AB
expect "gs1: caption from brackets" "(01)09501101530003(10)AB" 0 -- --gs1 --caption '[01]09501101530003[10]AB'
expect "gs1: FNC1 after the start and after (10)" "105 102 1 9 50 11 1 53 0 3 10 100 33 102 18 17 33 11" 0 \
    -- --gs1 --values '(01)09501101530003(10)A(21)A'
expect "gs1: fault" "" 2 -- --gs1 '(01)09501101530004'
grep -qx "AI (01): check digit 4 should be 3" /tmp/qp_err.$$ || { echo "FAIL gs1 fault text"; failures=$((failures + 1)); }
expect "full: latched" "104 100 100 73 73 73 73 70" 0 -- --full --escapes --values '\xE9\xE9\xE9\xE9'
expect "no latch" "104 100 73 100 73 100 73 100 73 74" 0 -- --no-latch --escapes --values '\xE9\xE9\xE9\xE9'
expect "gs1: partner missing still encodes" "(10)LOT1" 0 -- --gs1 --caption '(10)LOT1'
grep -qx "AI (10) needs AI (01), (02), (03), (8006) or (8026)" /tmp/qp_err.$$ || { echo "FAIL gs1 missing"; failures=$((failures + 1)); }
expect "gs1 label" "OK" 0 -- --gs1-label '(02)09501101530003(37)10 (10)LOT1 (00)106141411234567897'
expect "gs1 label fault" "" 2 -- --gs1-label '(37)10 (10)LOT1'
grep -q "^AI (37) needs AI (00)+(02) or (00)+(8026); AI (10) needs .* on the same label$" /tmp/qp_err.$$ ||
    { echo "FAIL gs1 label fault text"; failures=$((failures + 1)); }
batch=$(printf '(01)09501101530003\n(99)\n' | "$tool" --gs1 --caption - 2>/dev/null); status=$?
if [ "$batch" != "$(printf '(01)09501101530003\n')" ] || [ "$status" != 2 ]; then
    echo "FAIL gs1 batch: got '$batch' status $status"; failures=$((failures + 1))
fi
batch=$(printf 'AB\nbad\tline\n1234\n' | "$tool" --width 20 - 2>/dev/null); status=$?
if [ "$batch" != "$(printf '1140\n\n1140')" ] || [ "$status" != 2 ]; then
    echo "FAIL batch: got '$batch' status $status"; failures=$((failures + 1))
fi
rm -f /tmp/qp_err.$$
if [ "$failures" -eq 0 ]; then echo "PASS quillant-pattern"; else exit 1; fi
