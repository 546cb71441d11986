# The checks the shell tests share; sourced after CASE is set. Each test runs in a fresh
# temporary folder, WORK, removed on exit; a failed check names the case and ends it.
export LC_ALL=C
WORK=$(mktemp -d "${TMPDIR:-/tmp}/rk7-test-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

fail() {
    echo "FAIL ($CASE): $*" >&2
    exit 1
}

# Shows what a run printed, then fails: for a command that exited with the wrong status.
fail_run() {
    echo "--- stdout"; cat "$WORK/out"; echo "--- stderr"; cat "$WORK/err"
    fail "$*"
}

contains() { grep -qF -- "$2" "$1" || { cat "$1"; fail "$1 lacks: $2"; }; }
same() { cmp -s "$1" "$2" || fail "$1 and $2 differ"; }
line_of() { sed -n "$2p" "$1" | tr -d '\r'; }
equals() { [ "$1" = "$2" ] || fail "got [$1], expected [$2]"; }
listing() { (cd "${1:-.}" && ls -A | tr '\n' ' '); }
