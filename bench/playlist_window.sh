#!/usr/bin/env bash
# The whole program with a large playlist: a fresh player under Xvfb gets N tiny tagged MP3
# files (hard links to a few copies, so they cost no disk), either handed over through the
# hand-off file or named by an .m3u it is started on, and the script reports how fast the rows
# came in and the program's resident memory once they are all listed. Right before, the bare
# read loop (read_loop: open, read the first 4 KiB and the last 128 bytes, close, one thread)
# runs over the same files, and the program's rate is given as a share of the loop's.
#   bench/playlist_window.sh [BUILD_BIN_DIR] [N] [handoff|playlist]
# With PROFILE set to a command, it runs with the program's process id appended while the rows
# come in and is stopped with SIGINT after the last, e.g.
#   PROFILE="perf record -q -F 999 -g -o /tmp/open.data -p" bench/playlist_window.sh "" 100000 playlist
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
BIN=${1:-$here/build/bin}
N=${2:-100000}
KIND=${3:-handoff}
. "$here/tests/e2e/e2e_lib.sh" "$BIN" "$here"

start_x
start_pulse
make_program_folder "$BIN"
mp3 one 440 0.2
"$BIN/vantrel-cli" tag --title "Tiny" --artist "Bench" "$work/one.mp3" >/dev/null
echo "making $N files..." >&2
python3 "$here/bench/tiny_tracks.py" "$work" "$N" "$KIND"
cat "$work"/one*.mp3 >/dev/null # page cache warm (every track is a link to these)
loop_rate=""
if [ -x "$BIN/read_loop" ]; then
    listing="$work/many/list.m3u"
    [ "$KIND" = playlist ] || listing="$work/prog/quorv.tmp" # absolute paths, one a line
    "$BIN/read_loop" "$listing" | tee "$work/loop.log"
    loop_rate=$(awk '{print $NF}' "$work/loop.log")
fi

# A playlist is timed from the start; handed-over files from the window's appearance, when
# the collector starts on them.
start=$(date +%s.%N)
if [ "$KIND" = playlist ]; then launch run "$work/many/list.m3u"; else launch run; fi
wid=$(main_window) || fail "no window"
[ "$KIND" = playlist ] || start=$(date +%s.%N)
perf_pid=""
if [ -n "${PROFILE:-}" ]; then
    $PROFILE "$prog" 2>"$work/profile.log" &
    perf_pid=$!
fi
# The longest time the window does not answer, while the rows come in.
xp=""
if [ -x "$BIN/x_ping" ]; then
    "$BIN/x_ping" "$wid" "$work/loaded" >"$work/ping.log" &
    xp=$!
fi
# The collector takes quorv.tmp away, and removes its private copy when every line is handled.
sleep 0.5
while [ -e "$work/prog/quorv.tmp" ] || ls "$work/prog"/.quorv-* >/dev/null 2>&1; do sleep 0.05; done
end=$(date +%s.%N)
touch "$work/loaded"
if [ -n "$perf_pid" ]; then
    kill -INT "$perf_pid" 2>/dev/null || true
    wait "$perf_pid" || true
    cat "$work/profile.log" >&2
fi
[ -n "$xp" ] && wait "$xp"
sleep 1
rss=$(awk '/VmRSS/ {print $2}' "/proc/$prog/status")
# The program's processor time so far (all threads; start-up included), in clock ticks.
cpu=$(awk '{print $14 + $15}' "/proc/$prog/stat")
awk -v n="$N" -v s="$start" -v e="$end" -v r="$rss" -v l="$loop_rate" \
    'BEGIN { printf "rows: %d  time: %.1f s  rows/s: %d  resident: %d MB", n, e - s, n / (e - s), r / 1024
             if (l > 0) printf "  share of the read loop: %.2f", n / (e - s) / l
             printf "\n" }'
awk -v n="$N" -v c="$cpu" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "processor time: %.1f s, %.1f us a row\n", c / hz, c / hz / n * 1e6 }'
[ -s "$work/ping.log" ] && cat "$work/ping.log"
