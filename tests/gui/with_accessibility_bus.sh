#!/usr/bin/env bash
# Runs a command as a program runs beside a screen reader: on a virtual X display, in a private
# D-Bus session whose accessibility bus is up, with Qt's AT-SPI bridge switched on, so that Qt
# counts an assistive client as active (QAccessible::isActive).
#   with_accessibility_bus.sh COMMAND [ARGS...]
# Exits 77 (skipped) when a package it needs is missing (scripts/install-deps.sh installs them).
set -u
for tool in dbus-run-session dbus-send xvfb-run; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is missing"; exit 77; }
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Asking for the bus's address starts it; Qt's bridge waits for it to appear.
# shellcheck disable=SC2016 # expanded by the inner shell
exec dbus-run-session -- sh -c '
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null || exit 1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
' sh "$@"
