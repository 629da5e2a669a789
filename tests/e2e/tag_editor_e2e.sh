#!/usr/bin/env bash
# The tag editor, the renamer and the folder browser in the real program under a private X
# server: "/Tag" with two files typed into and saved with Enter, a rename through "Use Title"
# and the input box, and a folder's files added with "Select All". mutagen reads the tags,
# and the list saved as .m3u holds the folder's files.
#   tag_editor_e2e.sh BIN_DIR SOURCE_DIR [SHOT_DIR]
SHOTS=${3:-}
. "$2/tests/e2e/e2e_lib.sh"
/usr/bin/python3 -c "import mutagen" 2>/dev/null || skip "mutagen for /usr/bin/python3 is not installed"

start_all
mkdir -p "$work/music"
for t in a b c music/m1 music/m2; do mp3 "$t" 440 1; done
export HOME="$work/music" # where the folder browser starts

shown() { wait_for 30 named "$1"; }
# click WINDOW X Y: a click at a point of a window, which then has the keyboard.
click() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool mousemove --window "$1" "$2" "$3" click 1
}
# retype WINDOW X Y TEXT: replaces the text of the box at that point.
retype() {
    click "$1" "$2" "$3"
    xdotool key ctrl+a BackSpace
    xdotool type --delay 20 "$4"
}
tag_of() {
    /usr/bin/python3 -c "import sys
from mutagen.id3._id3v1 import ParseID3v1
f = ParseID3v1(open(sys.argv[1], 'rb').read()[-128:]) or {}
print('|'.join(str(f[k]) if k in f else '' for k in ('TIT2', 'TPE1')))" "$1"
}
tag_is() { [ "$(tag_of "$1")" = "$2" ]; }

# Title row at y 31, Artist row at y 57; "Use Title" at 40,251.
launch run1 /Tag "$work/a.mp3" "$work/b.mp3"
dlg=$(shown "Tag Editor") || fail "the tag editor did not show for /Tag"
retype "$dlg" 200 31 "Cafe Noir"
retype "$dlg" 200 57 "Bjork"
shot tag_editor
xdotool key Return
wait_for 20 tag_is "$work/a.mp3" "Cafe Noir|Bjork" || fail "a.mp3 reads '$(tag_of "$work/a.mp3")'"
dlg=$(shown "Tag Editor") || fail "the editor did not come back for the second file"
# The untagged second file shows its name as the title; the artist carries over.
retype "$dlg" 200 57 "Uber"
xdotool key Return
wait_for 20 tag_is "$work/b.mp3" "b.mp3|Uber" || fail "b.mp3 reads '$(tag_of "$work/b.mp3")'"
wait_for 10 gone "Tag Editor" || fail "the editor stayed open after the last file"

# The folder browser adds the files of the folder it shows.
main=$(main_window) || fail "no main window"
click "$main" 576 279 # "File Search", in the large layout
browser=$(shown "Play List Manager") || fail "File Search did not show the folder browser"
click "$browser" 382 205 # Select All
sleep 1
shot folder_browser
click "$browser" 466 205 # Finished
wait_for 10 gone "Play List Manager" || fail "Finished did not hide the folder browser"
shot main_with_rows
save_list "$main" 0 "$work/rows.m3u"
[ "$(tr -d '\r' <"$work/rows.m3u" | grep -cxF -e "$work/music/m1.mp3" -e "$work/music/m2.mp3")" -eq 2 ] ||
    fail "the folder's files are not in the list: $(cat "$work/rows.m3u")"
click "$main" 612 73
wait_for 10 ended "$prog" || fail "the program did not end: $(cat "$work/run1.log")"

# A rename through "Use Title" and the input box.
launch run2 /Tag "$work/c.mp3"
dlg=$(shown "Tag Editor") || fail "the tag editor did not show for c.mp3"
retype "$dlg" 200 31 "Morning"
click "$dlg" 40 251
note=$(shown "File Re-Naming") || fail "no renaming note"
xdotool windowfocus --sync "$note" key Return
wait_for 10 gone "File Re-Naming" || fail "the note stayed"
xdotool windowfocus --sync "$dlg" key Return
ask=$(shown "Rename File") || fail "no rename question"
xdotool windowfocus --sync "$ask" key Return
wait_for 10 test -e "$work/Morning.mp3" || fail "c.mp3 was not renamed: $(ls "$work")"
[ ! -e "$work/c.mp3" ] || fail "c.mp3 is still there"
tag_is "$work/Morning.mp3" "Morning|" || fail "Morning.mp3 reads '$(tag_of "$work/Morning.mp3")'"
main=$(main_window)
click "$main" 612 73
wait_for 10 ended "$prog" || fail "the program did not end"
echo "tag editor end-to-end: 1 passed, 0 failed"
