# Shared steps of the end-to-end runs: a private X server and sound server, fixtures, and a
# fresh program folder per run. Source it; it cleans up on exit.
set -euo pipefail

work=$(mktemp -d /tmp/vantrel-e2e-XXXXXX)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    [ -f "$work/pulse/run/pid" ] && kill "$(cat "$work/pulse/run/pid")" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A private X server on a display number no one else uses.
start_x() {
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
        pids+=($!)
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    done
    fail "Xvfb did not start"
}

# A private PulseAudio with a null sink, as the only sound server the program sees.
start_pulse() {
    mkdir -p "$work/pulse/run" "$work/pulse/config"
    (cd "$work/pulse" && HOME="$work/pulse" XDG_CONFIG_HOME="$work/pulse/config" \
        PULSE_RUNTIME_PATH="$work/pulse/run" pulseaudio -D -n --exit-idle-time=-1 \
        --load="module-null-sink sink_name=testsink" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
        >"$work/pulse/server.log" 2>&1) || fail "pulseaudio did not start"
    export PULSE_SERVER="unix:$work/pulse/native"
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink testsink || fail "no null sink"
}

# mp3 NAME FREQUENCY SECONDS: a stereo sine encoded by LAME.
mp3() {
    sox -q -n -r 44100 -c 2 -b 16 "$work/$1.wav" synth "$3" sine "$2" vol 0.5
    lame --quiet -b 128 "$work/$1.wav" "$work/$1.mp3"
    rm "$work/$1.wav"
}

# A program folder of its own: the binary, the shipped settings, help and pictures.
make_program_folder() {
    local bin=$1
    mkdir -p "$work/prog"
    cp "$bin/vantrel" "$work/prog/"
    cp -r "$bin/Help" "$bin/Back" "$work/prog/"
    cp "$SOURCE_DIR/dist/vantrel.ini" "$work/prog/"
}

# The main window's X id, once it is mapped.
main_window() {
    for _ in $(seq 100); do
        local id
        id=$(xdotool search --onlyvisible --name "Quorvane Vantrel" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

window_height() { xwininfo -id "$1" | awk '/Height:/ {print $2}'; }

ini_value() { awk -F= -v k="$1" 'tolower($1) == k {sub(/\r$/, "", $2); print $2}' "$work/prog/vantrel.ini"; }
