#!/usr/bin/env bash
# The time-over beep reaches the sound server under both display systems:
#  - Wayland has no bell: the beep must be the sound theme's bell, which libcanberra plays on
#    the sound server. Nothing else could make a sound there (no X server runs). The desktop's
#    sound theme is followed, and its switch for event sounds.
#  - X11: the beep must be Qt's, the X server's bell, which the sound server turns into sound
#    (module-x11-bell). The program is pointed at no sound server of its own, so that a sound
#    played through libcanberra would not be heard: only the X bell can reach the recording.
# A private PulseAudio server takes the sound on a pipe sink, which writes what it plays to a
# file as it plays it (a recording client loses its last second or two when stopped); the peak
# level of what each run of the program added is checked.
#   tests/ui/beep_test.sh <beep_player>
# Exits 77 (skipped) when PulseAudio, its tools, the sound theme, weston or Xvfb is missing.
set -euo pipefail
player=${1:?beep player}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bell=/usr/share/sounds/freedesktop/stereo/bell.oga

for tool in pulseaudio pactl python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/setup installs pulseaudio and pulseaudio-utils)"
        exit 77
    fi
done
if [ ! -f "$bell" ]; then
    echo "SKIP: the sound theme's bell is missing (scripts/setup installs sound-theme-freedesktop)"
    exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vimbrel-beep.XXXXXX")
chmod 700 "$work"
pulse=
reader=
cleanup() {
    [ -n "$reader" ] && kill "$reader" 2>/dev/null
    [ -n "$pulse" ] && kill "$pulse" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A sound server of the test's own: no configuration read, no autospawn, its one sink writing
# 16-bit mono to a FIFO at the pace of the clock, clients let in without a cookie. Its files stay in the work folder (it runs as root in CI).
HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work PULSE_RUNTIME_PATH=$work/pulse \
    PULSE_STATE_PATH=$work/pulse pulseaudio --daemonize=no --exit-idle-time=-1 -n \
    --use-pid-file=no --disable-shm=yes --log-target=file:"$work/pulse.log" \
    --load="module-pipe-sink sink_name=bells file=$work/bells.fifo format=s16le rate=44100 channels=1 use_system_clock_for_timing=yes" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse.sock" \
    </dev/null &
pulse=$!
export PULSE_SERVER=unix:$work/pulse.sock
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$pulse" 2>/dev/null || break
    sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
    echo "FAIL: PulseAudio did not start" >&2
    cat "$work/pulse.log" >&2 || true
    exit 1
fi

: >"$work/bells.raw"
cat "$work/bells.fifo" >>"$work/bells.raw" &
reader=$!

# Runs "$@", then prints the peak level in dBFS of what the sink played meanwhile and checks it
# against `expect`: "heard" (louder than -40 dBFS), "silent", or a level in dBFS (within 1 dB).
heard() {
    local name=$1 expect=$2
    shift 2
    local start
    start=$(stat -c %s "$work/bells.raw")
    local status=0
    "$@" || status=$?
    [ "$status" -eq 0 ] || return "$status"
    sleep 0.5  # what was played has reached the file
    python3 - "$work/bells.raw" "$start" "$name" "$expect" <<'PY'
import array, math, sys
path, start, name, expect = sys.argv[1:]
samples = array.array("h")
with open(path, "rb") as played:
    played.seek(int(start) // 2 * 2)
    samples.frombytes(played.read())
peak = max(map(abs, samples), default=0)
level = 20 * math.log10(peak / 32768) if peak else float("-inf")
print(f"{name}: {len(samples) / 44100:.2f} s played, peak {level:.1f} dBFS (expected: {expect})")
if expect == "heard":
    sys.exit(0 if level > -40 else 1)
if expect == "silent":
    sys.exit(0 if peak == 0 else 1)
sys.exit(0 if abs(level - float(expect)) <= 1 else 1)
PY
}

# No sound theme installed at all, and nothing cached yet, by libcanberra or the sound server:
# the bell is silent, and the program says why.
status=0
said_to() { local file=$1; shift; "$@" 2>"$file"; }
heard "wayland, no sound theme" silent said_to "$work/said" env XDG_CACHE_HOME="$work/none" \
    XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/none" "$here/wayland_test.sh" "$player" ||
    status=$?
if [ "$status" -eq 77 ]; then exit 77; fi
if [ "$status" -ne 0 ] || ! grep -q "The bell did not sound" "$work/said"; then
    echo "FAIL: without a sound theme the program did not say why the bell was silent" >&2
    exit 1
fi

heard wayland heard "$here/wayland_test.sh" "$player" || status=$?
if [ "$status" -eq 77 ]; then exit 77; fi
if [ "$status" -ne 0 ]; then
    echo "FAIL: the beep did not reach the sound server under Wayland" >&2
    exit 1
fi

# Under Wayland the desktop's sound settings count, as GNOME keeps them (here in a key file rather
# than dconf): a sound theme of the player's own, whose bell is a tone at -20 dBFS, and then
# event sounds switched off.
if [ -f /usr/share/glib-2.0/schemas/org.gnome.desktop.sound.gschema.xml ]; then
    theme=$work/data/sounds/vimbrel-test
    mkdir -p "$theme/stereo" "$work/config/glib-2.0/settings"
    printf '[Sound Theme]\nName=Vimbrel test\nDirectories=stereo\n\n[stereo]\nOutputProfile=stereo\n' \
        >"$theme/index.theme"
    python3 - "$theme/stereo/bell-window-system.wav" <<'PY'
import array, math, sys, wave
tone = array.array("h", (round(0.1 * 32767 * math.sin(2 * math.pi * 440 * i / 44100))
                         for i in range(44100 // 5)))
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(44100)
    out.writeframes(tone.tobytes())
PY
    settings() {
        printf '[org/gnome/desktop/sound]\nevent-sounds=%s\ntheme-name=%s\n' "$1" "'vimbrel-test'" \
            >"$work/config/glib-2.0/settings/keyfile"
    }
    desktop=(env GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data")
    settings true
    if ! heard "wayland, the player's theme" -20 "${desktop[@]}" "$here/wayland_test.sh" "$player"; then
        echo "FAIL: the beep did not play the bell of the desktop's sound theme" >&2
        exit 1
    fi
    settings false
    if ! heard "wayland, event sounds off" silent "${desktop[@]}" "$here/wayland_test.sh" "$player"; then
        echo "FAIL: the beep sounded with the desktop's event sounds off" >&2
        exit 1
    fi
else
    echo "the desktop's sound settings are not checked: gsettings-desktop-schemas is not installed"
fi

# The X server's bell becomes the theme's bell sound on the sound server.
pactl upload-sample "$bell" x11-bell
x11_beep() {
    pactl load-module module-x11-bell display="$DISPLAY" sample=x11-bell >/dev/null
    PULSE_SERVER=unix:$work/no-such-server QT_QPA_PLATFORM=xcb "$player"
}
export -f x11_beep
export work player
heard x11 heard "$here/../../scripts/with-display" --bus -- bash -c x11_beep || status=$?
if [ "$status" -eq 77 ]; then exit 77; fi
if [ "$status" -ne 0 ]; then
    echo "FAIL: Qt's beep did not ring the X server's bell" >&2
    exit 1
fi
echo PASS
