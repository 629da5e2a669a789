#!/usr/bin/env bash
# A playlist handed to the program with a missing entry: the question and the folder box are
# answered, both tracks load, and the list is saved as .m3u and as a web page through the real
# dialogs. With chromium installed, the page is drawn into SHOT_DIR/playlist_page.png for a look.
#   playlist_files_e2e.sh BIN_DIR SOURCE_DIR [SHOT_DIR]
PAGE_PNG=${3:+$3/playlist_page.png}
. "$2/tests/e2e/e2e_lib.sh"

start_all
mkdir -p "$work/music" "$work/lists" "$work/out"
mp3 a 440 1
mp3 b 660 1
mv "$work/a.mp3" "$work/b.mp3" "$work/music/"
printf '#EXTM3U\r\n%s\r\n/old/place/b.mp3\r\n' "$work/music/a.mp3" >"$work/lists/l.m3u"

open_main run "$work/lists/l.m3u"

box=$(wait_for 20 named '^Vantrel$' && named '^Vantrel$') || fail "no question for the missing entry"
xdotool windowfocus --sync "$box" key Return
box=$(wait_for 10 named '^No Path$' && named '^No Path$') || fail "no folder box"
xdotool windowfocus --sync "$box" key ctrl+a type "$work/music"
xdotool key Return
wait_for 10 gone '^No Path$' || fail "the folder box stayed"

save_list "$wid" 0 "$work/out/saved.m3u"
printf '%s\r\n%s\r\n' "$work/music/a.mp3" "$work/music/b.mp3" | cmp -s - "$work/out/saved.m3u" ||
    fail "the saved list is not the two tracks: $(cat -A "$work/out/saved.m3u")"

save_list "$wid" 2 "$work/out/page.html" &
saver=$!
box=$(wait_for 10 named '^Page Title$' && named '^Page Title$') || fail "no title box"
xdotool windowfocus --sync "$box" key ctrl+a type "Tracks & <Tunes>"
xdotool key Return
wait "$saver" || exit 1
grep -q '<h1>Tracks &amp; &lt;Tunes&gt;</h1>' "$work/out/page.html" || fail "no escaped title in the page"
[ "$(grep -c '<a href=' "$work/out/page.html")" -eq 2 ] || fail "the page has not one link per track"

if command -v chromium >/dev/null; then
    # The browser resolves each link from the page's folder; every one names a track.
    { cat "$work/out/page.html"
      echo '<script>document.write("<pre>\nLINKS\n" + [...document.links].join("\n") + "\nEND</pre>")</script>'
    } >"$work/out/links.html"
    chromium --headless --no-sandbox --disable-gpu --dump-dom "file://$work/out/links.html" 2>/dev/null |
        awk '/^END/ {on = 0} on {print} /LINKS$/ {on = 1}' >"$work/links"
    [ "$(wc -l <"$work/links")" -eq 2 ] || fail "chromium found no two links: $(cat "$work/links")"
    python3 -c 'import os, sys, urllib.parse as u
sys.exit(any(not os.path.isfile(u.unquote(u.urlparse(l.strip()).path)) for l in sys.stdin))' <"$work/links" ||
        fail "a link of the page leads nowhere: $(cat "$work/links")"
fi
if [ -n "$PAGE_PNG" ] && command -v chromium >/dev/null; then
    chromium --headless --no-sandbox --disable-gpu --screenshot="$PAGE_PNG" --window-size=800,400 \
        "file://$work/out/page.html" >/dev/null 2>&1 || fail "chromium could not draw the page"
    [ -s "$PAGE_PNG" ] || fail "no screenshot"
fi
echo "playlist files end-to-end: 1 passed, 0 failed"
