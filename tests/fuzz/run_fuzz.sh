#!/usr/bin/env bash
# Runs every fuzz target for a bounded time and fails on any crash, leak, hang, sanitizer report
# or broken rule:  run_fuzz.sh BUILD-FOLDER [SECONDS-PER-TARGET]
# Each target first replays, once each, the inputs that once broke it
# (tests/fuzz/regressions/<target>/), then starts from those, its committed seeds
# (tests/fuzz/corpus/<target>) and what earlier runs found (BUILD-FOLDER/fuzz-corpus/<target>,
# kept between runs); an input that breaks something is left in
# BUILD-FOLDER/fuzz-artifacts/<target>/. Copy it to tests/fuzz/regressions/<target>/ so that the
# ordinary test suite, and every later run here, replays it.
set -uo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=${1:?usage: run_fuzz.sh BUILD-FOLDER [SECONDS-PER-TARGET]}
SECONDS_EACH=${2:-${FUZZ_SECONDS:-60}}

# target:longest input; the readers get room for a whole file with long lines.
TARGETS=(native_reader:16384 exchange_reader:16384 store_load:8192 read_number:64
    round_trip:16384)

failed=0
report=()
for entry in "${TARGETS[@]}"; do
    target=${entry%%:*}
    max_len=${entry##*:}
    fuzzer="$BUILD/tests/fuzz/${target}_fuzzer"
    corpus="$BUILD/fuzz-corpus/$target"
    artifacts="$BUILD/fuzz-artifacts/$target"
    log="$BUILD/fuzz-logs/$target.log"
    regressions="$HERE/regressions/$target"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    rm -f "$artifacts"/*

    # A fault found once must stay fixed: each input that broke the target, run once.
    inputs=()
    [ -d "$regressions" ] && mapfile -t inputs < <(find "$regressions" -type f | sort)
    if [ ${#inputs[@]} -ne 0 ]; then
        echo "== $target: ${#inputs[@]} regression inputs"
        if ! "$fuzzer" -timeout=10 "${inputs[@]}" >"$log.replay" 2>&1; then
            failed=1
            echo "FAILED: $target on a regression input; the end of $log.replay:"
            tail -n 40 "$log.replay"
            report+=("$(printf '%-16s %12s executions  FAILED (regression inputs)' "$target" 0)")
            continue
        fi
    fi

    echo "== $target: ${SECONDS_EACH}s"
    corpora=("$corpus" "$HERE/corpus/$target")
    [ ${#inputs[@]} -ne 0 ] && corpora+=("$regressions")
    "$fuzzer" -max_total_time="$SECONDS_EACH" -timeout=10 -max_len="$max_len" \
        -dict="$HERE/rk7.dict" -artifact_prefix="$artifacts/" -print_final_stats=1 \
        "${corpora[@]}" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    found=$(find "$artifacts" -type f | wc -l)
    if [ "$status" -ne 0 ] || [ "$found" -ne 0 ] ||
        grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer)|runtime error:|rule broken:' "$log"; then
        failed=1
        echo "FAILED: $target (exit status $status); the end of $log:"
        tail -n 40 "$log"
        find "$artifacts" -type f -printf '  input kept: %p\n'
        report+=("$(printf '%-16s %12s executions  FAILED' "$target" "${runs:-?}")")
    else
        report+=("$(printf '%-16s %12s executions  ok' "$target" "${runs:-?}")")
    fi
done

echo "== fuzzing, ${SECONDS_EACH}s per target:"
printf '%s\n' "${report[@]}"
exit "$failed"
