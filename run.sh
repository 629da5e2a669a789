#!/usr/bin/env bash
# Installs what is missing, builds and starts the player with the given files.
set -euo pipefail
orig="$PWD"
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
# Relative paths stay relative to where the user started us.
cd "$orig"
exec "$here/build/bin/vantrel" "$@"
