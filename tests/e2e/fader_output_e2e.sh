#!/usr/bin/env bash
# The real program under a private X server and sound server: a track started with
# "Auto Fade IN" stored rises from silence instead of starting at full level, and with the wave
# output stored "/Play" decodes the track into a wave file beside it once the warning is
# answered.
#   fader_output_e2e.sh BIN_DIR SOURCE_DIR
. "$2/tests/e2e/e2e_lib.sh"

start_all
mp3 tone 440 6

set_option() { printf '%s=%s\r\n' "$1" "$2" >>"$work/prog/vantrel.ini"; }

# RMS of the recording between two times (seconds).
rms() { sox "$1" -n trim "$2" "$3" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }

# --- Fade-in: the level rises over the first seconds. ---
# The settings file ends in the "options" section, so keys appended land there.
set_option vol 100
set_option fade_in 1
set_option vol_in 120
set_option vol_pause 100
record fade
open_main fade /Play "$work/tone.mp3"
wait_for 60 heard_for fade 3.5 || fail "nothing was heard"
stop_recording fade
close_main "$wid" "$prog"

# The first quarter second that holds sound, against the level three seconds later.
onset=""
for t in $(seq 0 0.25 4); do
    level=$(rms "$work/fade.wav" "$t" 0.25)
    if awk -v l="$level" 'BEGIN { exit !(l > 0.002) }'; then onset=$t; break; fi
done
[ -n "$onset" ] || fail "nothing was heard"
early=$(rms "$work/fade.wav" "$onset" 0.25)
late=$(rms "$work/fade.wav" "$(awk -v t="$onset" 'BEGIN { print t + 3 }')" 0.25)
awk -v e="$early" -v l="$late" 'BEGIN { exit !(e < l / 2) }' ||
    fail "the track started at $early against $late three seconds on: no fade-in"

# --- Wave output: /Play decodes beside the track after the warning, at the set volume. ---
cp "$SOURCE_DIR/dist/vantrel.ini" "$work/prog/vantrel.ini"
set_option out_to_wav 1
set_option out_as_mp 1
set_option audio_dest "$work/unused.wav" # a usable name, so loading offers no Browse
set_option fade_in 1                     # a fade must not make the wave file silent
open_main wave /Play "$work/tone.mp3"
box=$(wait_for 30 named '^Vantrel$') || fail "no warning box before decoding"
xdotool windowfocus --sync "$box" key Return
# The header is completed when the stream closes at the track's end.
whole_track() { awk -v d="$(sox --i -D "$work/tone.wav" 2>/dev/null)" 'BEGIN { exit !(d > 5.9 && d < 6.2) }'; }
wait_for 30 whole_track
close_main "$wid" "$prog"
[ -f "$work/tone.wav" ] || fail "no tone.wav beside the track"
whole_track || fail "tone.wav holds $(sox --i -D "$work/tone.wav") s of a 6 s track"
start=$(rms "$work/tone.wav" 0 0.25)
awk -v l="$start" 'BEGIN { exit !(l > 0.2) }' || fail "tone.wav starts at level $start, not at the set volume"
echo "fader and output end-to-end: 2 passed, 0 failed"
