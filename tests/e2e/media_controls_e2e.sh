#!/usr/bin/env bash
# The real program on a private session bus, driven as the desktop's media controls drive it:
# PlayPause starts the row the user clicked, the player reports the tag's title and the exact
# play time, Next plays the next row, Pause pauses it, playerctl resumes, and Quit ends the
# program with the volume set over the bus written to its settings.
#   media_controls_e2e.sh BIN_DIR SOURCE_DIR
if [ -z "${VANTREL_E2E_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null ||
        { echo "SKIPPED: dbus-run-session is not installed"; exit 77; } # as e2e_lib.sh's skip
    exec env VANTREL_E2E_BUS=1 dbus-run-session -- "$0" "$@"
fi
. "$2/tests/e2e/e2e_lib.sh"
need gdbus playerctl

start_all
printf '\r\nvol=100\r\n' >>"$work/prog/vantrel.ini"

# Titled so that the list, sorted by title, shows the low tone first.
mp3 low 440 8 "A low" "Ann Alto"
mp3 high 880 60 "B high" "Ben Bass"

name=org.mpris.MediaPlayer2.vantrel
path=/org/mpris/MediaPlayer2
player=org.mpris.MediaPlayer2.Player
call() { gdbus call --session --timeout 5 --dest $name --object-path $path --method "$@"; }
get() { call org.freedesktop.DBus.Properties.Get "$1" "$2"; }
status_is() { get $player PlaybackStatus | grep -q "'$1'"; }
registered() {
    gdbus call --session --timeout 5 --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner $name | grep -q true
}

open_main run "$work/high.mp3" "$work/low.mp3"
first=$prog
wait_for 20 registered || fail "the player did not appear on the session bus"
get org.mpris.MediaPlayer2 Identity | grep -q Vantrel || fail "no identity"

# The first file handed over is current; once the low tone is listed above it, the user picks
# that first row, and the media key does the rest.
wait_for 20 eval 'get $player CanGoPrevious | grep -q true' || fail "the rows were not listed"
xdotool mousemove --window "$wid" 60 135 click 1
wait_for 10 eval 'get $player CanGoNext | grep -q true' || fail "clicking a row did not make it current"

record first
call $player.PlayPause >/dev/null
# Two seconds of it, so the recording holds enough of the first tone to tell it from the next.
wait_for 20 heard_for first 2 || fail "PlayPause started nothing"
status_is Playing || fail "status: $(get $player PlaybackStatus)"
meta=$(get $player Metadata)
echo "$meta" | grep -q "'xesam:title': <'A low'>" || fail "title: $meta"
echo "$meta" | grep -q "'xesam:artist': <\['Ann Alto'\]>" || fail "artist: $meta"
# The exact play time: every frame the file holds, as ffprobe counts them, to the millisecond.
length=$(echo "$meta" | sed -n "s/.*'mpris:length': <int64 \([0-9]*\)>.*/\1/p")
seconds=$(ffprobe -v error -show_entries stream=duration -of csv=p=0 "$work/low.mp3")
awk -v l="${length:-0}" -v s="$seconds" 'BEGIN { d = l - s * 1000000; exit !(d < 1000 && d > -1000) }' ||
    fail "length ${length:-none} µs, the file plays $seconds s"

call $player.Next >/dev/null
wait_for 30 sound tones "$work/first.raw" 440 880 || fail "Next did not play the next row"
get $player Metadata | grep -q "'B high'" || fail "Metadata did not follow Next"
stop_recording first

call $player.Pause >/dev/null
status_is Paused || fail "Pause: $(get $player PlaybackStatus)"

# The desktop's own client resumes and sets the volume; a call the player does not answer
# fails here, not at the run's time limit.
pc() { timeout 10 playerctl -p vantrel "$@"; }
[ "$(pc status)" = Paused ] || fail "playerctl status: $(pc status)"
record resumed
pc play || fail "playerctl play was not answered"
wait_for 20 heard_for resumed 1 || fail "playerctl play did not resume"
[ "$(pc metadata title)" = "B high" ] || fail "playerctl title"
pc volume 0.5 || fail "playerctl volume was not answered"
kill "$rec"
wait_for 10 eval 'get $player Volume | grep -q "0.5"' || fail "volume: $(get $player Volume)"

# A second player started with /new takes a name of its own; Quit over the bus ends it.
launch second /new
name=org.mpris.MediaPlayer2.vantrel.instance$prog
wait_for 30 registered || fail "the second player did not appear as $name"
call org.mpris.MediaPlayer2.Quit >/dev/null
wait_for 15 ended "$prog" || fail "Quit did not end the second player"
name=org.mpris.MediaPlayer2.vantrel

call org.mpris.MediaPlayer2.Quit >/dev/null
wait_for 15 ended "$first" || fail "Quit did not end the program"
[ "$(ini_value vol)" = 50 ] || fail "the exit keys were not written: vol=$(ini_value vol)"

grep -q . "$work/run.log" && echo "program output: $(cat "$work/run.log")"
echo "media controls end-to-end: 1 passed, 0 failed"
