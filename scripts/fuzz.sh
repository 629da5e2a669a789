#!/usr/bin/env bash
# Builds the libFuzzer harnesses (tests/fuzz/) into build-fuzz/ and runs each one for SECONDS
# (default 60) on a copy of its seed corpus. Exits non-zero when any harness finds a fault;
# the input that shows it is kept in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
./scripts/install-deps.sh

build=build-fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVANTREL_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

findings="$PWD/$build/findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work" # the harnesses' scratch files go with it
mkdir -p "$findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# harness  largest input  seconds one input may take
harnesses=(
    "id3v1        4096   10"
    "id3v2        4096   10"
    "settings     4096   10"
    "handoff_line 4096   10"
    "mpeg_layout  8192   10"
    "engine       4096   30"
    "playlist     4096   10"
)

failed=()
summary=()
for entry in "${harnesses[@]}"; do
    read -r name max_len timeout <<<"$entry"
    corpus="$work/$name"
    cp -r "tests/fuzz/corpus/$name" "$corpus"
    log="$work/$name.log"
    echo "== $name: ${seconds}s"
    start=$(date +%s)
    if "$build/bin/${name}_fuzz" "$corpus" -max_total_time="$seconds" -max_len="$max_len" \
        -timeout="$timeout" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/$name-" </dev/null >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        failed+=("$name")
        tail -n 60 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    summary+=("$(printf '%-13s %-7s %10s runs %5ss' "$name" "$result" "${runs:-?}" \
        "$(($(date +%s) - start))")")
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (inputs in $findings)" >&2
    exit 1
fi
