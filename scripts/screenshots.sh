#!/usr/bin/env bash
# Takes the pictures the metadata names for software centres (dist/screenshots/): the real
# windows of a built player under a private X server and sound server, a few generated tracks
# in the list.
#   scripts/screenshots.sh [BUILD_DIR]
here="$(cd "$(dirname "$0")/.." && pwd)"
. "$here/tests/e2e/e2e_lib.sh" "${1:-$here/build}/bin" "$here"
out="$here/dist/screenshots"
mkdir -p "$out"
# Small files: the pictures live in the repository.
keep() { import -window "$1" png:- | convert - -strip -define png:compression-level=9 "$out/$2.png"; }

start_all
mp3 01-morning 440 40 "Morning Light" "The Lanterns"
mp3 02-harbour 523 35 "Harbour Song" "The Lanterns"
mp3 03-night 392 50 "Night Train" "Ellis Grey"
mp3 04-fields 330 45 "Open Fields" "Ellis Grey"
open_main main /Play "$work"/0*.mp3
sleep 3
keep "$wid" main-window
close_main "$wid" "$prog"

launch tag /Tag "$work/02-harbour.mp3"
dlg=$(wait_for 30 named "Tag Editor") || fail "the tag editor did not show"
sleep 1
keep "$dlg" tag-editor
ls -l "$out"
