#!/bin/sh
# Runs atspi_test.py on a private X server and a session bus of its own, where the accessibility
# bus starts on demand. Skips (exit 77) when a tool it needs is missing.
skip() { echo "skipped: $1 is not installed"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || skip at-spi2-core
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip python3-pyatspi
here=$(dirname "$0")
exec "$here/../../scripts/with-display" --bus -- /usr/bin/python3 "$here/atspi_test.py" "$@"
