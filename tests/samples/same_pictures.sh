#!/bin/sh
# same_pictures.sh OTHER_DIR THIS_DIR PICTURE...
#
# The same script draws the same picture whatever the width of the host and
# of the servers: each PICTURE (a path below both folders, written by the
# sample tests of the two builds) must match pixel for pixel.
set -eu
other=$1 this=$2
shift 2
status=0
for picture in "$@"; do
    if ! [ -s "$other/$picture" ]; then
        echo "FAIL $other/$picture is missing: run the other build's tests first (scripts/test.sh runs win32, then win64)"
        status=1
        continue
    fi
    # compare prints the number of pixels that differ; sizes must agree.
    if differing=$(compare -metric AE "$other/$picture" "$this/$picture" null: 2>&1) && [ "$differing" = 0 ]; then
        echo "same $picture"
    else
        echo "FAIL $picture differs between the widths: $differing"
        status=1
    fi
done
[ $status -ne 0 ] || echo "PASS $# pictures are the same in both widths"
exit $status
