#!/usr/bin/env bash
# One case of rk7power started as a user starts it, in a fresh temporary folder, for what it
# settles from its command line before any window:
#   program_test.sh PATH-TO-rk7power CASE
set -u

PROGRAM=$1
CASE=$2
# shellcheck source=../script_checks.sh
. "$(cd "$(dirname "$0")" && pwd)/../script_checks.sh"
mkdir -m 700 runtime

# run STATUS ENV-ASSIGNMENTS... -- ARGS...: runs the program with a bare environment plus the
# assignments, stdout in ./out and stderr in ./err, and wants STATUS. A hang fails after 60 s.
run() {
    local expected=$1
    shift
    local assignments=()
    while [ "$1" != -- ]; do
        assignments+=("$1")
        shift
    done
    shift
    env -i PATH="$PATH" XDG_RUNTIME_DIR="$WORK/runtime" "${assignments[@]}" \
        timeout 60 "$PROGRAM" "$@" >"$WORK/out" 2>"$WORK/err"
    local status=$?
    [ "$status" -eq "$expected" ] || fail_run "rk7power $* exited with $status, not $expected"
}

# Help and version need no display, even where the platform named is one that needs it.
case_help_without_display() {
    run 0 HOME="$WORK" QT_QPA_PLATFORM=xcb -- --help
    contains out "Usage: $PROGRAM [options] [FOLDER | FILE]"
    contains out "--user-folder"
    tr -s ' \n' ' ' <out >help
    contains help "Keeps the roster in the user's own folder, $WORK/.local/share/rk7power"
    run 0 HOME="$WORK" QT_QPA_PLATFORM=xcb -- --version
    equals "$(sed -n 1p out)" "rk7power $RK7_VERSION"
    contains out "License GPL-3.0-or-later"
}

# Help and version that cannot be written are failures with a message.
case_help_output_errors() {
    for option in --help --version; do
        HOME="$WORK" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$WORK/runtime" \
            timeout 60 "$PROGRAM" "$option" >/dev/full 2>err
        equals "$?" 4
        contains err "standard output"
    done
}

# --user-folder with no variable to name the user's folder is refused before any window, rather
# than put under the root folder; XDG_DATA_HOME alone is enough.
case_user_folder_without_home() {
    run 1 QT_QPA_PLATFORM=offscreen RK7_EXIT_AFTER_FIRST_PAINT=1 -- --user-folder
    contains err "HOME"
    contains err "XDG_DATA_HOME"
    equals "$(cat out)" ""
    run 0 QT_QPA_PLATFORM=offscreen RK7_EXIT_AFTER_FIRST_PAINT=1 XDG_DATA_HOME="$WORK/data" \
        XDG_CONFIG_HOME="$WORK/config" -- --user-folder
    contains out "first-paint-ns"
    [ -d "$WORK/data/rk7power" ] || fail "the user's folder was not made in \$XDG_DATA_HOME"
}

"case_$CASE"
