#!/bin/sh
# Runs atspi_test.py on a session bus of its own, where the accessibility bus starts on demand.
# Skips (exit 77) when a tool it needs is missing; atspi_test.py checks Xvfb and xdotool itself.
skip() { echo "skipped: $1"; exit 77; }
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/atspi_test.py" "$@"
