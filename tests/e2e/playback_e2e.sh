#!/usr/bin/env bash
# The real program plays a handed-over list through: "/Play" with a 440 Hz and an 880 Hz track
# must sound 440 Hz, then 880 Hz, on the null sink, with auto play carrying on to the second.
#   playback_e2e.sh BIN_DIR SOURCE_DIR [RECORDING.wav]
BIN=$1
SOURCE_DIR=$2
KEEP=${3:-}
. "$SOURCE_DIR/tests/e2e/e2e_lib.sh"

start_x
start_pulse
make_program_folder "$BIN"
printf '\r\nvol=100\r\n' >>"$work/prog/vantrel.ini"

# Titled so that the list, sorted by title, keeps this order.
tone() {
    sox -q -n -r 44100 -c 2 -b 16 "$work/$1.wav" synth "$3" sine "$2" vol 0.5
    lame --quiet -b 128 --tt "$4" "$work/$1.wav" "$work/$1.mp3"
    rm "$work/$1.wav"
}
tone low 440 2 "A low"
tone high 880 2 "B high"

record rec
"$work/prog/vantrel" /Play "$work/high.mp3" "$work/low.mp3" >"$work/run.log" 2>&1 &
prog=$!
pids+=($prog)
main_window >/dev/null || fail "the main window did not show"
wait_for 60 sound tones "$work/rec.raw" 440 880 || fail "the recording does not hold 440 Hz then 880 Hz"
stop_recording rec
[ -n "$KEEP" ] && cp "$work/rec.wav" "$KEEP"

grep -q . "$work/run.log" && echo "program output: $(cat "$work/run.log")"
echo "playback end-to-end: 1 passed, 0 failed"
