#!/usr/bin/env bash
# Installs into a temporary prefix, makes it read-only and starts the installed program with a
# file: the settings and the hand-off land in the user's configuration folder.
#   install_e2e.sh BUILD_DIR SOURCE_DIR
BUILD=$1
. "$2/tests/e2e/e2e_lib.sh"

prefix="$work/prefix"
cmake --install "$BUILD" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "install: $(cat "$work/install.log")"
for f in bin/vantrel bin/vantrel-cli share/vantrel/Help/index.html share/vantrel/vantrel.ini \
    share/icons/hicolor/scalable/apps/vantrel.svg; do
    [ -e "$prefix/$f" ] || fail "$f was not installed"
done
ls "$prefix/share/vantrel/Back/"* >/dev/null || fail "no Back pictures installed"
"$prefix/bin/vantrel-cli" --help | grep -q "cmake --install" || fail "vantrel-cli --help says nothing of installing"
chmod -R a-w "$prefix"
touch "$work/installed"

start_x
start_pulse
mp3 song 440 1
mp3 other 660 1
export XDG_CONFIG_HOME="$work/config"
"$prefix/bin/vantrel" "$work/song.mp3" >"$work/run.log" 2>&1 &
run=$!
pids+=($run)
wid=$(main_window) || fail "the installed program did not show: $(cat "$work/run.log")"
[ -f "$XDG_CONFIG_HOME/vantrel/vantrel.ini" ] || fail "no settings in XDG_CONFIG_HOME"
wait_for 30 test ! -e "$XDG_CONFIG_HOME/vantrel/quorv.tmp" || fail "the hand-off was not collected"
# A second start hands over to the first, through the same folder.
timeout 10 "$prefix/bin/vantrel" "$work/other.mp3" || fail "the second start did not end"
grep -q other.mp3 "$XDG_CONFIG_HOME/vantrel/quorv.tmp" || fail "the second start's line is not in the settings folder"
close_main "$wid" "$run"
grep -qi "long_disp" "$XDG_CONFIG_HOME/vantrel/vantrel.ini" || fail "the exit settings were not written"
# The installed CLI exports with the user's columns: one more shown column, one more CSV field.
printf '%s\r\n' "$work/song.mp3" >"$work/list.m3u"
columns() { "$prefix/bin/vantrel-cli" export --format csv "$work/list.m3u" "$work/$1.csv" ||
    fail "the installed export failed"; head -1 "$work/$1.csv" | awk -F, '{print NF}'; }
before=$(columns before)
sed -i 's/^\(lv_header_[0-9]*=[0-9]*=\)0/\11/' "$XDG_CONFIG_HOME/vantrel/vantrel.ini"
after=$(columns after)
[ "$after" -gt "$before" ] || fail "the installed export ignored the user's columns ($before, then $after)"
# Root may write anywhere; the program still leaves the prefix alone.
[ -z "$(find "$prefix" -newer "$work/installed")" ] || fail "the prefix was written: $(find "$prefix" -newer "$work/installed")"
chmod -R u+w "$prefix"
echo "install end-to-end: 1 passed, 0 failed"
