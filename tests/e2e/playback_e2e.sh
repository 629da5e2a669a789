#!/usr/bin/env bash
# The real program plays a handed-over list through: "/Play" with a 440 Hz and an 880 Hz track
# must sound 440 Hz, then 880 Hz, on the null sink, with auto play carrying on to the second.
#   playback_e2e.sh BIN_DIR SOURCE_DIR [KEEP_DIR]   (keeps the recording there)
KEEP=${3:+$3/playback.wav}
. "$2/tests/e2e/e2e_lib.sh"

start_all
printf '\r\nvol=100\r\n' >>"$work/prog/vantrel.ini"

# Titled so that the list, sorted by title, keeps this order.
mp3 low 440 2 "A low"
mp3 high 880 2 "B high"

record rec
open_main run /Play "$work/high.mp3" "$work/low.mp3"
wait_for 60 sound tones "$work/rec.raw" 440 880 || fail "the recording does not hold 440 Hz then 880 Hz"
stop_recording rec
[ -n "$KEEP" ] && cp "$work/rec.wav" "$KEEP"

grep -q . "$work/run.log" && echo "program output: $(cat "$work/run.log")"
echo "playback end-to-end: 1 passed, 0 failed"
