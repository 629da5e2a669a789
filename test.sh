#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./test.sh              normal build in build/
#   ./test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build=build
# Benchmarks are built and run on their own (bench/README.md), not with the tests.
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_BENCH=OFF)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    cmake_args=(-DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF)
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    shift
fi

cmake -S . -B "$build" "${cmake_args[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
cd "$build"
# Three runs a core: the end-to-end runs and the sound-server tests spend most of their time
# waiting for a window or for sound to play, and they start first.
# CTest's own lines stay as they are (CI reads its closing line); a count of the tests skipped
# for a missing tool follows, since in a long run they are easily overlooked.
status=0
ctest --output-on-failure -j "$(($(nproc) * 3))" "$@" | tee ctest.log || status=$?
echo "$(grep -c '(Skipped)$' ctest.log) tests skipped"
exit "$status"
