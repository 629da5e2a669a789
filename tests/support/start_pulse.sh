#!/usr/bin/env bash
# start_pulse.sh FOLDER: a private PulseAudio server living in FOLDER, reached at
# unix:FOLDER/native, whose default sink is the null sink "testsink"; its pid in FOLDER/run/pid,
# its messages in FOLDER/server.log. Exits 77 when PulseAudio or its tools (pactl, and parec
# that records the sink) are not installed, so the caller skips; 1 when the server does not start.
set -u
folder=$1
log=$folder/server.log
mkdir -p "$folder/run" "$folder/config"
for tool in pulseaudio pactl parec; do
    command -v $tool >/dev/null || { echo "$tool is not installed" >"$log"; exit 77; }
done
# As root the server wants --system; -D with its own runtime folder works all the same.
(cd "$folder" && HOME="$folder" XDG_CONFIG_HOME="$folder/config" PULSE_RUNTIME_PATH="$folder/run" \
    pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=testsink" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$folder/native") >"$log" 2>&1 ||
    exit 1
export PULSE_SERVER="unix:$folder/native"
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink testsink >>"$log" 2>&1 && exit 0
echo "pulseaudio started but does not answer" >>"$log"
kill "$(cat "$folder/run/pid")" 2>/dev/null
exit 1
