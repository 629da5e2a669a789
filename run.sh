#!/usr/bin/env bash
# Installs what is missing, builds and starts the player with the given files, playing the
# first row and listing the rest. Arguments holding a switch or a playlist go to the player
# unchanged.
set -euo pipefail
orig="$PWD"
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
# Relative paths stay relative to where the user started us.
cd "$orig"
# Without a switch the player would only list the files, silently, so a first try of
# `./run.sh song.mp3` would hear nothing; /Play applies to each file and plays the first row.
# A playlist behind /Play would be taken for a track, so a playlist keeps the plain form.
play=/Play
[ $# -eq 0 ] && play=
for arg in "$@"; do
    case "${arg,,}" in
    /new | /que | /play | /open | /tag | --help | --version | *.m3u | *.m4u) play= ;;
    esac
done
exec "$here/build/bin/vantrel" ${play:+"$play"} "$@"
