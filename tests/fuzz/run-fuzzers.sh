#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (or $FUZZ_BUILD_DIR) and runs each for
# SECONDS seconds on a fresh copy of its seed corpus. Exits non-zero on any crash, leak, timeout
# or sanitizer report; the findings stay in build-fuzz/fuzz-artifacts/<target>/.
set -euo pipefail

seconds=${1:?usage: run-fuzzers.sh SECONDS}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_FUZZ=ON -DCORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_dallas fuzz_bus fuzz_auditfile fuzz_operations fuzz_simulator fuzz_capture \
    fuzz_history fuzz_address fuzz_version fuzz_people fuzz_rules fuzz_seeds

seeds=$build/fuzz-seeds
rm -rf "$seeds"
"$build/fuzz_seeds" "$seeds" "$root/samples" "$root/tests/captures"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Largest inputs: one key image; the bus blocks and a full event record buffer; the longest
# audit file the reader uses (a bus file with a full event section), and a little more; the device
# operations (a key read or write takes 257 answers of up to 40 bytes); the capture of a key read;
# a stored history or a few dozen audits of a small alphabet; an archive's address; a version file well past any real one;
# a listing of people of a few dozen tenures; a week of opening hours.
declare -A max_len=([dallas]=8192 [bus]=69205 [auditfile]=69400 [operations]=16384 [simulator]=4096 [capture]=40000 [history]=4096 [address]=512
                    [version]=4096 [people]=4096 [rules]=512)

failed=0
for target in dallas bus auditfile operations simulator capture history address version people rules; do
    corpus=$build/fuzz-corpus/$target
    artifacts=$build/fuzz-artifacts/$target
    log=$build/fuzz-$target.log
    rm -rf "$corpus" "$artifacts"
    mkdir -p "$corpus" "$artifacts"
    cp "$seeds/$target"/* "$corpus"/

    echo "fuzz_$target: ${seconds}s, log in $log"
    rc=0
    "$build/fuzz_$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || rc=$?

    if [ "$rc" -ne 0 ] \
        || grep -qE 'runtime error:|ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)' "$log" \
        || [ -n "$(ls -A "$artifacts")" ]; then
        echo "fuzz_$target FAILED (exit $rc):"
        tail -n 40 "$log"
        failed=1
    else
        grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$log" | sed 's/^/    /'
    fi
done
exit $failed
