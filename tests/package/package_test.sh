#!/usr/bin/env bash
# Builds the Debian package from a built tree and looks inside it: the same files as
# `cmake --install`, Depends from the linked libraries, valid metadata and launcher, manual
# pages that render cleanly and say what --help says, and the shell completion at work.
#   package_test.sh BUILD_DIR
set -euo pipefail
BUILD=$1
BASH_COMPLETION=/usr/share/bash-completion/bash_completion
work=$(mktemp -d /tmp/vantrel-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
# A missing tool ends the run as skipped (CTest's SKIP_RETURN_CODE), never as passed.
skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in dpkg-deb dpkg-shlibdeps cpack lintian appstreamcli desktop-file-validate man; do
    command -v "$tool" >/dev/null || skip "$tool is not installed, so the package is not built"
done
[ -f "$BASH_COMPLETION" ] || skip "bash-completion is not installed ($BASH_COMPLETION)"

cli="$BUILD/bin/vantrel-cli"
version=$("$cli" --version | awk '{print $NF}')
[ "$("$BUILD/bin/vantrel" --version | awk '{print $NF}')" = "$version" ] ||
    fail "the two programs print different versions"

cpack --config "$BUILD/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(tail -n 20 "$work/cpack.log")"
deb="$work/out/vantrel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/out")"
dpkg-deb -x "$deb" "$work/root"
lintian "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(grep -v privileges "$work/lintian.log")"

# The package holds what `cmake --install` installs under /usr, no more, no less.
DESTDIR="$work/installed" cmake --install "$BUILD" --prefix /usr >"$work/install.log" 2>&1 ||
    fail "install: $(tail -n 5 "$work/install.log")"
diff <(cd "$work/installed" && find . -type f | sort) <(cd "$work/root" && find . -type f | sort) ||
    fail "the package's files differ from what cmake --install puts in /usr"
[ -z "$(cd "$work/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)" ] || fail "files outside /usr"

# Every library a program links comes from a package named in Depends.
depends=$(dpkg-deb -f "$deb" Depends)
# A library may come from a package that one named there pulls in (libtag1v5 brings the
# library itself in libtag1v5-vanilla): one step of the installed packages' own Depends.
names=$(sed 's/([^)]*)//g; s/[,|]/ /g' <<<"$depends")
pulled=$(for n in $names; do dpkg-query -W -f='${Depends}\n' "$n" 2>/dev/null; done |
    sed 's/([^)]*)//g; s/[,|]/ /g; s/:[a-z0-9]*//g')
depends="$depends, $(tr -s ' \n' ',' <<<" $pulled" | sed 's/,/, /g')"
for program in vantrel vantrel-cli; do
    for path in $(ldd "$BUILD/bin/$program" | awk '$3 ~ /^\// {print $3}'); do
        soname=$(basename "$path")
        objdump -p "$BUILD/bin/$program" | grep -q "NEEDED *$soname\$" || continue
        owner=$(dpkg -S "$(realpath "$path")" 2>/dev/null || dpkg -S "$path") || fail "no package owns $path"
        owner=${owner%%:*}
        [[ ", $depends," == *", $owner "* || ", $depends," == *", $owner,"* ]] ||
            fail "$program links $soname from $owner, which Depends lacks: $depends"
    done
done

# The metadata validates, carries this version and names a launcher and programs that are there.
metainfo=$(ls "$work"/root/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo" >"$work/validate.log" 2>&1 ||
    fail "metadata: $(cat "$work/validate.log")"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's release is not $version"
launcher=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo")
[ "$launcher" = "$id.desktop" ] || fail "the metadata's id $id does not match the launcher $launcher"
desktop-file-validate "$work/root/usr/share/applications/$launcher" || fail "the launcher is not valid"
for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo"); do
    [ -x "$work/root/usr/bin/$binary" ] || fail "the metadata provides $binary, the package does not"
done

# The manual pages render without a warning and name every switch --help names (the note on
# installing from the source aside).
for program in vantrel vantrel-cli; do
    page="$work/root/usr/share/man/man1/$program.1.gz"
    [ -f "$page" ] || fail "no manual page for $program"
    text=$(MANWIDTH=200 man --warnings -l "$page" 2>"$work/man.log")
    [ ! -s "$work/man.log" ] || fail "$program(1) renders with warnings: $(cat "$work/man.log")"
    for word in $("$BUILD/bin/$program" --help | grep -v "cmake --install" | grep -oE '(^| )(--|/)[A-Za-z][a-z-]*' | sort -u); do
        grep -qF -- "$word" <<<"$text" || fail "$program(1) does not mention $word"
    done
done

# The completion, run on partial command lines in a folder of sample names.
complete_line() { # FUNCTION LINE: the candidates, one a line
    (cd "$work/files" && bash -c '. "$1" && . "$2" && . "$3"
        read -ra COMP_WORDS <<<"$5"; [[ $5 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$5 COMP_POINT=${#5}
        "$4" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' _ "$BASH_COMPLETION" "$completions/vantrel" \
        "$completions/vantrel-cli" "$@" | sort -u)
}
offers() { # FUNCTION LINE WORD...: every WORD is among the candidates
    local got word
    got=$(complete_line "$1" "$2")
    for word in "${@:3}"; do
        grep -qxF -- "$word" <<<"$got" || fail "\"$2\" does not offer $word: $(echo $got)"
    done
}
offers_only() { # FUNCTION LINE WORD...: exactly the WORDs
    offers "$@"
    [ "$(complete_line "$1" "$2" | wc -l)" -eq $(($# - 2)) ] ||
        fail "\"$2\" offers more than $*: $(complete_line "$1" "$2" | tr '\n' ' ')"
}
completions="$work/root/usr/share/bash-completion/completions"
mkdir -p "$work/files/folder"
touch "$work/files/"{song.mp3,LOUD.MP3,list.m3u,out.wav,notes.txt}

help=$("$cli" --help)
commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z]\+\) .*/\1/p' <<<"$help")
offers _vantrel_cli "vantrel-cli " $commands
for command in $commands; do
    offers _vantrel_cli "vantrel-cli $command --" \
        $(grep "^  $command " <<<"$help" | grep -oE -- '--[a-z-]+' || true)
done
templates=$(grep -oE -- '--use [a-z|-]+' <<<"$help" | cut -d' ' -f2 | tr '|' ' ')
offers_only _vantrel_cli "vantrel-cli rename --use " $templates
offers_only _vantrel_cli "vantrel-cli tag --from-name " $templates
offers_only _vantrel_cli "vantrel-cli export --format " \
    $(grep -oE -- '--format [a-z0-9|]+' <<<"$help" | cut -d' ' -f2 | tr '|' ' ')
offers_only _vantrel_cli "vantrel-cli info " song.mp3 LOUD.MP3 folder
offers_only _vantrel_cli "vantrel-cli decode song.mp3 " out.wav folder
offers_only _vantrel_cli "vantrel-cli export --title T " list.m3u folder
offers_only _vantrel_cli "vantrel-cli search --null " folder
offers_only _vantrel "vantrel " song.mp3 LOUD.MP3 list.m3u folder
offers _vantrel "vantrel /" $("$BUILD/bin/vantrel" --help | grep -oE '^  /[A-Za-z]+')
offers_only _vantrel "vantrel --" $("$BUILD/bin/vantrel" --help | grep -oE '^  --[a-z]+')

# The genre names offered are the program's table: each number's name, read back by info.
for n in $(seq 0 255); do
    head -c 1024 /dev/zero >"$work/genre.mp3"
    "$cli" tag --genre "$n" "$work/genre.mp3" 2>/dev/null || continue
    "$cli" info "$work/genre.mp3" | cut -f6
done | grep . | sort -u >"$work/genres"
[ "$(wc -l <"$work/genres")" -gt 100 ] || fail "the program names only $(wc -l <"$work/genres") genres"
diff "$work/genres" <(complete_line _vantrel_cli "vantrel-cli tag --genre " | while read -r g; do
    eval "printf '%s\n' $g"; done | sort -u) || fail "the genre names offered differ from the program's"
echo "package: $(basename "$deb") built and checked"
