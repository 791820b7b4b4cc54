#!/usr/bin/env bash
# Runs a window test program on a private X server under a real window manager (openbox), so
# that its windows get frames with a title bar, as on a desktop.
#   tests/ui/with_window_manager.sh <program> [arguments...]
# Exits 77 (skipped) when Xvfb or openbox is missing; scripts/setup installs both.
set -uo pipefail

if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null; then
    echo "Xvfb or openbox is missing: skipped" >&2
    exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vimbrel-wm.XXXXXX")
xvfb=
wm=
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The program waits until the window manager frames its windows.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!

# On its own session bus, as on a desktop. Without one, Qt's D-Bus connection fails at start-up
# on a machine where libdbus cannot start a bus itself, and libdbus leaks on that path, which
# LeakSanitizer would blame on the test.
bus=()
command -v dbus-run-session >/dev/null && bus=(dbus-run-session --)
QT_QPA_PLATFORM=xcb "${bus[@]}" "$@"
