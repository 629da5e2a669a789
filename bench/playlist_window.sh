#!/usr/bin/env bash
# The whole program with a large playlist: hands N tiny MP3 files (hard links to one file, so
# they cost no disk) to a fresh player under Xvfb, and reports how fast the rows came in and
# the program's resident memory once they are all shown.
#   bench/playlist_window.sh [BUILD_BIN_DIR] [N]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
BIN=${1:-$here/build/bin}
N=${2:-100000}
. "$here/tests/e2e/e2e_lib.sh" "$BIN" "$here"

start_x
start_pulse
make_program_folder "$BIN"
mp3 one 440 0.2
"$BIN/vantrel-cli" tag --title "Tiny" --artist "Bench" "$work/one.mp3" >/dev/null
echo "making $N files..." >&2
python3 "$here/bench/tiny_tracks.py" "$work" "$N" handoff

"$work/prog/vantrel" &
pid=$!
pids+=($pid)
main_window >/dev/null || fail "no window"
start=$(date +%s.%N)
# The collector takes quorv.tmp away, and removes its private copy when every line is handled.
while [ -e "$work/prog/quorv.tmp" ]; do sleep 0.05; done
while ls "$work/prog"/.quorv-* >/dev/null 2>&1; do sleep 0.1; done
end=$(date +%s.%N)
sleep 1
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
awk -v n="$N" -v s="$start" -v e="$end" -v r="$rss" \
    'BEGIN { printf "rows: %d  time: %.1f s  rows/s: %d  resident: %d MB\n", n, e - s, n / (e - s), r / 1024 }'
