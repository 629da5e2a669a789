#!/usr/bin/env bash
# Decoding a 5-minute 128 kbit/s file to a wave file: vantrel-cli decode against mpg123 -w,
# alternating runs, median of the wall-time ratios.
#   bench/decode_vs_mpg123.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-7}"
cli="$build/bin/vantrel-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 300 sine 440 sine 660 vol 0.5
lame --quiet -b 128 "$work/tone.wav" "$work/tone.mp3"

seconds() { # wall seconds of a command
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

ratios=()
for ((i = 0; i < runs; i++)); do
    ours=$(seconds "$cli" decode "$work/tone.mp3" "$work/ours.wav")
    theirs=$(seconds mpg123 -q -w "$work/ref.wav" "$work/tone.mp3")
    ratio=$(echo "$ours / $theirs" | bc -l)
    ratios+=("$ratio")
    printf 'run %d: vantrel-cli %.3f s, mpg123 %.3f s, ratio %.3f\n' "$i" "$ours" "$theirs" "$ratio"
done
cmp -s "$work/ours.wav" "$work/ref.wav" && echo "outputs are byte-identical"
median=$(printf '%s\n' "${ratios[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
printf 'median ratio %.3f\n' "$median"
