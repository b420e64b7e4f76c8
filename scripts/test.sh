#!/usr/bin/env bash
# Runs every test: native unit tests, the same under the sanitizers, the
# fuzzers for a bounded time, and the Windows build's tests under Wine.
# QUILLANT_FUZZ_SECONDS sets the fuzzing time per target (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine_hosts.sh
bash scripts/setup.sh

passed=0
failed=0
status=0
run_ctest() {  # run_ctest PRESET
    local log
    log=$(mktemp)
    echo "== tests: $1"
    if ctest --preset "$1" -j1 2>&1 | tee "$log"; then :; else status=1; fi
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1 || true)
    if [ -n "$line" ]; then
        bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    else
        failed=$((failed + 1))
    fi
    rm -f "$log"
}

for preset in native native-asan win32 win64; do
    echo "== build: $preset"
    bash scripts/build.sh "$preset"
    if [ "$preset" = win32 ]; then
        # 32-bit is the width most hosts run: where it cannot run, the tests fail.
        if ! route=$(wine_32bit_route); then
            echo "== tests: win32 FAILED: the 32-bit Wine cannot run on this machine (above)"
            failed=$((failed + 1))
            status=1
            continue
        fi
        if [ "$route" = native ]; then how="natively"; else how="under the user-mode emulator ${route#qemu }"; fi
        echo "== the 32-bit Wine runs $how"
    fi
    started=$SECONDS
    run_ctest "$preset"
    echo "== tests: $preset took $((SECONDS - started)) s"
done

echo "== fuzz"
bash scripts/build.sh fuzz
fuzz_seconds="${QUILLANT_FUZZ_SECONDS:-30}"
for fuzzer in build/fuzz/bin/*_fuzzer; do
    name=$(basename "$fuzzer")
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    # A fuzzer may bring a dictionary and seeds of the input it understands.
    options=()
    if [ -f "tests/fuzz/$name.dict" ]; then options+=("-dict=tests/fuzz/$name.dict"); fi
    if [ -d "tests/fuzz/seeds/$name" ]; then cp -n tests/fuzz/seeds/"$name"/* "$corpus"/; fi
    if "$fuzzer" -max_total_time="$fuzz_seconds" -print_final_stats=1 "${options[@]}" "$corpus" >"build/fuzz/$(basename "$fuzzer").log" 2>&1; then
        echo "$(basename "$fuzzer"): $(grep -E 'stat::number_of_executed_units' "build/fuzz/$(basename "$fuzzer").log" | awk '{print $2}') runs, no failure"
        passed=$((passed + 1))
    else
        tail -40 "build/fuzz/$(basename "$fuzzer").log"
        failed=$((failed + 1))
        status=1
    fi
done

echo
echo "all: $passed passed, $failed failed"
exit $status
