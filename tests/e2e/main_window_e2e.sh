#!/usr/bin/env bash
# The real program under a private X server: start-up with a file, which the first click on
# Play plays, a second start handing its file over, both layouts, a screenshot, and closing
# with the exit settings written.
#   main_window_e2e.sh BIN_DIR SOURCE_DIR [SHOT_DIR]
SHOT=${3:+$3/main_window.png}
. "$2/tests/e2e/e2e_lib.sh"

start_all
for t in a d; do mp3 "$t" 440 1; done

open_main first "$work/a.mp3"
# The collector reads the hand-off file about a second after the window loads; a busy machine
# may take longer.
wait_for 30 test ! -e "$work/prog/quorv.tmp" || fail "the collector left quorv.tmp behind"

# A second start while one runs ends at once; its line waits for the next full start.
timeout 10 "$work/prog/vantrel" "$work/d.mp3" || fail "the second start did not end cleanly"
grep -q "d.mp3" "$work/prog/quorv.tmp" || fail "the second start's line is not in quorv.tmp"
[ "$(xdotool search --name 'Quorvane Vantrel' | wc -l)" -eq 1 ] || fail "a second window opened"

# The shipped settings open the large layout, the file's row selected and current: Play plays it.
[ "$(window_height "$wid")" -eq 304 ] || fail "large layout is $(window_height "$wid") pixels high"
[ -n "$SHOT" ] && import -window root "$SHOT"
pixel() { import -window "$wid" -crop "1x1+$1+$2" txt:- | tail -n 1 | awk '{print $3}'; }
# Left in the row's empty title cell, against the list's empty part below it.
[ "$(pixel 20 135)" != "$(pixel 20 200)" ] || fail "the file's row is not selected"
record first
xdotool mousemove --window "$wid" 34 18 click 1
wait_for 20 heard_for first 0.5 || fail "Play played nothing"
kill "$rec"
# The layout button switches to the small one.
xdotool mousemove --window "$wid" 614 46 click 1
wait_for 10 height_is "$wid" 89 || fail "small layout is $(window_height "$wid") pixels high"

# "Close" writes the exit keys and ends the program.
close_main "$wid" "$prog"
wait "$prog" || fail "the program ended with an error: $(cat "$work/first.log")"
[ "$(ini_value long_disp)" = "0" ] || fail "long_disp is '$(ini_value long_disp)'"
[ "$(ini_value mru_max)" = "7" ] || fail "mru_max is '$(ini_value mru_max)'"
[ "$(ini_value vol)" = "100" ] || fail "vol is '$(ini_value vol)'"
echo "main window end-to-end: 1 passed, 0 failed"
