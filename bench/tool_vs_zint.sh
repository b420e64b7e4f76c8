#!/bin/sh
# quillant-pattern's batch mode as a whole process (start, read, encode, write
# to a new file) against libzint encoding the same texts in one process:
#   bash bench/tool_vs_zint.sh [BUILD_DIR]
# Prints each command's elapsed time; texts/s ratio = zint time / tool time.
# Each run writes a file of its own: overwriting the last run's output makes
# ext4 flush it on close, which would time the disk rather than the tool.
bin="${1:-build/native}/bin"
dir=$(mktemp -d)
"$bin/write_corpus" >"$dir/corpus"
run() { /usr/bin/time -f "%e s  $1" sh -c "$2"; }
run "quillant-pattern - (seed)" "'$bin/quillant-pattern' - <'$dir/corpus' >'$dir/seed'"
run "quillant-pattern --full -" "'$bin/quillant-pattern' --full - <'$dir/corpus' >'$dir/full'"
run "zint_encode_loop" "'$bin/zint_encode_loop' '$dir/corpus' >/dev/null"
rm -rf "$dir"
