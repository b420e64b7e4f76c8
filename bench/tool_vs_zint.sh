#!/bin/sh
# quillant-pattern's batch mode as a whole process (start, read, encode, write
# to a file) against libzint encoding the same texts in one process:
#   bash bench/tool_vs_zint.sh [BUILD_DIR]
# Prints each command's elapsed time; texts/s ratio = zint time / tool time.
bin="${1:-build/native}/bin"
corpus=$(mktemp) out=$(mktemp)
"$bin/write_corpus" >"$corpus"
run() { /usr/bin/time -f "%e s  $1" sh -c "$2"; }
run "quillant-pattern - (seed)" "'$bin/quillant-pattern' - <'$corpus' >'$out'"
run "quillant-pattern --full -" "'$bin/quillant-pattern' --full - <'$corpus' >'$out'"
run "zint_encode_loop" "'$bin/zint_encode_loop' '$corpus' >/dev/null"
rm -f "$corpus" "$out"
