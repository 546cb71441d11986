#!/usr/bin/env bash
# Start-up time of RK7 Power next to that of a QMainWindow with one word in its status bar and
# that of an empty QMainWindow, on the same machine in one run: from process start to the first
# painted frame of the main window, under the offscreen platform.
#
#   scripts/measure-startup.sh            (or: make startup)
#
# Builds rk7power when it is missing (BUILD, default build/default), compiles the two reference
# programs and a small launcher with g++ and pkg-config Qt6Widgets into $BUILD/startup, then runs
# the programs in turn, RUNS times each (default 15) after one unmeasured run each, and prints
# every run, the medians and the ratios. Each run starts in a fresh empty roster folder (the built-in
# roster) with configuration and cache folders of the script's, so nothing of the user's is read
# or written.
#
# Three programs: the window with one word in its status bar (the baseline of the goal, at most
# 1.3x: what any window that shows text pays, the font database and a font), the empty
# QMainWindow (a second reference line; it shows no text and never loads a font), and rk7power.
#
# rk7power keeps the table fonts it fitted and its view's start frame between runs (in its cache
# folder) and checks them once its window is up. Its runs share one cache folder, filled before
# the first measured run, as every start but the first finds it; a fourth column starts it with
# an empty cache folder each time, as the first start after installing it (or after its cache
# was cleared) does.
#
# The launcher reads the monotonic clock and replaces itself with the program (exec); the program,
# given RK7_EXIT_AFTER_FIRST_PAINT=1, reads the same clock once the first frame of its main
# window has been painted and flushed, prints it and exits. The difference is the start-up time.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build/default}
[[ $build == /* ]] || build=$PWD/$build
runs=${RUNS:-15}
out=$build/startup
mkdir -p "$out"

if [ ! -x "$build/rk7power" ]; then
    echo "Building rk7power..."
    if [ ! -f "$build/build.ninja" ]; then
        (cd "$root" && cmake --preset default >/dev/null)
    fi
    cmake --build "$build" --target rk7power >/dev/null
fi

compile() { # source target [libraries]
    local source=$1 target=$2
    shift 2
    if [ ! -x "$target" ] || [ "$source" -nt "$target" ]; then
        # shellcheck disable=SC2046
        g++ -std=c++20 -O2 -fPIC "$source" -o "$target" "$@"
    fi
}
compile "$root/scripts/startup/exec_timed.cpp" "$out/exec_timed"
# shellcheck disable=SC2046
for program in one_word_main_window empty_main_window; do
    # shellcheck disable=SC2046
    compile "$root/scripts/startup/$program.cpp" "$out/$program" \
        -I"$root/src" $(pkg-config --cflags --libs Qt6Widgets)
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs a program to its first frame in an empty roster folder as its working folder, with a
# configuration folder of its own; its cache folder is $CACHE, or else one of its own too.
fresh() { # command [arguments]
    local home store
    home=$(mktemp -d "$scratch/home.XXXXXX")
    store=$(mktemp -d "$scratch/store.XXXXXX")
    mkdir -p "$home/config" "$home/runtime" "$home/cache"
    chmod 700 "$home/runtime"
    cd "$store" && env QT_QPA_PLATFORM=offscreen RK7_EXIT_AFTER_FIRST_PAINT=1 \
        XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
        XDG_CACHE_HOME="${CACHE:-$home/cache}" timeout 600 "$@"
}

# The shared cache folder, filled as a start of rk7power fills it: after its first frame.
export CACHE=$scratch/cache
mkdir -p "$CACHE"
(
    unset RK7_EXIT_AFTER_FIRST_PAINT
    cd "$scratch"
    # A simple command, so that $! is rk7power itself and the kill below ends it (a list run in
    # the background is a shell of its own, whose kill left rk7power running).
    QT_QPA_PLATFORM=offscreen XDG_CACHE_HOME="$CACHE" XDG_CONFIG_HOME="$scratch/prime-config" \
        XDG_RUNTIME_DIR="$scratch" "$build/rk7power" >/dev/null 2>&1 &
    pid=$!
    for ((i = 0; i < 200; ++i)); do
        [ -s "$CACHE/rk7power/table-fonts" ] && [ -s "$CACHE/rk7power/start-frame" ] && break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
) || true
for kept in table-fonts start-frame; do
    if [ ! -s "$CACHE/rk7power/$kept" ]; then
        echo "rk7power kept no $kept in $CACHE" >&2
        exit 1
    fi
done

# One start-up in milliseconds (three decimals), and the peak RSS in MiB.
measure() { # program [arguments]
    local output start painted rss
    output=$(fresh "$out/exec_timed" "$@" 2>/dev/null) || true
    start=$(sed -n 's/^start-ns //p' <<<"$output")
    painted=$(sed -n 's/^first-paint-ns //p' <<<"$output")
    if [ -z "$start" ] || [ -z "$painted" ]; then
        echo "no first paint from $*" >&2
        return 1
    fi
    rss=$(sed -n 's/^peak-rss-kb //p' <<<"$output")
    awk -v a="$start" -v b="$painted" -v r="${rss:-0}" \
        'BEGIN { printf "%.3f %.1f\n", (b - a) / 1e6, r / 1024 }'
}

median() {
    sort -g | awk '{ v[NR] = $1 }
        END { if (NR % 2) printf "%.3f\n", v[(NR + 1) / 2];
              else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

word=("$out/one_word_main_window")
empty=("$out/empty_main_window")
rk7=("$build/rk7power")
# One unmeasured run each: the files they load are in the page cache for every measured run.
measure "${word[@]}" >/dev/null
measure "${empty[@]}" >/dev/null
measure "${rk7[@]}" >/dev/null

# In turn, so that a busy moment of the machine falls on all of them alike.
word_times=() empty_times=() rk7_times=() first_times=()
word_rss=() empty_rss=() rk7_rss=() first_rss=()
for ((i = 1; i <= runs; ++i)); do
    read -r t m <<<"$(measure "${word[@]}")"
    word_times+=("$t") word_rss+=("$m")
    read -r t m <<<"$(measure "${empty[@]}")"
    empty_times+=("$t") empty_rss+=("$m")
    read -r t m <<<"$(measure "${rk7[@]}")"
    rk7_times+=("$t") rk7_rss+=("$m")
    read -r t m <<<"$(CACHE='' measure "${rk7[@]}")"
    first_times+=("$t") first_rss+=("$m")
done

row() { printf '%-7s %15s %13s %13s %13s\n' "$@"; }
echo "Start-up to the first painted frame of the main window (offscreen), milliseconds"
row run "one-word window" "empty window" rk7power "first start"
for ((i = 0; i < runs; ++i)); do
    row $((i + 1)) "${word_times[i]}" "${empty_times[i]}" "${rk7_times[i]}" "${first_times[i]}"
done
word_median=$(printf '%s\n' "${word_times[@]}" | median)
empty_median=$(printf '%s\n' "${empty_times[@]}" | median)
rk7_median=$(printf '%s\n' "${rk7_times[@]}" | median)
first_median=$(printf '%s\n' "${first_times[@]}" | median)
row median "$word_median" "$empty_median" "$rk7_median" "$first_median"
awk -v r="$rk7_median" -v f="$first_median" -v w="$word_median" -v e="$empty_median" 'BEGIN {
    printf "ratio   rk7power / one-word window = %.2f (goal: at most 1.30)\n", r / w
    printf "        rk7power / empty window    = %.2f (reference)\n", r / e
    printf "        first start / one-word window = %.2f\n", f / w
}'
# This machine has fast and slow spells that move the programs of one round together; the ratio
# within each round, then their median, moves less than the ratio of the medians.
paired=$(for ((i = 0; i < runs; ++i)); do
    awk -v r="${rk7_times[i]}" -v w="${word_times[i]}" 'BEGIN { printf "%.4f\n", r / w }'
done | median)
printf '        median of the ratios in each round = %.2f\n' "$paired"
word_rss_median=$(printf '%s\n' "${word_rss[@]}" | median)
empty_rss_median=$(printf '%s\n' "${empty_rss[@]}" | median)
rk7_rss_median=$(printf '%s\n' "${rk7_rss[@]}" | median)
first_rss_median=$(printf '%s\n' "${first_rss[@]}" | median)
row "RSS MiB" "$word_rss_median" "$empty_rss_median" "$rk7_rss_median" "$first_rss_median"
awk -v r="$rk7_rss_median" -v w="$word_rss_median" 'BEGIN {
    printf "ratio   peak RSS, rk7power / one-word window = %.2f (goal: at most 1.15)\n", r / w
}'
echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"

# With INSTRUCTIONS=1, also the instructions each program runs to its first frame (callgrind):
# slow, but steady where the times are not.
if [ "${INSTRUCTIONS:-0}" = 1 ]; then
    count() { # program
        (fresh valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null) |
            sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
    }
    word_ir=$(count "${word[@]}")
    rk7_ir=$(count "${rk7[@]}")
    first_ir=$(CACHE='' count "${rk7[@]}")
    awk -v r="$rk7_ir" -v f="$first_ir" -v w="$word_ir" 'BEGIN {
        printf "instructions  one-word window %.1f million, rk7power %.1f million, ratio %.2f\n",
            w / 1e6, r / 1e6, r / w
        printf "              first start %.1f million, ratio %.2f\n", f / 1e6, f / w
    }'
fi
