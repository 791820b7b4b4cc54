# Shows a long job as one line per phase and keeps the details in a log file.
# Sourced by scripts/setup, scripts/run and scripts/test:
#   progress_log FILE          where the details go (appended; the folder is made)
#   phase TEXT COMMAND...      prints TEXT, runs COMMAND into the log; on failure prints the log's
#                              tail and exits with COMMAND's status
#   counted_phase TEXT COMMAND...  the same, with the command's own progress after TEXT on the same
#                              line on a terminal: ninja's [n/m], apt's percentage (APT::Status-Fd=1);
#                              compiler warnings are shown
# On a terminal a phase's line is rewritten in place; elsewhere (CI logs) each phase is one line.

progress_file=/dev/null
progress_start=0
progress_tty=0
[ -t 1 ] && progress_tty=1

progress_log() {
    mkdir -p "$(dirname "$1")"
    progress_file=$1
    echo "=== $(date '+%F %T') $0 $*" >>"$progress_file"
}

# Starts a phase: its line on the screen, its heading in the log.
progress_begin() {
    if [ "$progress_tty" = 1 ]; then printf '%s...' "$1"; else echo "$1..."; fi
    [ "$progress_file" = /dev/null ] || progress_start=$(wc -l <"$progress_file")
    echo "--- $*" >>"$progress_file"
}

# Ends with the last lines that the failed phase wrote to the log.
progress_failed() {
    local status=$1 text=$2
    [ "$progress_tty" = 1 ] && printf '\n'
    echo "$text failed (exit status $status). The end of its log, $progress_file:" >&2
    tail -n +"$((progress_start + 1))" "$progress_file" | tail -n 40 | sed 's/^/  /' >&2
    exit "$status"
}

phase() {
    local text=$1 status=0
    shift
    progress_begin "$text" "$@"
    "$@" >>"$progress_file" 2>&1 </dev/null || status=$?
    [ "$status" -eq 0 ] || progress_failed "$status" "$text"
    [ "$progress_tty" = 1 ] && printf ' done\n'
    return 0
}

counted_phase() {
    local text=$1 status=0 line counter= warnings=0
    shift
    progress_begin "$text" "$@"
    while IFS= read -r line; do
        case $line in
        dlstatus:* | pmstatus:*) ;;  # a counter, no detail
        *) printf '%s\n' "$line" >>"$progress_file" ;;
        esac
        case $line in
        \[*/*\]*)
            counter=${line%%]*}]
            [ "$progress_tty" = 1 ] && printf '\r\033[K%s... %s' "$text" "$counter"
            ;;
        dlstatus:* | pmstatus:*)
            # apt's status lines: dlstatus:N:PERCENT:TEXT while downloading, and
            # pmstatus:PACKAGE[:ARCH]:PERCENT:TEXT while installing
            if [[ $line =~ ^(dl|pm)status:[^:]+(:[^:]+)?:([0-9.]+): ]]; then
                counter="${BASH_REMATCH[3]%.*} %"
                [ "${BASH_REMATCH[1]}" = dl ] && counter="downloading $counter"
                [ "$progress_tty" = 1 ] && printf '\r\033[K%s... %s' "$text" "$counter"
            fi
            ;;
        *warning:*)
            warnings=$((warnings + 1))
            [ "$progress_tty" = 1 ] && printf '\r\033[K'
            printf '%s\n' "$line"
            [ "$progress_tty" = 1 ] && printf '%s... %s' "$text" "$counter"
            ;;
        esac
    done < <("$@" 2>&1 </dev/null)
    wait $! || status=$?
    [ "$status" -eq 0 ] || progress_failed "$status" "$text"
    if [ "$progress_tty" = 1 ]; then printf '\r\033[K%s... done\n' "$text"; fi
    [ "$warnings" -eq 0 ] || echo "$warnings warning(s): see above and $progress_file"
    return 0
}
