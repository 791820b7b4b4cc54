# What the scripts that drive the game's window on display servers of their own share. Sourced by
# scripts/bench, scripts/screenshot and tools/fresh-machine-check:
#   on_own_display             true in the run of this script that rerun_on_display started
#   rerun_on_display OPTIONS -- ARGS...
#                              runs this script again with ARGS under `scripts/with-display OPTIONS`
#                              and ends with its status
#   start_from_welcome [SECONDS]
#                              waits for the welcome dialog on $DISPLAY, presses Return in it and
#                              waits until it has closed: the first game is dealt
# The mark is the script's own path, so that a script run by another one under with-display
# still starts display servers of its own.

display_lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

on_own_display() {
    [ "${VIMBREL_OWN_DISPLAY:-}" = "$0" ]
}

rerun_on_display() {
    local options=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
    shift
    VIMBREL_OWN_DISPLAY=$0 exec "$display_lib_dir/../with-display" "${options[@]}" -- "$0" "$@"
}

start_from_welcome() {
    local seconds=${1:-30} welcome
    welcome=$(timeout "$seconds" xdotool search --sync --onlyvisible --name '^Welcome' | head -n 1)
    [ -n "$welcome" ] || { echo "the welcome dialog never appeared" >&2; return 1; }
    xdotool windowfocus --sync "$welcome" key --clearmodifiers Return
    for _ in $(seq "$((seconds * 10))"); do
        xdotool search --onlyvisible --name '^Welcome' >/dev/null || return 0
        sleep 0.1
    done
    echo "Return did not close the welcome dialog" >&2
    return 1
}
