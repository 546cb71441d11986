#!/usr/bin/env bash
# Soak test of the roster folder: a roster is never left mixed (teams of one roster, drivers of
# another) nor with leftover temporary files or journals, whatever spelling of the folder each
# command is given and wherever a save is cut short.
#
#   scripts/soak-roster-folder.sh CLI [KILL_TRIALS [ROUNDS]]
#
#   CLI          path of rk7power-cli (an already built one; nothing is built here)
#   KILL_TRIALS  saves cut short by SIGKILL (default 1000)
#   ROUNDS       rounds of two imports and a reader at once (default 500)
#   SEED=N       seeds $RANDOM (spellings, kill points, delays); timing still varies from run to run
#
# Needs bash, coreutils, sed, cmp and strace (apt-get install -y strace if it is missing); strace
# injects SIGKILL at a chosen rename, fsync or unlink of a save. Works in a fresh mktemp folder
# that it removes on exit.
#
# Every command names the folder k in one of these spellings, picked at random, and the commands
# of one trial never use the same spelling twice in a row: k, ./k, k/, /abs/k, lk (a link to k),
# lk/../k, /abs/lk, and sub/lk/../k (sub/lk links to ../k, so the kernel reaches k where lexical
# clean-up would give sub/k, which does not exist).
#
# Rosters A (the built-in one, exported) and B (A with the names of four teams and of their eight
# drivers changed) are whole when BOTH the team names and the driver names read back equal those
# of A or of B; anything else is mixed. Team names live in Teams.rk and driver names in Drivers.rk,
# so a folder holding one file of each roster shows as mixed; the script checks that before it
# starts, so that a mix cannot go unseen.
#
# 1. Kill trials. k holds whole A. A writer (import B.txt or A.txt, alternately, or calc --save
#    one time in five) is killed by strace at rename number 1..3, at fsync number 1..6 or at the
#    unlink of the journal, or by SIGKILL after 0-30 ms. Then a reader (export - or show --format
#    json) must see a whole roster (and, when the writer left a journal, the writer's roster: a
#    journal means the save counts as done); then an import (of the roster the reader saw, or of
#    the other) must exit 0, after which k holds nothing but store files and exports whole as the
#    file just imported.
# 2. Concurrency rounds. import A.txt, import B.txt and export - start at once on k; each must
#    exit 0, except that a writer that waited more than 5 s for the folder exits 4 with "another
#    program is saving" (counted as busy, not as a failure). The reader's roster and the final
#    export must be whole (the final one the roster of the writer that saved last, when only one
#    saved), and k must hold nothing but store files.
#
# One summary line per part; the exit status is 1 when anything was mixed, left over, wrong or
# failed, 2 when the test could not be set up. Each fault is described on stderr as it happens.
set -u

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
    echo "usage: $0 RK7POWER-CLI [KILL_TRIALS [ROUNDS]]" >&2
    exit 2
fi
cli=$1
trials=${2:-1000}
rounds=${3:-500}
case $trials$rounds in *[!0-9]*) echo "$0: counts must be whole numbers" >&2; exit 2 ;; esac
[ -x "$cli" ] || { echo "$0: $cli is not an executable" >&2; exit 2; }
cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")
command -v strace >/dev/null || { echo "$0: strace is needed (apt-get install -y strace)" >&2; exit 2; }

seed=${SEED:-$$}
RANDOM=$seed

work=$(mktemp -d) || exit 2
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
cd "$work" || exit 2

die() { echo "$0: $*" >&2; exit 2; }

# --- Spellings of k --------------------------------------------------------------------------
mkdir k sub || die "cannot make folders in $work"
ln -s k lk && ln -s ../k sub/lk || die "cannot make links in $work"
spellings=(k ./k k/ "$work/k" lk lk/../k "$work/lk" sub/lk/../k)

# Sets S to a random spelling other than $1.
pick() {
    S=$1
    while [ "$S" = "$1" ]; do S=${spellings[RANDOM % ${#spellings[@]}]}; done
}

# --- Reading a roster back -------------------------------------------------------------------
# Sets T and D to the team names and driver names in $1, an export (fmt export) or the output of
# show --format json (fmt json). Performance Files have CRLF line ends.
names() {
    if [ "$2" = json ]; then
        T=$(sed -n '/^  "teams": \[/,/^  \]/s/^ *"name": "\(.*\)",\{0,1\}$/\1/p' "$1")
        D=$(sed -n '/^  "drivers": \[/,/^  \]/s/^ *"name": "\(.*\)",\{0,1\}$/\1/p' "$1")
    else
        T=$(sed -n 's/^Name=\([^\r]*\)\r\{0,1\}$/\1/p' "$1")
        D=$(sed -n 's/^\(First\|Second\) Driver=[^,]*,\([^,]*\),.*$/\2/p' "$1")
    fi
}

declare -A TA DA TB DB
# Sets C to A, B or mixed for the output $1 in format $2.
classify() {
    names "$1" "$2"
    if [ -n "$T" ] && [ "$T" = "${TA[$2]}" ] && [ "$D" = "${DA[$2]}" ]; then C=A
    elif [ -n "$T" ] && [ "$T" = "${TB[$2]}" ] && [ "$D" = "${DB[$2]}" ]; then C=B
    else C=mixed
    fi
}

# Runs a reader of format $2 on spelling $1 into out.txt/err.txt; sets RC.
read_roster() {
    if [ "$2" = json ]; then
        "$cli" --dir "$1" show --format json >out.txt 2>err.txt
    else
        "$cli" --dir "$1" export - >out.txt 2>err.txt
    fi
    RC=$?
}

# True when folder $1 holds nothing but store files; sets LS to its listing.
only_store_files() {
    LS=$(ls -A "$1") || return 1
    local f
    while IFS= read -r f; do
        case $f in Teams.rk | Drivers.rk | EPowers.rk | RanFail.rk | "") ;; *) return 1 ;; esac
    done <<<"$LS"
    return 0
}

fault() { echo "FAULT: $*" >&2; }
oneline() { local x=${1//$'\n'/ | }; printf '%s' "${x//$'\r'/}"; }

# --- Rosters A and B, and checks that the checks can fail ------------------------------------
mkdir builtin refA refB mixAB mixBA || die "cannot make folders"
"$cli" --dir builtin export A.txt || die "export of the built-in roster failed"
# Four teams renamed "<name> B", their first drivers "Bo <surname>", second drivers "Bea <surname>".
sed -e '/^\[Team #\(00\|03\|07\|11\)\]\r\{0,1\}$/,/^\r\{0,1\}$/{
    s/^Name=\([^,]*\),/Name=\1 B,/
    s/^\(First Driver=[^,]*,\)[^ ,]* /\1Bo /
    s/^\(Second Driver=[^,]*,\)[^ ,]* /\1Bea /
}' A.txt >B.txt
cmp -s A.txt B.txt && die "B.txt came out equal to A.txt"
"$cli" check B.txt >/dev/null || die "rk7power-cli check B.txt did not exit 0"
"$cli" --dir refA import A.txt || die "import A.txt failed"
"$cli" --dir refB import B.txt || die "import B.txt failed"
cp refA/Teams.rk refB/Drivers.rk mixAB/ && cp refB/Teams.rk refA/Drivers.rk mixBA/ || die "cp failed"
for fmt in export json; do
    read_roster refA $fmt; [ $RC = 0 ] || die "reading refA ($fmt) failed"; names out.txt $fmt
    TA[$fmt]=$T DA[$fmt]=$D
    read_roster refB $fmt; [ $RC = 0 ] || die "reading refB ($fmt) failed"; names out.txt $fmt
    TB[$fmt]=$T DB[$fmt]=$D
    [ -n "${TA[$fmt]}" ] && [ -n "${DA[$fmt]}" ] || die "no names read from refA ($fmt)"
    [ "${TA[$fmt]}" != "${TB[$fmt]}" ] && [ "${DA[$fmt]}" != "${DB[$fmt]}" ] ||
        die "A and B do not differ in both team and driver names ($fmt)"
    for m in mixAB mixBA; do
        read_roster $m $fmt; [ $RC = 0 ] || die "reading $m ($fmt) failed"
        classify out.txt $fmt; [ $C = mixed ] || die "a mixed folder ($m) read as $C ($fmt)"
    done
    read_roster refA $fmt; classify out.txt $fmt; [ $C = A ] || die "refA read as $C ($fmt)"
    read_roster refB $fmt; classify out.txt $fmt; [ $C = B ] || die "refB read as $C ($fmt)"
done
classify A.txt export; [ $C = A ] || die "A.txt does not read as A"
classify B.txt export; [ $C = B ] || die "B.txt does not read as B"
: >mixAB/Teams.rk.tmp-1-1
only_store_files mixAB && die "a leftover temporary file went unseen"
only_store_files refA || die "refA holds more than store files: $(oneline "$LS")"

reset_k() {
    rm -rf k && mkdir k && cp refA/Teams.rk refA/Drivers.rk k/ || die "cannot reset k"
}

echo "rk7power-cli: $cli; seed $seed; working in $work"

# --- 1. Kill trials --------------------------------------------------------------------------
start=$SECONDS
journals=0 mixed=0 leftovers=0 failed=0 wrong=0 killed=0 warned=0
declare -A by_method journal_by_method
for m in rename fsync unlink delay; do by_method[$m]=0 journal_by_method[$m]=0; done
next_import=B
for ((i = 1; i <= trials; i++)); do
    reset_k
    # The writer.
    if ((RANDOM % 5 == 0)); then
        wcmd=(calc --save) target=A
    else
        wcmd=(import $next_import.txt) target=$next_import
        [ $next_import = B ] && next_import=A || next_import=B
    fi
    r=$((RANDOM % 100))
    if ((r < 45)); then method=rename when=$((RANDOM % 3 + 1))
    elif ((r < 60)); then method=fsync when=$((RANDOM % 6 + 1))
    elif ((r < 70)); then method=unlink when=1
    else method=delay when=$(printf '0.%03d' $((RANDOM % 31)))
    fi
    pick ""; ws=$S
    # In a subshell of its own, so that the shell's "Killed" notice does not reach the terminal.
    if [ $method = delay ]; then
        wrc=$( ("$cli" --dir "$ws" "${wcmd[@]}" >/dev/null 2>/dev/null &
                p=$!; sleep "$when"; kill -KILL $p 2>/dev/null; wait $p; echo $?) 2>/dev/null)
    else
        wrc=$( (strace -f -qq -o /dev/null -e inject=$method:signal=KILL:when=$when \
                    "$cli" --dir "$ws" "${wcmd[@]}" >/dev/null 2>/dev/null; echo $?) 2>/dev/null)
    fi
    what="trial $i: writer '${wcmd[*]}' on '$ws' killed at $method $when (exit $wrc)"
    by_method[$method]=$((by_method[$method] + 1))
    [ "$wrc" = 137 ] && killed=$((killed + 1))
    journal_left=0
    if [ -e k/RK7_Power.journal ]; then
        journal_left=1 journals=$((journals + 1))
        journal_by_method[$method]=$((journal_by_method[$method] + 1))
    fi
    listing=$(ls -A k)

    # (a) A reader on another spelling.
    pick "$ws"; rs=$S
    ((RANDOM % 2)) && rfmt=json || rfmt=export
    read_roster "$rs" $rfmt
    [[ $(<err.txt) == *"cut short"* ]] && warned=$((warned + 1))
    seen=mixed
    if [ $RC != 0 ]; then
        failed=$((failed + 1))
        fault "$what; reader $rfmt on '$rs' exited $RC: $(oneline "$(<err.txt)"); folder: $(oneline "$listing")"
    else
        classify out.txt $rfmt; seen=$C
        if [ $C = mixed ]; then
            mixed=$((mixed + 1))
            fault "$what; reader $rfmt on '$rs' saw a mixed roster: teams $(oneline "$T"); drivers $(oneline "$D"); folder: $(oneline "$listing")"
        elif [ $journal_left = 1 ] && [ $C != $target ]; then
            wrong=$((wrong + 1))
            fault "$what; a journal was left but reader $rfmt on '$rs' saw $C, not $target; folder: $(oneline "$listing")"
        fi
    fi

    # (b) A save on another spelling completes or discards what was cut short.
    pick "$rs"; fs=$S
    if [ $seen = mixed ] || ((RANDOM % 2)); then
        follow=$([ $seen = A ] && echo B || echo A)
    else
        follow=$seen
    fi
    "$cli" --dir "$fs" import $follow.txt >/dev/null 2>err.txt
    RC=$?
    if [ $RC != 0 ]; then
        failed=$((failed + 1))
        fault "$what; then import $follow.txt on '$fs' exited $RC: $(oneline "$(<err.txt)")"
    fi
    if ! only_store_files k; then
        leftovers=$((leftovers + 1))
        fault "$what; after import $follow.txt on '$fs' the folder holds: $(oneline "$LS") (after the writer: $(oneline "$listing"))"
    fi
    pick "$fs"; es=$S
    read_roster "$es" export
    if [ $RC != 0 ]; then
        failed=$((failed + 1))
        fault "$what; export on '$es' after import $follow.txt exited $RC: $(oneline "$(<err.txt)")"
    else
        classify out.txt export
        if [ $C = mixed ]; then
            mixed=$((mixed + 1))
            fault "$what; after import $follow.txt on '$fs', export on '$es' is mixed: teams $(oneline "$T"); drivers $(oneline "$D")"
        elif [ $C != $follow ]; then
            wrong=$((wrong + 1))
            fault "$what; after import $follow.txt on '$fs', export on '$es' is $C"
        fi
    fi
done
part1=$((SECONDS - start))
details=""
for m in rename fsync unlink delay; do
    details+="$m ${by_method[$m]} (journal left ${journal_by_method[$m]}), "
done
echo "kill methods: ${details}writers killed: $killed, readers warned of a save cut short: $warned; ${part1}s"
echo "kill trials: $trials, journals left: $journals, mixed: $mixed, leftovers: $leftovers, failed follow-ups: $failed, wrong roster: $wrong"
bad=$((mixed + leftovers + failed + wrong))

# --- 2. Concurrency rounds -------------------------------------------------------------------
start=$SECONDS
reset_k
cmixed=0 cleft=0 cfail=0 busy=0 cwrong=0 both=0 cwarned=0
declare -A reader_saw=([A]=0 [B]=0) final=([A]=0 [B]=0)
for ((i = 1; i <= rounds; i++)); do
    pick ""; s1=$S
    s2=$s1; while [ "$s2" = "$s1" ]; do pick "$s1"; s2=$S; done
    s3=$s1; while [ "$s3" = "$s1" ] || [ "$s3" = "$s2" ]; do pick "$s1"; s3=$S; done
    what="round $i: import A.txt on '$s1', import B.txt on '$s2', export on '$s3'"
    # Started in a random order of the three.
    order=(a b r)
    for ((j = 2; j > 0; j--)); do
        x=$((RANDOM % (j + 1))); t=${order[j]} order[j]=${order[x]} order[x]=$t
    done
    pids=()
    for c in "${order[@]}"; do
        case $c in
            a) "$cli" --dir "$s1" import A.txt >/dev/null 2>wa.err & pa=$! ;;
            b) "$cli" --dir "$s2" import B.txt >/dev/null 2>wb.err & pb=$! ;;
            r) "$cli" --dir "$s3" export - >rd.out 2>rd.err & pr=$! ;;
        esac
        pids+=($!)
    done
    wait $pa; ra=$?
    wait $pb; rb=$?
    wait $pr; rr=$?
    pids=()
    saved=""
    for w in a b; do
        [ $w = a ] && rc=$ra || rc=$rb
        if [ $rc = 0 ]; then
            saved+=${w^^}
        elif [ $rc = 4 ] && [[ $(<w$w.err) == *"another program is saving"* ]]; then
            busy=$((busy + 1))
        else
            cfail=$((cfail + 1))
            fault "$what; import ${w^^}.txt exited $rc: $(oneline "$(<w$w.err)")"
        fi
    done
    [ ${#saved} = 2 ] && both=$((both + 1))
    [[ $(<rd.err) == *"cut short"* ]] && cwarned=$((cwarned + 1))
    if [ $rr != 0 ]; then
        cfail=$((cfail + 1))
        fault "$what; the reader exited $rr: $(oneline "$(<rd.err)")"
    else
        classify rd.out export
        [ $C != mixed ] && reader_saw[$C]=$((reader_saw[$C] + 1))
        if [ $C = mixed ]; then
            cmixed=$((cmixed + 1))
            fault "$what; the reader saw a mixed roster: teams $(oneline "$T"); drivers $(oneline "$D")"
        fi
    fi
    if ! only_store_files k; then
        cleft=$((cleft + 1))
        fault "$what; afterwards the folder holds: $(oneline "$LS")"
    fi
    pick "$s3"; es=$S
    read_roster "$es" export
    if [ $RC != 0 ]; then
        cfail=$((cfail + 1))
        fault "$what; the export on '$es' afterwards exited $RC: $(oneline "$(<err.txt)")"
    else
        classify out.txt export
        [ $C != mixed ] && final[$C]=$((final[$C] + 1))
        if [ $C = mixed ]; then
            cmixed=$((cmixed + 1))
            fault "$what; the export on '$es' afterwards is mixed: teams $(oneline "$T"); drivers $(oneline "$D")"
        elif [ ${#saved} = 1 ] && [ $C != "$saved" ]; then
            cwrong=$((cwrong + 1))
            fault "$what; only import $saved.txt saved, yet the export on '$es' afterwards is $C"
        fi
    fi
done
part2=$((SECONDS - start))
echo "concurrency: both writers saved in $both rounds; the reader saw A ${reader_saw[A]}, B ${reader_saw[B]}; the roster after was A ${final[A]}, B ${final[B]}; readers warned of a save cut short: $cwarned; ${part2}s"
echo "concurrency rounds: $rounds, mixed: $cmixed, leftovers: $cleft, failures: $cfail, busy: $busy, wrong roster: $cwrong"
bad=$((bad + cmixed + cleft + cfail + cwrong))

[ $bad = 0 ]
