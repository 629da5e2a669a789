#!/usr/bin/env bash
# Closing the window while the hand-off collector is still adding thousands of files ends the
# program at once and cleanly.
#   close_while_adding_e2e.sh BIN_DIR SOURCE_DIR
. "$2/tests/e2e/e2e_lib.sh"
need python3

start_all
mp3 one 440 1
# 20,000 hard links of one track, handed over as if 20,000 starts had queued them.
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
os.mkdir(f"{work}/many")
with open(f"{work}/prog/quorv.tmp", "w", newline="") as handoff:
    for i in range(20000):
        path = f"{work}/many/{i}.mp3"
        os.link(f"{work}/one.mp3", path)
        handoff.write(path + "\r\n")
PY

open_main run
# The collector takes the hand-off file away when it starts adding.
wait_for 30 test ! -e "$work/prog/quorv.tmp" || fail "the collector did not start"
ended "$prog" && fail "the program ended before Close: $(cat "$work/run.log")"

# "Close".
xdotool mousemove --window "$wid" 612 73 click 1
# Adding them all takes several seconds here; the close must not wait for it.
wait_for 3 ended "$prog" || fail "the program still runs 3 seconds after Close"
wait "$prog" || fail "the program ended with an error: $(cat "$work/run.log")"
echo "close while adding end-to-end: 1 passed, 0 failed"
