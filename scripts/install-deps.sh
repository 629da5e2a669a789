#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# A quick no-op when all of them are present.
set -euo pipefail

packages=(
    # build
    build-essential cmake pkg-config clang-format lld
    libgtest-dev libgmock-dev libbenchmark-dev
    # ID3v2 tags are read and written with TagLib (the probe's benchmark times it too)
    libtag1-dev
    # windows
    qt6-base-dev libgl-dev
    # player engine: decoder and output (the mpg123 package brings libout123's device modules)
    libmpg123-dev mpg123 libsoundtouch-dev
    # fixtures for tests: encoder
    libmp3lame-dev lame
    # sound server and X server for end-to-end runs, and tools that look at the result
    pulseaudio pulseaudio-utils xvfb x11-utils xdotool imagemagick sox
    # a private session bus and the desktop's media-control client for the media controls' run
    dbus playerctl libglib2.0-bin
    # fuzzing: clang with libFuzzer and the sanitizer runtimes, and the symbolizer for reports
    clang libclang-rt-dev llvm
    # peers that read our tags and wave files back
    python3-mutagen id3v2 ffmpeg eyed3
    # checks the installed launcher
    desktop-file-utils
    # the Debian package: manual pages from scdoc, Depends from the linked libraries, the checks
    # of the package, its metadata, its manual pages and its shell completion
    scdoc dpkg-dev lintian appstream man-db bash-completion
    # a browser that draws our exported web page in the end-to-end run
    chromium
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
