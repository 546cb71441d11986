#!/usr/bin/env bash
# One case of the rk7power-cli tests, run in a fresh temporary folder:
#   cli_test.sh PATH-TO-rk7power-cli CASE [FILE]
# FILE names a file of tests/data/bad_inputs/ for the bad_input case.
# CMAKE_COMMAND in the environment names the cmake that checks JSON output, RK7_VERSION the
# project's version.
set -u

CLI=$1
CASE=$2
FILE=${3:-}
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$HERE/../data
# shellcheck source=../script_checks.sh
. "$HERE/../script_checks.sh"

# run STATUS ARGS...: runs the tool with stdout in ./out and stderr in ./err, and wants STATUS.
run() {
    local expected=$1
    shift
    "$CLI" "$@" >"$WORK/out" 2>"$WORK/err"
    local status=$?
    [ "$status" -eq "$expected" ] || fail_run "rk7power-cli $* exited with $status, not $expected"
}

# A native file of the built-in roster with team 0 and its drivers filled in, a Windows-1252
# team name ("Café €") and a spare driver.
make_native() {
    mkdir -p gen && "$CLI" --dir gen export "$1" || fail "export for make_native"
    rm -rf gen
    sed -i -e $'4s/.*/Name=Caf\xe9 \x80,Motor\r/' \
        -e '5s/.*/Performance=812,790,2600\r/' \
        -e '6s/.*/First Driver=1,Marco Venturi,31951,32001, ,0,0\r/' \
        -e '7s/.*/Second Driver=2,Lukas Brandauer,15000,15751, ,0,0\r/' \
        -e '8s/.*/DQualPosD1=1\r/' -e '9s/.*/DQualPosD2=2\r/' \
        -e '10s/.*/DRacePosD1=28\r/' -e '11s/.*/DRacePosD2=3\r/' \
        -e '12s/.*/TQualPosD1=1\r/' -e '13s/.*/TQualPosD2=2\r/' \
        -e '14s/.*/TRacePosD1=3\r/' -e '15s/.*/TRacePosD2=4\r/' \
        -e '201s/.*/0=Carl "CJ" Reserve,31551,15000,900, \r/' "$1"
}

case_version() {
    run 0 --version
    equals "$(line_of out 1)" "rk7power-cli $RK7_VERSION"
    contains out "License GPL-3.0-or-later"
}

case_help() {
    run 0 --help
    mv out help
    contains help "Exit status: 0 success"
    for command in export import convert check show calc diff; do
        grep -q "^  $command " help || fail "--help does not list $command"
        grep -q "^  rk7power-cli .*$command" help || fail "--help has no example of $command"
        run 0 "$command" --help
        grep -q "^Example: rk7power-cli .*$command" out || fail "$command --help has no example"
    done
}

case_usage_errors() {
    run 2
    contains err "A subcommand is required"
    run 2 frobnicate
    run 2 export
    run 2 export --dialect rk7edit a.txt
    run 2 import --dialect Native a.txt
    run 2 convert a.txt b.txt
    run 2 convert --to native a.txt
    run 2 check
    run 2 show --view everything
    run 2 show --format xml
    run 2 calc --save now
    run 2 diff
    run 2 diff a.txt --against-dir .
    run 2 diff --dialect native --against-dir .
    run 2 diff --against-dir missing-folder
    run 2 diff --format csv a.txt
    run 2 --dir missing-folder show
    run 2 --no-such-option show
    equals "$(listing)" "err out "
}

case_export_native() {
    run 0 export roster.txt
    equals "$(wc -l <roster.txt)" 208
    equals "$(grep -c $'\r$' roster.txt)" 208
    equals "$(tail -c 2 roster.txt | od -An -tx1 | tr -d ' ')" "0d0a"
    equals "$(line_of roster.txt 1)" "** Rk7Power v2.46 - Performance File **"
    equals "$(line_of roster.txt 3)" "[Team #00]"
    equals "$(line_of roster.txt 200)" "[Spare Drivers]"
    equals "$(line_of roster.txt 208)" "7=,15751,15751,, "
    run 0 export -
    same out roster.txt
    run 0 export --dialect native -
    same out roster.txt
    equals "$(listing)" "err out roster.txt "
}

case_export_exchange() {
    run 0 export --dialect exchange rk7edit.txt
    equals "$(wc -l <rk7edit.txt)" 99
    equals "$(grep -c $'\r$' rk7edit.txt)" 99
    equals "$(line_of rk7edit.txt 1)" "** Rk7edit v1.85 - Performance File **"
    equals "$(line_of rk7edit.txt 45)" "[Team #07]"
    equals "$(line_of rk7edit.txt 97)" "[File]"
    equals "$(line_of rk7edit.txt 99)" "DriverZero=0"
    run 0 export --dialect exchange -
    same out rk7edit.txt
}

case_export_write_error() {
    run 4 export missing/roster.txt
    contains err "missing/roster.txt: No such file or directory"
    mkdir folder
    run 4 export --dialect exchange folder
    contains err "folder: Is a directory"
    equals "$(listing)" "err folder out "
    equals "$(listing folder)" ""
}

# Output paths that name the standard output or error are written through them, not replaced.
case_output_is_standard_output() {
    make_native season.txt
    echo "earlier line" >log
    "$CLI" export /dev/stdout >>log 2>err || fail "export /dev/stdout >>log"
    equals "$(head -n 1 log)" "earlier line"
    equals "$(sed -n 2p log | tr -d '\r')" "** Rk7Power v2.46 - Performance File **"
    { echo H; "$CLI" export /dev/stdout; echo F; } >r.txt || fail "export inside a group"
    equals "$(head -n 1 r.txt)" "H"
    equals "$(tail -n 1 r.txt)" "F"
    equals "$(wc -l <r.txt)" 210
    "$CLI" export /dev/stderr 2>e.txt >/dev/null || fail "export /dev/stderr"
    equals "$(wc -l <e.txt)" 208
    run 0 convert --to exchange season.txt -
    equals "$(head -n 1 out | tr -d '\r')" "** Rk7edit v1.85 - Performance File **"
    [ -e ./- ] && fail "convert made a file named -"
    return 0
}

# Output that cannot be written fails, whatever the command.
case_output_errors() {
    make_native season.txt
    "$CLI" check season.txt >/dev/full 2>err
    equals "$?" 4
    "$CLI" show >/dev/full 2>err
    equals "$?" 4
    mkdir store
    "$CLI" --dir store calc --save >/dev/full 2>err
    equals "$?" 4
    contains err "Teams.rk and Drivers.rk were saved all the same"
    equals "$(listing store)" "Drivers.rk Teams.rk "
    # A file-size limit is an error with a message, and leaves the old store files.
    mkdir limited
    run 0 --dir limited calc --save
    cp limited/Teams.rk teams.before
    (ulimit -f 2; "$CLI" --dir limited import season.txt >out 2>err)
    equals "$?" 4
    contains err "File too large"
    same limited/Teams.rk teams.before
    equals "$(listing limited)" "Drivers.rk Teams.rk "
}

# Help and version that cannot be written are failures like any other output.
case_help_output_errors() {
    for args in --help --version "export --help"; do
        # shellcheck disable=SC2086 # the words of args are separate arguments
        "$CLI" $args >/dev/full 2>err
        equals "$?" 4
        contains err "standard output: write failed"
    done
}

# import and convert --strict refuse a file with any diagnostic; nothing is written.
case_strict() {
    make_native season.txt
    head -n 100 season.txt >half.txt
    mkdir store
    run 1 --dir store import --strict half.txt
    contains err "half.txt:101: the file ends before this line"
    contains err "refused under --strict"
    equals "$(listing store)" ""
    run 1 convert --strict --to exchange half.txt out.txt
    [ -e out.txt ] && fail "convert --strict wrote its output"
    run 0 --dir store import --strict season.txt
    equals "$(listing store)" "Drivers.rk Teams.rk "
}

# Store files the user protects or that are damaged.
case_store_files_guarded() {
    make_native season.txt
    mkdir store
    run 0 --dir store calc --save
    cp store/Teams.rk teams.before
    chmod 444 store/Drivers.rk
    run 4 --dir store import season.txt
    contains err "store/Drivers.rk: the file is read-only"
    same store/Teams.rk teams.before
    chmod 644 store/Drivers.rk
    # Wrong sizes are read as far as they go, with a warning naming the file and both sizes.
    truncate -s 1000 store/Drivers.rk
    : >store/Teams.rk
    run 0 --dir store show
    contains err "warning: store/Drivers.rk is 1000 bytes long, not 2844"
    contains err "warning: store/Teams.rk is 0 bytes long, not 1260"
    # Two imports into one folder at once always leave one whole roster.
    "$CLI" export defaults.txt || fail "export defaults"
    "$CLI" export --dialect exchange other.txt || fail "export other"
    local name driver
    for round in 1 2 3 4 5 6 7 8 9 10; do
        "$CLI" --dir store import season.txt 2>>err & a=$!
        "$CLI" --dir store import other.txt 2>>err & b=$!
        wait $a || fail "round $round: first import failed"
        wait $b || fail "round $round: second import failed"
        "$CLI" --dir store export back.txt || fail "export back"
        name=$(sed -n 4p back.txt)
        driver=$(sed -n 6p back.txt | cut -d, -f2)
        if [ "$name" = "$(sed -n 4p season.txt)" ]; then
            equals "$driver" "Marco Venturi"
        else
            equals "$name" "$(sed -n 4p defaults.txt)"
            equals "$driver" "$(sed -n 6p defaults.txt | cut -d, -f2)"
        fi
        equals "$(listing store)" "Drivers.rk Teams.rk "
    done
}

# A folder planted with links, pipes and journals that are not the program's: nothing outside it
# is made, written or removed, nothing that may matter is deleted unseen, and every refusal names
# the file and exits 4 at once.
case_hostile_folder() {
    make_native season.txt
    mkdir k outside
    run 0 --dir k calc --save
    cp k/Teams.rk teams.before
    kept() { same k/Teams.rk teams.before; }
    journal() { printf 'RK7 Power journal 1\0%s\0%s\0end\0' "$1" "$2" >k/RK7_Power.journal; }
    # A journal that is a link leading out of the folder, dangling or to a journal there.
    ln -s ../outside/planted k/RK7_Power.journal
    run 4 --dir k import season.txt
    contains err "k/RK7_Power.journal: a symbolic link"
    equals "$(listing outside)" ""
    kept
    cp teams.before outside/Teams.rk.tmp-1-1
    printf 'RK7 Power journal 1\0outside/Teams.rk\0outside/Teams.rk.tmp-1-1\0end\0' \
        >outside/planted
    run 4 --dir k show
    kept
    equals "$(listing outside)" "Teams.rk.tmp-1-1 planted "
    rm k/RK7_Power.journal outside/*
    # Temporary files that lead elsewhere, have other links, or have the wrong size.
    echo precious >outside/secret
    ln -s ../outside/secret k/Teams.rk.tmp-1-1
    journal k/Teams.rk k/Teams.rk.tmp-1-1
    run 4 --dir k import season.txt
    contains err "k/Teams.rk.tmp-1-1, is a symbolic link"
    rm k/Teams.rk.tmp-1-1
    ln outside/secret k/Teams.rk.tmp-1-1
    run 4 --dir k export x.txt
    contains err "is linked from elsewhere too"
    rm k/Teams.rk.tmp-1-1
    head -c 10 /dev/zero >k/Teams.rk.tmp-1-1
    run 4 --dir k import season.txt
    contains err "k/Teams.rk.tmp-1-1, is 10 bytes long, not 1260"
    kept
    equals "$(cat outside/secret)" precious
    equals "$(listing k)" "Drivers.rk RK7_Power.journal Teams.rk Teams.rk.tmp-1-1 "
    rm k/RK7_Power.journal k/Teams.rk.tmp-1-1
    # Journals that are garbage, empty, cut off, huge, a folder, or name other files.
    for bad in garbage empty cut huge folder other; do
        case $bad in
        garbage) echo 'not a journal' >k/RK7_Power.journal ;;
        empty) : >k/RK7_Power.journal ;;
        cut) printf 'RK7 Power journal 1\0k/Teams.rk\0k/Tea' >k/RK7_Power.journal ;;
        huge) truncate -s 200M k/RK7_Power.journal ;;
        folder) mkdir k/RK7_Power.journal ;;
        other) journal k/passwd k/passwd.tmp-1-1 ;;
        esac
        run 4 --dir k show
        contains err "k/RK7_Power.journal: "
        contains err "left as they are"
        [ -e k/RK7_Power.journal ] || fail "$bad: the journal was removed"
        run 4 --dir k import season.txt
        kept
        rm -rf k/RK7_Power.journal
    done
    # A store file that is a pipe with an idle writer is refused at once, not waited on.
    mkdir p
    mkfifo p/Teams.rk
    exec 3<>p/Teams.rk
    timeout 10 "$CLI" --dir p export x.txt 2>err
    equals $? 4
    contains err "p/Teams.rk: not a regular file"
    exec 3>&-
    # Output over the folder's own files, by any name, is refused before anything happens.
    ln -s k/Teams.rk link.rk
    for target in k/Teams.rk ./k/../k/Drivers.rk link.rk k/RK7_Power.journal k/Teams.rk.tmp-9-9; do
        run 4 --dir k export "$target"
        contains err "one of the roster folder's own files"
        run 4 --dir k convert --to exchange season.txt "$target"
    done
    kept
    equals "$(listing k)" "Drivers.rk Teams.rk "
    "$CLI" --dir k show >>k/Drivers.rk 2>err
    equals $? 4
    contains err "standard output: this is one of the roster folder's own files"
    "$CLI" --dir k calc --save >k/Drivers.rk 2>err
    equals $? 4
    kept
}

# A file in UTF-8 is read as UTF-8 after its byte-order mark, or when asked to.
case_utf8() {
    cp "$DATA/bad_inputs/utf8_names.txt" plain.txt
    run 1 check plain.txt
    contains out "plain.txt:4: the file looks like UTF-8"
    run 1 check --encoding utf-8 plain.txt
    contains out "plain.txt:48: character U+5927 has no Windows-1252 form"
    mkdir store
    run 0 --dir store import --encoding utf-8 plain.txt
    run 0 --dir store show --view teams
    contains out "Kimi Räikkönen"
    # Read without its mark, the names keep their UTF-8 bytes; the file written from them is
    # still the program's own, taken under --strict and read back to the same cells.
    mkdir kept
    run 0 --dir kept import plain.txt
    run 0 --dir kept export own.txt
    run 0 --dir kept import --strict own.txt
    contains err "looks like UTF-8"
    run 0 --dir kept export again.txt
    same own.txt again.txt
}

case_import_round_trip() {
    make_native season.txt
    mkdir a b
    run 0 --dir a import season.txt
    equals "$(cat err)" ""
    equals "$(listing a)" "Drivers.rk Teams.rk "
    equals "$(wc -c <a/Teams.rk)" 1260
    equals "$(wc -c <a/Drivers.rk)" 2844
    # The roster gives back the very file it was read from.
    run 0 --dir a export again.txt
    same again.txt season.txt
    # And a second folder read from that ends up with the same store files.
    run 0 --dir b import again.txt
    same a/Teams.rk b/Teams.rk
    same a/Drivers.rk b/Drivers.rk
    # The exchange dialect the same way, into a folder without positions.
    mkdir c
    run 0 --dir a export --dialect exchange x1.txt
    run 0 --dir c import x1.txt
    run 0 --dir c export --dialect exchange x2.txt
    same x1.txt x2.txt
    run 0 --dir c export native-from-c.txt
    equals "$(line_of native-from-c.txt 4)" "$(line_of season.txt 4)"
    equals "$(line_of native-from-c.txt 8)" "DQualPosD1="
}

case_import_refused() {
    make_native season.txt
    mkdir dir
    # Not a Performance File at all, an empty file, and a file of the other dialect.
    printf 'Hello\r\n' >hello.txt
    : >empty.txt
    run 0 --dir dir convert --to exchange season.txt rk7edit.txt
    for args in "hello.txt" "empty.txt" "--dialect exchange season.txt" \
        "--dialect native rk7edit.txt"; do
        # shellcheck disable=SC2086
        run 3 --dir dir import $args
        contains err "This not a valid Peformance File"
        equals "$(listing dir)" ""
    done
    # Store files already there stay as they were.
    run 0 --dir dir import season.txt
    cp dir/Teams.rk teams.before
    cp dir/Drivers.rk drivers.before
    run 3 --dir dir import hello.txt
    same dir/Teams.rk teams.before
    same dir/Drivers.rk drivers.before
    equals "$(listing dir)" "Drivers.rk Teams.rk "
}

case_import_unreadable() {
    mkdir dir
    run 4 --dir dir import nothing.txt
    contains err "nothing.txt: No such file or directory"
    equals "$(listing dir)" ""
    run 4 --dir dir import dir
    contains err "dir: Is a directory"
    # A store file that exists but cannot be read stops the command before it writes anything.
    make_native season.txt
    mkdir dir/Teams.rk
    run 4 --dir dir import season.txt
    contains err "dir/Teams.rk: Is a directory"
    equals "$(listing dir)" "Teams.rk "
    # A folder nothing can be written in.
    run 4 --dir /proc import season.txt
    contains err "/proc/Teams.rk: "
}

case_import_diagnostics() {
    make_native season.txt
    local name="A Team Name Of Forty Characters Exactly"
    sed -i -e "18s/.*/Name=$name,X\r/" season.txt
    head -n 50 season.txt >short.txt
    mkdir dir
    run 0 --dir dir import short.txt
    contains err "short.txt:18: team name of ${#name} characters cut to 31"
    contains err "short.txt:51: the file ends before this line"
    equals "$(wc -l <err)" 2
    equals "$(listing dir)" "Drivers.rk Teams.rk "
    run 0 --dir dir show --view teams --format csv
    equals "$(line_of out 3)" "A Team Name Of Forty Characters,X,,,"
}

case_import_detects_dialect() {
    make_native season.txt
    mkdir a b
    run 0 --dir a import season.txt
    run 0 --dir a export --dialect exchange rk7edit.txt
    run 0 --dir b import rk7edit.txt
    run 0 --dir b import --dialect exchange rk7edit.txt
    run 0 --dir b show --format json
    contains out '"name": "Café €"'
}

case_convert() {
    make_native season.txt
    mkdir dir
    run 0 --dir dir convert --to exchange season.txt rk7edit.txt
    equals "$(listing dir)" ""
    equals "$(wc -l <rk7edit.txt)" 99
    # The same as importing and exporting.
    mkdir other
    run 0 --dir other import season.txt
    run 0 --dir other export --dialect exchange expected.txt
    same rk7edit.txt expected.txt
    run 0 --dir dir convert --to native rk7edit.txt back.txt
    equals "$(wc -l <back.txt)" 208
    equals "$(line_of back.txt 4)" "$(line_of season.txt 4)"
    equals "$(line_of back.txt 201)" "$(line_of season.txt 201)"
    # Refused and unreadable input write nothing.
    printf 'Hello\r\n' >hello.txt
    run 3 --dir dir convert --to native hello.txt out1.txt
    contains err "hello.txt: This not a valid Peformance File"
    run 4 --dir dir convert --to native nothing.txt out2.txt
    contains err "nothing.txt: No such file or directory"
    run 4 --dir dir convert --to native season.txt missing/out3.txt
    contains err "missing/out3.txt: No such file or directory"
    [ ! -e out1.txt ] && [ ! -e out2.txt ] || fail "convert wrote output for bad input"
    equals "$(listing dir)" ""
}

case_check() {
    make_native season.txt
    run 0 check season.txt
    equals "$(cat out)" "native"
    run 0 --dir . convert --to exchange season.txt rk7edit.txt
    run 0 check rk7edit.txt
    equals "$(cat out)" "exchange"
    # Every kind of diagnostic: a cut, a clamp, a missing "=" and an early end.
    local engine="An Engine Name Far Too Long For Its Cell"
    sed -e "4s/.*/Name=Caf\xe9,$engine\r/" \
        -e '6s/.*/First Driver=1,Marco Venturi,,32001, ,0,0\r/' \
        -e '9s/.*/7\r/' season.txt | head -n 100 >bad.txt
    run 1 check bad.txt
    equals "$(line_of out 1)" "native"
    contains out "bad.txt:4: engine name of ${#engine} characters cut to 31"
    contains out "bad.txt:6: driver race power out of range, clamped to -9999"
    contains out 'bad.txt:9: no "=" in the line; value taken as empty'
    contains out "bad.txt:101: the file ends before this line"
    equals "$(wc -l <out)" 5
    printf 'Hello\r\n' >hello.txt
    run 3 check hello.txt
    contains err "This not a valid Peformance File"
    run 4 check nothing.txt
    contains err "nothing.txt: No such file or directory"
    equals "$(listing)" "bad.txt err hello.txt out rk7edit.txt season.txt "
}

case_show_text() {
    make_native season.txt
    run 0 import season.txt
    run 0 show
    equals "$(wc -l <out)" 29
    local header
    header=$(line_of out 1)
    [[ "$header" =~ ^#\ +Driver\ Names\ +Team\ Names\ +Engine\ +T\ Q\ Power\ +T\ R\ Power\ +D\ Q\ Power\ +D\ R\ Power\ +Failure\ +Range$ ]] ||
        fail "View All captions: $header"
    equals "$(line_of out 2 | tr -s ' ')" "1 Marco Venturi Café € Motor 790 812 16250 16200 2600"
    # Right-aligned columns end under the end of their caption, counting characters: with é and
    # € made one byte each, byte offsets are character offsets.
    local row
    row=$(line_of out 3 | sed $'s/\xc3\xa9/e/; s/\xe2\x82\xac/E/')
    local caption_end=$(($(awk -v h="$header" 'BEGIN { print index(h, "D R Power") }') + 8))
    equals "${row:caption_end-5:5}" " -751"
    run 0 show --view teams
    equals "$(wc -l <out)" 15
    [[ "$(line_of out 1)" =~ ^Team\ Names\ +Engine\ +T\ Q\ Power\ +T\ R\ Power\ +Failure$ ]] ||
        fail "View Teams captions: $(line_of out 1)"
    equals "$(line_of out 2 | tr -s ' ')" "Café € Motor 790 812 2600"
    run 0 show --view drivers
    equals "$(wc -l <out)" 29
    [[ "$(line_of out 1)" =~ ^#\ +Driver\ Names\ +D\ Q\ Power\ +D\ R\ Power\ +Range$ ]] ||
        fail "View Drivers captions: $(line_of out 1)"
    equals "$(line_of out 3 | tr -s ' ')" "2 Lukas Brandauer 0 -751"
}

case_show_csv() {
    make_native season.txt
    sed -i -e '18s/.*/Name=Red, "Bull",Honda\r/' season.txt
    run 0 import season.txt
    run 0 show --view teams --format csv
    equals "$(wc -l <out)" 15
    equals "$(grep -c $'\r$' out)" 15
    equals "$(line_of out 1)" "Team Names,Engine,T Q Power,T R Power,Failure"
    equals "$(line_of out 2)" "Café €,Motor,790,812,2600"
    # The comma moved " \"Bull\"" into the engine field, which needs quoting.
    equals "$(line_of out 3)" 'Red," ""Bull""",,,'
    run 0 show --format csv
    equals "$(line_of out 1)" "#,Driver Names,Team Names,Engine,T Q Power,T R Power,D Q Power,D R Power,Failure,Range"
    equals "$(wc -l <out)" 29
    run 0 show --view drivers --format csv
    equals "$(line_of out 1)" "#,Driver Names,D Q Power,D R Power,Range"
}

case_show_json() {
    make_native season.txt
    run 0 import season.txt
    run 0 show --format json
    "${CMAKE_COMMAND:-cmake}" -DJSON_FILE="$WORK/out" -P "$HERE/check_json.cmake" ||
        fail "JSON check"
    # Windows-1252 bytes arrive as UTF-8: é is C3 A9, € is E2 82 AC.
    contains out "$(printf '"name": "Caf\xc3\xa9 \xe2\x82\xac"')"
    contains out '"name": "Carl \"CJ\" Reserve"'
    # Members come in a fixed order (the check above sees them sorted).
    equals "$(grep -o '^  "[A-Za-z]*"' out | tr -d ' "' | tr '\n' ' ')" \
        "teams drivers spares driverPowerByPos teamPowerByPos rangeByPos failureByPos start "
    equals "$(sed -n '3,/}/p' out | grep -o '^      "[A-Za-z0-9]*"' | tr -d ' "' | tr '\n' ' ')" \
        "name engine qualPower racePower failure qualPosD1 qualPosD2 racePosD1 racePosD2 "
    # --view does not narrow the JSON.
    run 0 show --view teams --format json
    "${CMAKE_COMMAND:-cmake}" -DJSON_FILE="$WORK/out" -P "$HERE/check_json.cmake" ||
        fail "JSON check with --view"
}

case_calc() {
    make_native season.txt
    run 0 import season.txt
    cp Teams.rk teams.before
    cp Drivers.rk drivers.before
    run 0 calc
    same Teams.rk teams.before
    same Drivers.rk drivers.before
    equals "$(wc -l <out)" 29
    # 740 + 55 + 53, 715 + 51 + 49, 500 + 600 + 700 + 800; 16200 + 500, 15750 + 5, range of 28.
    equals "$(line_of out 2 | tr -s ' ')" "1 Marco Venturi Café € Motor 848 815 16700 15755 2600 1850"
    # 16200 + 450, 15750 + 400, range of 3.
    equals "$(line_of out 3 | tr -s ' ')" "2 Lukas Brandauer Café € Motor 848 815 16650 16150 2600 600"
    # A team and driver without positions get "0".
    equals "$(line_of out 4 | awk '{ print $(NF-5), $(NF-4), $(NF-3), $(NF-2), $(NF-1), $NF }')" \
        "0 0 0 0 0 0"
    run 0 calc --save
    run 0 show --format json
    contains out '"qualPower": "848"'
    contains out '"range": "1850"'
    run 4 --dir /proc calc --save
    contains err "/proc/Teams.rk: "
}

# diff lists the cells an import would change, as text or JSON, and the import then changes
# exactly those.
case_diff_cells() {
    make_native season.txt
    mkdir store other
    run 0 --dir store import season.txt
    run 0 --dir store diff season.txt
    equals "$(cat out)" "no cells differ"
    run 0 --dir store diff --format json season.txt
    equals "$(cat out)" "[]"
    # A tab and a C1 control character (Windows-1252 leaves 0x81 undefined) are shown escaped.
    sed -e $'18s/.*/Name=Red Bull,Hon\tda\x81\r/' -e '7s/,15000,/,15100,/' -e '11s/=3/=5/' \
        -e $'201s/Carl "CJ" Reserve/Caf\xe9/' season.txt >new.txt
    run 1 --dir store diff new.txt
    cat >expected <<'END'
team 1 (Mclaren) TeamName: "Mclaren" -> "Red Bull"
team 1 (Mclaren) EngineName: "Mercedes" -> "Hon\x09da\u0081"
driver 1 (Lukas Brandauer) DriverRacePos: "3" -> "5"
driver 1 (Lukas Brandauer) DriverRacePower: "-751" -> "-651"
spare 0 (Carl "CJ" Reserve) SpareName: "Carl \"CJ\" Reserve" -> "Café"
5 cells differ
END
    same out expected
    run 1 --dir store diff --format json new.txt
    equals "$(grep -c '^  {' out)" 5
    sed -n '/"row": "spare"/,/}/p' out >spare
    cat >expected.json <<'END'
    "row": "spare",
    "index": 0,
    "name": "Carl \"CJ\" Reserve",
    "field": "SpareName",
    "now": "Carl \"CJ\" Reserve",
    "file": "Café"
  }
END
    same spare expected.json
    # The same cells against a folder the file was imported into, which has other position
    # tables and start values too (no Performance File carries those).
    run 0 --dir other import new.txt
    run 1 --dir store diff --against-dir other
    same out expected
    head -c 220 /dev/zero >other/EPowers.rk
    printf '9\0' >other/RanFail.rk
    run 1 --dir store diff --against-dir other
    contains out 'position table 0 (position 1) DriverPowerByPos: "500" -> ""'
    contains out 'position table 0 (position 1) FailureByPos: "500" -> "9"'
    contains out 'position table 27 (position 28) TeamPowerByPos: "1" -> ""'
    contains out 'start value TeamStartRace: "715" -> ""'
    # The 5 above, 2 x 28 position-table cells and 4 start values made empty, 1 failure.
    equals "$(tail -n 1 out)" "66 cells differ"
    contains err "warning: other/RanFail.rk is 2 bytes long, not 336"
    run 0 --dir store import new.txt
    run 0 --dir store diff new.txt
}

# Both dialects, read as import reads them.
case_diff_dialects() {
    make_native season.txt
    mkdir store other
    run 0 --dir other import season.txt
    run 0 --dir other export --dialect exchange rk7edit.txt
    run 1 --dir store diff season.txt
    grep -v 'Pos[D12]*: ' out | sed '$d' >native
    run 1 --dir store diff rk7edit.txt
    sed '$d' out >exchange
    # The exchange dialect carries everything but the positions.
    same exchange native
    equals "$(tail -n 1 out)" "$(wc -l <exchange) cells differ"
    run 1 --dir store diff --dialect exchange rk7edit.txt
    run 3 --dir store diff --dialect native rk7edit.txt
    contains err "rk7edit.txt: This not a valid Peformance File"
    cp "$DATA/bad_inputs/utf8_names.txt" utf8.txt
    run 1 --dir store diff utf8.txt
    contains err "utf8.txt:4: the file looks like UTF-8"
    run 1 --dir store diff --encoding utf-8 utf8.txt
    contains out 'team 0 (Ferrari) TeamName: "Ferrari" -> "Kimi Räikkönen"'
}

# Exit statuses: 0 same, 1 different (above), 3 not a Performance File, 4 unreadable. A damaged
# file is compared as far as import would read it, with import's diagnostics.
case_diff_errors() {
    make_native season.txt
    mkdir store
    printf 'Hello\r\n' >hello.txt
    run 3 --dir store diff hello.txt
    contains err "hello.txt: This not a valid Peformance File"
    equals "$(cat out)" ""
    run 4 --dir store diff nothing.txt
    contains err "nothing.txt: No such file or directory"
    cp "$DATA/bad_inputs/missing_team_block.txt" damaged.txt
    run 1 --dir store diff damaged.txt
    mv err diff_diagnostics
    contains diff_diagnostics "damaged.txt:195: the file ends before this line"
    run 0 --dir store import damaged.txt
    same diff_diagnostics err
    run 0 --dir store diff damaged.txt
    same diff_diagnostics err
    mkdir bad bad/Teams.rk
    run 4 --dir bad diff season.txt
    contains err "bad/Teams.rk: Is a directory"
    run 4 --dir store diff --against-dir bad
    "$CLI" --dir store diff season.txt >/dev/full 2>err
    equals "$?" 4
}

# diff writes nothing: no store file, no recovery of a save cut short (its journal and new
# Teams.rk stay, and are what diff reads), not even a timestamp.
case_diff_writes_nothing() {
    make_native season.txt
    mkdir store
    run 0 --dir store import season.txt
    cp store/Teams.rk store/Teams.rk.tmp-1-1
    printf 'X' | dd of=store/Teams.rk.tmp-1-1 bs=1 conv=notrunc status=none
    printf 'RK7 Power journal 1\0store/Teams.rk\0store/Teams.rk.tmp-1-1\0end\0' \
        >store/RK7_Power.journal
    touch -d '2001-02-03 04:05:06' store/* store
    snapshot() { (cd store && find . -printf '%p %s %m %T@\n' | sort && md5sum -- *); }
    snapshot >before
    run 1 --dir store diff season.txt
    equals "$(cat out)" $'team 0 (Xaf\xc3\xa9 \xe2\x82\xac) TeamName: "Xaf\xc3\xa9 \xe2\x82\xac" -> "Caf\xc3\xa9 \xe2\x82\xac"\n1 cell differs'
    run 0 --dir store diff --format json --against-dir store
    printf 'Hello\r\n' >hello.txt
    run 3 --dir store diff hello.txt
    # So do the other commands that only read, with a warning; the next save completes it.
    run 0 --dir store show --view teams
    contains out "Xaf"
    contains err "warning: store: a save into this folder was cut short"
    run 0 --dir store export back.txt
    snapshot >after
    same before after
    run 0 --dir store import season.txt
    equals "$(listing store)" "Drivers.rk Teams.rk "
}

# A damaged Performance File of tests/data/bad_inputs/, through check and import, as
# tests/data/bad_inputs.txt expects: the exit status of each, a text check prints, nothing written
# when import refuses, the same diagnostics from both, and the file given back byte for byte by an
# export where the list says "same".
case_bad_input() {
    local entry check_status import_status same text
    entry=$(grep -m 1 -F -- "$FILE " "$DATA/bad_inputs.txt") || fail "$FILE is not listed"
    read -r _ check_status import_status same text <<<"$entry"
    cp "$DATA/bad_inputs/$FILE" "$FILE"
    run "$check_status" check "$FILE"
    cat out err >said
    contains said "$text"
    mkdir store
    run "$import_status" --dir store import "$FILE"
    if [ "$import_status" -ne 0 ]; then
        contains err "$FILE: This not a valid Peformance File"
        equals "$(listing store)" ""
        return
    fi
    mv err import_diagnostics
    equals "$(listing store)" "Drivers.rk Teams.rk "
    equals "$(wc -c <store/Teams.rk)" 1260
    equals "$(wc -c <store/Drivers.rk)" 2844
    # check lists on standard output what import reports on standard error, after the dialect.
    run "$check_status" check "$FILE"
    local dialect
    dialect=$(head -n 1 out)
    tail -n +2 out >check_diagnostics
    same check_diagnostics import_diagnostics
    # The program goes on with the store files the import wrote.
    run 0 --dir store show --format json
    "${CMAKE_COMMAND:-cmake}" -DJSON_FILE="$WORK/out" -DSHAPE_ONLY=ON \
        -P "$HERE/check_json.cmake" || fail "JSON check"
    if [ "$same" = same ]; then
        # The first team's name, byte for byte in Teams.rk and NUL-terminated there ...
        local name
        name=$(sed -n 4p "$FILE" | cut -d= -f2 | cut -d, -f1)
        { printf '%s' "$name"; printf '\0'; } >name.expected
        head -c $((${#name} + 1)) store/Teams.rk >name.stored
        same name.stored name.expected
        # ... and the whole file back from the store files.
        run 0 --dir store export --dialect "$dialect" back.txt
        same back.txt "$FILE"
    fi
}

# A name of 1 MB on one line, a 1 MB file of one line without a line end, and a file beyond the
# 4 MiB a Performance File may have: made here rather than committed.
case_bad_input_large() {
    run 0 export base.txt
    {
        sed -n 1,3p base.txt
        printf 'Name=%s,Engine\r\n' "$(head -c 1048576 /dev/zero | tr '\0' L)"
        sed -n '5,$p' base.txt
    } >long_line.txt
    equals "$(wc -l <long_line.txt)" 208
    run 1 check long_line.txt
    contains out "long_line.txt:4: team name of 1048576 characters cut to 31"
    equals "$(wc -l <out)" 2
    mkdir store
    run 0 --dir store import long_line.txt
    run 0 --dir store show --view teams --format csv
    equals "$(line_of out 2)" "$(printf 'L%.0s' {1..31}),Engine,,,"

    head -c 1048576 /dev/zero | tr '\0' A >one_line.txt
    run 3 check one_line.txt
    contains err "one_line.txt: This not a valid Peformance File"
    run 3 --dir store import one_line.txt

    { cat base.txt; head -c 5242880 /dev/zero; } >too_large.txt
    run 4 check too_large.txt
    contains err "too_large.txt: larger than 4 MiB, too large for a Performance File"
    cp store/Teams.rk teams.before
    run 4 --dir store import too_large.txt
    same store/Teams.rk teams.before
}

if ! declare -F "case_$CASE" >/dev/null; then
    fail "no such case"
fi
"case_$CASE"
echo "ok ($CASE)"
