#!/usr/bin/env bash
# rk7power as a screen reader reads it: started on a virtual X display with the accessibility bus
# of a private D-Bus session, and read through AT-SPI (tests/gui/atspi_probe.py).
#   atspi_test.sh PATH-TO-rk7power PATH-TO-rk7power-cli [report]
# Without "report" it checks the table of View All against rk7power-cli's CSV and a field of the
# Teams form by its name; with it, it prints what a screen reader hears. Exits 77 (skipped) when
# the packages it needs are missing (scripts/install-deps.sh installs them).
set -u
program=$(realpath "$1")
cli=$(realpath "$2")
mode=${3:-check}
python=/usr/bin/python3 # the system's, which has pyatspi

skip() {
    echo "SKIP: $1 (scripts/install-deps.sh installs it)"
    exit 77
}
command -v dbus-run-session >/dev/null || skip "dbus-run-session (dbus-daemon) is missing"
command -v xvfb-run >/dev/null || skip "xvfb-run (xvfb) is missing"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus (at-spi2-core) is missing"
"$python" -c 'import pyatspi' 2>/dev/null || skip "pyatspi (python3-pyatspi) is missing"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/roster"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
(cd "$work/roster" && "$cli" show --format csv) >"$work/view-all.csv" ||
    { echo "rk7power-cli show failed"; exit 1; }

probe=$(cd "$(dirname "$0")" && pwd)/atspi_probe.py
# shellcheck disable=SC2016 # expanded by the inner shell
timeout 120 dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" "$2" >"$3/rk7power.log" 2>&1 &
    app=$!
    "$4" "$5" "$6" "$3/view-all.csv"
    status=$?
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
    exit $status
' atspi "$program" "$work/roster" "$work" "$python" "$probe" "$mode"
status=$?
[ "$status" -eq 0 ] || { echo "rk7power's output:"; cat "$work/rk7power.log"; }
exit $status
