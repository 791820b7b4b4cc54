#!/usr/bin/env bash
# Runs a test program as a native Wayland client of its own headless weston (scripts/with-display
# --weston: a private runtime folder and socket, the pixman renderer so that screenshots show real
# pixels, and no X server at all, so nothing can quietly fall back to X11).
#   tests/ui/wayland_test.sh <test program> [its arguments...]
# Exits 77 (skipped) when weston or its screenshooter is missing; the program itself skips when
# Qt's Wayland plugin is missing. scripts/setup installs both.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 <test program> [arguments...]" >&2; exit 2; }

if ! command -v weston-screenshooter >/dev/null; then
    echo "SKIP: weston-screenshooter is not installed (scripts/setup installs weston)"
    exit 77
fi

# Under LeakSanitizer: full stacks, so that leaks inside Qt's Wayland plugin and Mesa (listed in
# wayland_leaks.supp) are recognised as theirs; anything of ours still fails the test.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}fast_unwind_on_malloc=0:suppressions=$here/wayland_leaks.supp"

exec "$here/../../scripts/with-display" --weston -- env QT_QPA_PLATFORM=wayland "$@"
