#!/usr/bin/env bash
# The folder search against find: a generated tree of 100,000 files in 5,000 folders, one in
# five an .mp3, page cache warm. Prints the best of RUNS wall times of each and their ratio.
#   bench/search_vs_find.sh [BUILD_BIN_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
BIN=${1:-$here/build/bin}
RUNS=${2:-5}
tree=${TMPDIR:-/tmp}/vantrel-search-bench
if [ ! -e "$tree/done" ]; then
    echo "making the tree in $tree..." >&2
    rm -rf "$tree"
    python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
# 50 top folders of 10 folders of 10 folders: 5,000 folders, 20 files each.
for i in range(5000):
    d = os.path.join(root, f"a{i // 100:02d}", f"b{i // 10 % 10}", f"c{i % 10}")
    os.makedirs(d, exist_ok=True)
    for f in range(20):
        name = f"track{f:02d}.mp3" if f % 5 == 0 else f"other{f:02d}.txt"
        open(os.path.join(d, name), "w").close()
PY
    touch "$tree/done"
fi
best() { # best wall time in ms of RUNS runs of the command
    local b=""
    for _ in $(seq "$RUNS"); do
        local s e
        s=$(date +%s%N)
        "$@" >/dev/null
        e=$(date +%s%N)
        local ms=$(((e - s) / 1000000))
        if [ -z "$b" ] || [ "$ms" -lt "$b" ]; then b=$ms; fi
    done
    echo "$b"
}
"$BIN/vantrel-cli" search "$tree" >/dev/null # warm the cache
n_ours=$("$BIN/vantrel-cli" search "$tree" | wc -l)
n_find=$(find "$tree" -name '*.mp3' | wc -l)
[ "$n_ours" -eq "$n_find" ] || { echo "found $n_ours, find found $n_find" >&2; exit 1; }
ours=$(best "$BIN/vantrel-cli" search "$tree")
theirs=$(best find "$tree" -name '*.mp3')
echo "matches: $n_ours"
echo "vantrel-cli search: $ours ms"
echo "find -name '*.mp3': $theirs ms"
python3 -c "print(f'ratio: {$ours / max($theirs, 1):.2f}x')"
