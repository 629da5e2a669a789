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

parec -d testsink.monitor --latency-msec=20 --file-format=wav "$work/rec.wav" &
rec=$!
pids+=($rec)
"$work/prog/vantrel" /Play "$work/high.mp3" "$work/low.mp3" >"$work/run.log" 2>&1 &
prog=$!
pids+=($prog)
main_window >/dev/null || fail "the main window did not show"
sleep 10 # about a second for the collector, two tracks of two seconds, and time to spare
kill "$rec"
wait "$rec" 2>/dev/null || true
[ -n "$KEEP" ] && cp "$work/rec.wav" "$KEEP"

# Frequency of each quarter second from its zero crossings; silence is skipped.
python3 - "$work/rec.wav" <<'PY' || fail "the recording does not hold 440 Hz then 880 Hz"
import sys, wave, struct
w = wave.open(sys.argv[1])
rate, channels = w.getframerate(), w.getnchannels()
data = w.readframes(w.getnframes())
left = struct.unpack("<%dh" % (len(data) // 2), data)[::channels]
step = rate // 4
heard = []
for start in range(0, len(left) - step, step):
    part = left[start:start + step]
    if max(abs(s) for s in part) < 3000:
        continue
    crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
    heard.append(round(crossings / 2 * 4))
print("heard:", heard)
def near(f, target):
    return abs(f - target) < target * 0.05
low = [i for i, f in enumerate(heard) if near(f, 440)]
high = [i for i, f in enumerate(heard) if near(f, 880)]
# Each track is eight quarters long; the edges of a track may blur one quarter.
ok = len(low) >= 6 and len(high) >= 6 and max(low) < min(high)
sys.exit(0 if ok else 1)
PY

grep -q . "$work/run.log" && echo "program output: $(cat "$work/run.log")"
echo "playback end-to-end: 1 passed, 0 failed"
