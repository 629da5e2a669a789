# Shared steps of the end-to-end runs: a private X server and sound server, fixtures, and a
# fresh program folder per run. Source it; it cleans up on exit.
set -euo pipefail
# Every run is given the program's folder and the source tree first.
BIN=$1
SOURCE_DIR=$2

work=$(mktemp -d /tmp/vantrel-e2e-XXXXXX)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    [ -f "$work/pulse/run/pid" ] && kill "$(cat "$work/pulse/run/pid")" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# A run that hangs fails on its own, with the programs' logs, before CTest's limit (120 s) ends
# it without a word. The sleeper's output goes nowhere, so CTest never waits for it.
trap 'hung "$BASH_COMMAND"' USR1
(sleep 100 && kill -USR1 $$) >/dev/null 2>&1 &
pids+=($!)

# The watchdog's report: the step it interrupted, and where each program still running was.
hung() {
    echo "hung at: $1" >&2
    if command -v gdb >/dev/null; then
        for p in $(pgrep -f "^$work/prog/vantrel" || true); do
            echo "--- threads of $p" >&2
            gdb -p "$p" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E '^(#|Thread)' >&2 || true
        done
    fi
    fail "still running after 100 seconds"
}

# A run that cannot go on because a tool is missing ends as skipped (CTest's SKIP_RETURN_CODE),
# never as passed.
skip() {
    echo "SKIPPED: $*"
    exit 77
}
need() {
    local tool
    for tool; do command -v "$tool" >/dev/null || skip "$tool is not installed"; done
}

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        echo "--- X server ${DISPLAY}: $(ls -l "/tmp/.X11-unix/X${DISPLAY#:}" 2>&1); $(pgrep -a Xvfb | grep -c -- "${DISPLAY} ") running" >&2
    fi
    # What the programs said, so a failure on a busy CI machine can be understood afterwards.
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

# A private X server. Runs in parallel claim a display number with a lock of their own, held
# until the run ends (a crashed run's lock goes with it); Xvfb left to pick a number itself was
# seen to hand two runs the same one. Xvfb writes the number once it accepts connections.
start_x() {
    need Xvfb xdotool xwininfo
    mkdir -p /tmp/vantrel-x-locks
    local first=$((RANDOM % 400)) n i
    for ((i = 0; i < 400; i++)); do
        n=$((100 + (first + i) % 400))
        exec {xlock}>"/tmp/vantrel-x-locks/$n"
        if flock -n "$xlock" && [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            : >"$work/display"
            # -noreset: by default the server resets whenever its last client leaves, and a
            # program connecting just then (while a poller's xdotool disconnects) is refused.
            Xvfb ":$n" -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
                >"$work/xvfb.log" 2>&1 &
            pids+=($!)
            for _ in $(seq 300); do
                [ -n "$(head -n 1 "$work/display")" ] && break
                kill -0 "${pids[-1]}" 2>/dev/null || break
                sleep 0.1
            done
            if [ -n "$(head -n 1 "$work/display")" ]; then
                export DISPLAY=":$n"
                return
            fi
        fi
        exec {xlock}>&-
    done
    fail "Xvfb did not start: $(cat "$work/xvfb.log" 2>/dev/null)"
}

# wait_for SECONDS COMMAND…: polls COMMAND every tenth of a second until it succeeds, for
# SECONDS of the clock however long each try takes (a bus call may wait seconds for an answer).
wait_for() {
    local until=$((${EPOCHREALTIME//[!0-9]/} + $1 * 1000000))
    shift
    while ((${EPOCHREALTIME//[!0-9]/} < until)); do "$@" && return 0; sleep 0.1; done
    return 1
}

# A private PulseAudio with a null sink, as the only sound server the program sees.
start_pulse() {
    local status=0
    "$SOURCE_DIR/tests/support/start_pulse.sh" "$work/pulse" || status=$?
    [ "$status" -ne 77 ] || skip "$(cat "$work/pulse/server.log")"
    [ "$status" -eq 0 ] || fail "no sound server: $(cat "$work/pulse/server.log")"
    export PULSE_SERVER="unix:$work/pulse/native"
}

# record NAME: records the null sink into $work/NAME.raw in the background.
record() {
    need sox python3
    parec -d testsink.monitor --latency-msec=20 --raw --format=s16le --rate=44100 --channels=2 \
        >"$work/$1.raw" &
    pids+=($!)
    rec=$!
}

# stop_recording NAME: ends the recording and keeps it as $work/NAME.wav too.
stop_recording() {
    kill "$rec"
    wait "$rec" 2>/dev/null || true
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/$1.raw" "$work/$1.wav"
}

sound() { python3 "$SOURCE_DIR/tests/e2e/sound.py" "$@"; }
# heard_for NAME SECONDS: the recording NAME holds at least that much sound.
heard_for() { awk -v h="$(sound heard "$work/$1.raw")" -v s="$2" 'BEGIN { exit !(h >= s) }'; }

# mp3 NAME FREQUENCY SECONDS [TITLE [ARTIST]]: a stereo sine encoded by LAME.
mp3() {
    need sox lame
    sox -q -n -r 44100 -c 2 -b 16 "$work/$1.wav" synth "$3" sine "$2" vol 0.5
    lame --quiet -b 128 ${4:+--tt "$4"} ${5:+--ta "$5"} "$work/$1.wav" "$work/$1.mp3"
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

# launch LOG ARGUMENTS…: the program folder's vantrel in the background, its output in
# $work/LOG.log; its pid in $prog.
launch() {
    local log=$1
    shift
    "$work/prog/vantrel" "$@" >"$work/$log.log" 2>&1 &
    prog=$!
    pids+=($prog)
}

# A shown window's X id by (a pattern of) its title; `gone` when no such window shows.
named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .; }
gone() { ! named "$1" >/dev/null; }
# shot NAME: a screenshot into the folder given to the run, if one was.
shot() { [ -z "${SHOTS:-}" ] || import -window root "$SHOTS/$1.png"; }

# The usual start of a run: an X server, a sound server and a program folder.
start_all() {
    start_x
    start_pulse
    make_program_folder "$BIN"
}

# The main window's X id, once it is mapped.
main_window() { wait_for 30 named "Quorvane Vantrel"; }
# open_main LOG ARGUMENTS…: launch, then the main window's X id in $wid once it shows.
open_main() {
    launch "$@"
    wid=$(main_window) || fail "the main window did not show"
}

# save_list WINDOW FORMAT_TABS FILE: the main window's Options menu, Files, Save Playlist AS,
# the format that many Tabs down, the file.
save_list() {
    xdotool mousemove --window "$1" 405 46 click 1
    sleep 0.5
    xdotool key f s
    local dlg file
    dlg=$(wait_for 10 named '^Save Playlist As$') || fail "no format dialog"
    xdotool windowfocus --sync "$dlg"
    for _ in $(seq "$2"); do xdotool key Tab; done
    xdotool key space
    file=$(wait_for 10 named '^Save the Playlist$') || fail "no save dialog"
    xdotool windowfocus --sync "$file" key ctrl+a type "$3"
    xdotool key Return
    wait_for 10 test -s "$3" || fail "$3 was not written"
}

# close_main WINDOW PID: "Close" in the main window (both layouts have it there); the program
# must then end.
close_main() {
    xdotool mousemove --window "$1" 612 73 click 1
    wait_for 10 ended "$2" || fail "the program did not end after Close"
}

window_height() { xwininfo -id "$1" | awk '/Height:/ {print $2}'; }
height_is() { [ "$(window_height "$1")" -eq "$2" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

ini_value() { awk -F= -v k="$1" 'tolower($1) == k {sub(/\r$/, "", $2); print $2}' "$work/prog/vantrel.ini"; }
