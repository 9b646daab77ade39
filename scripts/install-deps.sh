#!/usr/bin/env bash
# Installs the Debian 12 packages Glimmerwake needs to build, run and test, skipping those already
# there. Uses sudo when not run as root.
set -euo pipefail

packages=(
    # building
    g++ cmake ninja-build pkg-config
    libsdl2-dev libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev
    libgl-dev libglu1-mesa-dev libegl-dev
    # running: Mesa's OpenGL drivers and the typewriter face the game prints in
    libgl1-mesa-dri libegl-mesa0 libglx-mesa0 fonts-liberation2
    # testing: unit tests, benchmarks, a private X screen, key presses and screenshots
    libgtest-dev libbenchmark-dev xvfb xdotool x11-utils imagemagick
    # the art tool that draws Data/
    libcairo2-dev
    # fuzzing: clang with libFuzzer and its sanitizers
    clang libclang-rt-14-dev
    # the Windows build, cross-compiled and tested under Wine (scripts/build-windows.sh, which
    # also builds libpng from Debian's sources with dpkg-dev, and scripts/test-windows.sh)
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64 libz-mingw-w64-dev dpkg-dev
    zip wine wine64
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
