#!/usr/bin/env bash
# The ticker, the About box, the settings dialogs and a rounded start, under a private X server.
#   desktop_e2e.sh BIN_DIR SOURCE_DIR [SHOT_DIR]
SHOTS=${3:-}
. "$2/tests/e2e/e2e_lib.sh"

geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x+w, y+h}'; }
# A shown window titled like PATTERN other than the main window, whose title the general
# settings share; `closed` when there is none.
dialog() { xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "$wid" | head -n 1 | grep .; }
closed() { ! dialog "$1" >/dev/null; }

start_all
sox -q -n -r 44100 -c 2 -b 16 "$work/s.wav" synth 2 sine 440 vol 0.5
lame --quiet -b 128 --id3v1-only --tt "Sunrise" --ta "Quartet" --tl "Morning" "$work/s.wav" "$work/song.mp3"

open_main run /Play "$work/song.mp3"
wait_for 30 test ! -e "$work/prog/quorv.tmp" || fail "the file was not collected"

# "&Tray": the main window hides, the strip shows the playing track's title at the bottom-right.
xdotool mousemove --window "$wid" 479 73 click 1
strip=$(wait_for 10 named "Sunrise" && named "Sunrise") || fail "no ticker with the track's title"
wait_for 10 gone "Quorvane Vantrel" || fail "the main window stayed"
[ "$(geometry "$strip")" = "1024 768" ] || fail "the strip ends at $(geometry "$strip")"
sleep 1
shot ticker

# Hovering shows the status and time, though no window of the program is active.
shown() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }
more_than() { [ "$(shown)" -gt "$1" ]; }
as_many() { [ "$(shown)" -eq "$1" ]; }
before=$(shown)
xdotool mousemove --window "$strip" 40 6 sleep 0.2 mousemove --window "$strip" 44 7
wait_for 10 more_than "$before" || fail "no tooltip over the strip"
shot ticker_tip
xdotool click 1 # a press puts a tooltip away; the strip takes no left clicks
wait_for 10 as_many "$before" || fail "the tooltip stayed"

# A right click offers the tray menu; "S&how Main" brings the window back and ends the strip.
before=$(shown)
xdotool mousemove --window "$strip" 20 5 click 3
wait_for 10 more_than "$before" || fail "no menu on a right click"
shot tray_menu
xdotool key h
main_window >/dev/null || fail "S&how Main did not bring the window back"
wait_for 10 gone "Sunrise" || fail "the strip stayed"

# The About box.
xdotool mousemove --window "$wid" 524 73 click 1
about=$(wait_for 10 dialog "About Vantrel") || fail "no About box"
shot about
# Its OK, in the right column under the texts.
xdotool mousemove --window "$about" 380 208 click 1
wait_for 10 closed "About Vantrel" || fail "OK left the About box open"

# The two settings dialogs, from the Options menu's Preferences.
xdotool mousemove --window "$wid" 405 46 click 1
sleep 0.5
xdotool key p Right Return
wait_for 10 dialog "Quorvane Vantrel" >/dev/null || fail "no general settings"
sleep 0.5
shot general_settings
xdotool key Escape
wait_for 10 closed "Quorvane Vantrel" || fail "Escape left the general settings open"
xdotool mousemove --window "$wid" 405 46 click 1
sleep 0.5
xdotool key p Right Down Return
wait_for 10 named "SysTray Scrolling Icon" >/dev/null || fail "no ticker options"
sleep 0.5
shot ticker_options
xdotool key Escape

close_main "$wid" "$prog"

# A rounded start gives the window a shape of its own; here in the small layout.
sed -i -e 's/^\[options\]\r$/[options]\r\nround=1\r/' -e 's/^long_disp=1\r$/long_disp=0\r/' "$work/prog/vantrel.ini"
open_main round
# The small layout, 99 pixels high, less 3 left and top, 2 right and 12 at the bottom.
wait_for 10 sh -c "xwininfo -shape -id $wid | grep -q 'Window shape extents:  635x84+3+3'" ||
    fail "the rounded window has no shape: $(xwininfo -shape -id "$wid" | grep -i shape)"
shot rounded
close_main "$wid" "$prog"
echo "desktop end-to-end: 1 passed, 0 failed"
