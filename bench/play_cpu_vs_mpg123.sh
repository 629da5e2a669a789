#!/usr/bin/env bash
# CPU time (user + system) to play a 60 s file into a PulseAudio null sink:
# vantrel-cli play against the mpg123 command-line player, both with mpg123's default device
# buffer and with the 60 ms the engine asks for. Starts its own sound server.
#   bench/play_cpu_vs_mpg123.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-1}"
cli="$(cd "$build" && pwd)/bin/vantrel-cli"
work="$(mktemp -d)"
mkdir -p "$work/run"
export PULSE_SERVER="unix:$work/native"
cleanup() {
    [ -f "$work/run/pid" ] && kill "$(cat "$work/run/pid")" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

HOME="$work" PULSE_RUNTIME_PATH="$work/run" pulseaudio -D -n --exit-idle-time=-1 \
    --load="module-null-sink sink_name=testsink" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" 2>/dev/null
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink testsink

sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 60 sine 440 vol 0.5
lame --quiet -b 128 "$work/tone.wav" "$work/tone.mp3"

cpu() { # user+system seconds of a command
    local TIMEFORMAT='%U %S'
    { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{print $1 + $2}'
}

for ((i = 0; i < runs; i++)); do
    ours=$(cpu "$cli" play "$work/tone.mp3")
    theirs=$(cpu mpg123 -q -o pulse "$work/tone.mp3")
    same=$(PULSE_LATENCY_MSEC=60 cpu mpg123 -q -o pulse "$work/tone.mp3")
    printf 'run %d: vantrel-cli %.2f s; mpg123 %.2f s (ratio %.2f), at 60 ms %.2f s (ratio %.2f)\n' \
        "$i" "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)" "$same" \
        "$(echo "$ours / $same" | bc -l)"
done
