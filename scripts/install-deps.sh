#!/usr/bin/env bash
# Installs the Debian 12 packages Glimmerwake needs, skipping those already there:
#
#     scripts/install-deps.sh play    to build and play the game (scripts/play.sh)
#     scripts/install-deps.sh test    that and everything the tests, the art check and the
#                                     fuzzers need (scripts/test.sh; the default)
#
# Uses sudo when not run as root. Add a package to the group that needs it, with a comment: the
# fresh Debian root that CI builds every run has nothing else, so a package left out fails CI.
set -euo pipefail

group=${1:-test}

play_packages=(
    # building
    g++ cmake ninja-build pkg-config
    libsdl2-dev libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev
    libgl-dev libglu1-mesa-dev libegl-dev
    # running: Mesa's OpenGL drivers and the typewriter face the game prints in
    libgl1-mesa-dri libegl-mesa0 libglx-mesa0 fonts-liberation2
    # the core X font SDL's message boxes are drawn in: without it the "ERROR" box never shows
    xfonts-base
    # sending proved games to a score board, when the player chooses to (shell/common/score_sender.cpp)
    libcurl4-openssl-dev
)

test_packages=(
    # unit tests, benchmarks, a private X screen, key presses and screenshots
    libgtest-dev libbenchmark-dev xvfb xdotool x11-utils imagemagick
    # the music's loudness by EBU R128 (bench/music_loudness.sh)
    ffmpeg
    # checking the rules' sine and cosine against MPFR (tools/trig_check)
    libmpfr-dev
    # installing and packing: the menu entry and AppStream checks, dpkg-shlibdeps for the
    # Debian package's dependencies (CPack finds the binaries it asks about with file), groff for
    # the manual page check
    desktop-file-utils appstream dpkg-dev file groff-base
    # the art tool that draws Data/
    libcairo2-dev
    # memcheck of the replay tool
    valgrind
    # the daily run's end-to-end test plays the game on other days' clocks
    faketime
    # fuzzing: clang with libFuzzer and its sanitizers
    clang libclang-rt-14-dev
    # the layout check of the sources (ctest -R style)
    clang-format
    # the Windows build, cross-compiled and tested under Wine (scripts/build-windows.sh, which
    # also builds libpng from Debian's sources with dpkg-dev, and scripts/test-windows.sh)
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64 libz-mingw-w64-dev dpkg-dev
    zip wine wine64
    # the Windows installer (makensis), and reading the icon, version and manifest back from the
    # .exe (wrestool, icotool)
    nsis icoutils

    # the score board (board/, cmake -DGLIMMERWAKE_BOARD=ON): HTTP, JSON, SQLite and its shell,
    # PostgreSQL's client library and SHA-256 (libssl-dev)
    libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev sqlite3 libpqxx-dev libssl-dev
    # its tests: a real PostgreSQL 15 and its psql, JSON and HTTP on the command line, a real
    # headless browser for its page, and systemd-analyze for its unit
    postgresql-15 postgresql-client-15 jq curl chromium systemd
)

# The browser build and its tests (scripts/build-web.sh, tests/web/run.sh): Debian's emscripten,
# which builds zlib, libpng and FreeType from Debian's source packages (dpkg-dev above unpacks
# them); node with npm, which installs puppeteer-core at the versions tests/web/package-lock.json
# names; and the headless Chromium it drives.
web_packages=(
    emscripten nodejs chromium
)
# Debian's node comes without npm, a package of its own; a node from elsewhere (NodeSource's)
# brings its own npm, which Debian's would fight.
command -v npm >/dev/null || web_packages+=(npm)

case "$group" in
play) packages=("${play_packages[@]}") ;;
test) packages=("${play_packages[@]}" "${test_packages[@]}" "${web_packages[@]}") ;;
*)
    echo "usage: scripts/install-deps.sh [play|test]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Installing what Glimmerwake needs takes root, and sudo is not here: as root, run" \
            "'apt-get install --no-install-recommends ${missing[*]}', then this again." >&2
        exit 1
    fi
    sudo=(sudo)
fi
# sudo drops the caller's environment, so the setting goes on its command line.
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
echo "Installing: ${missing[*]}"
"${apt[@]}" update -qq
"${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
