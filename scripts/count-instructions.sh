#!/usr/bin/env bash
# Instructions per call of one measured function of a benchmark, counted by callgrind: steadier
# than wall time on a busy machine. Only the calls of the function are counted, so the set-up and
# warm-up of the benchmark stay out of the figure.
#
#   scripts/count-instructions.sh BENCH_BINARY BENCHMARK_FILTER FUNCTION [MIN_TIME]
#
# FUNCTION is a part of the function's name as callgrind shows it, e.g. "PaintViewAllOnce(" or
# "rk7::ParsePerformanceFile(". MIN_TIME (default 0.5) is --benchmark_min_time, which valgrind's
# slowdown turns into a few dozen calls at least.
set -euo pipefail

if [ $# -lt 3 ]; then
    sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
fi
binary=$1 filter=$2 function=$3 min_time=${4:-0.5}
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 1; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" \
    --toggle-collect="*${function}*" "$binary" --benchmark_filter="$filter" \
    --benchmark_min_time="$min_time" >"$out/bench.txt" 2>"$out/valgrind.txt" || {
    cat "$out/valgrind.txt" >&2
    exit 1
}

# Total instructions collected (all inside the function), and the calls made to it: the call
# lines that follow a cfn= line naming the function. Names are compressed: a name is spelled out
# at its first use only, after its (id).
total=$(sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p' "$out/valgrind.txt")
calls=$(awk -v want="$function" '
    /^c?fn=\(/ {
        rest = $0; sub(/^c?fn=/, "", rest)
        id = substr(rest, 1, index(rest, ")"))
        name = substr(rest, length(id) + 2)
        if (name != "") names[id] = name
        callee = ($0 ~ /^cfn=/) ? id : ""
        next
    }
    /^calls=/ {
        if (callee != "" && index(names[callee], want) > 0) {
            split(substr($0, 7), field, " ")
            calls += field[1]
        }
        callee = ""
        next
    }
    END { print calls + 0 }' "$out/callgrind.out")

if [ "$calls" -eq 0 ]; then
    echo "no calls of '$function' were recorded" >&2
    exit 1
fi
echo "$filter: $function $((total / calls)) instructions per call ($calls calls, $total in all)"
