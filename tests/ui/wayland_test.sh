#!/usr/bin/env bash
# Runs a test program as a native Wayland client of its own headless weston: a private runtime
# folder (mode 0700) and socket, the pixman renderer so that screenshots show real pixels, and no
# X server at all (no DISPLAY, no XWayland), so nothing can quietly fall back to X11.
#   tests/ui/wayland_test.sh <test program> [its arguments...]
# Exits 77 (skipped) when weston or its screenshooter is missing; the program itself skips when
# Qt's Wayland plugin is missing. scripts/setup installs both.
set -euo pipefail
program=${1:?test program}
shift

for tool in weston weston-screenshooter; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/setup installs weston)"
        exit 77
    fi
done

runtime=$(mktemp -d "${TMPDIR:-/tmp}/vimbrel-wayland.XXXXXX")
chmod 700 "$runtime"
socket=vimbrel-test-$$
weston=
cleanup() {
    [ -n "$weston" ] && kill "$weston" 2>/dev/null && wait "$weston" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

# --debug lets weston-screenshooter read the output; --idle-time=0 keeps it from blanking.
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman --debug --no-config \
    --idle-time=0 --width=1024 --height=768 --socket="$socket" --log="$runtime/weston.log" &
weston=$!
for _ in $(seq 200); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    echo "FAIL: weston did not open its socket" >&2
    cat "$runtime/weston.log" >&2 || true
    exit 1
fi

# Under LeakSanitizer: full stacks, so that leaks inside Qt's Wayland plugin and Mesa (listed in
# wayland_leaks.supp) are recognised as theirs; anything of ours still fails the test.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}fast_unwind_on_malloc=0:suppressions=$here/wayland_leaks.supp"

status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    "$program" "$@" || status=$?
if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
    echo "--- weston's log:" >&2
    cat "$runtime/weston.log" >&2 || true
fi
exit "$status"
