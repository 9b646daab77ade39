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
    # the core X fonts SDL's message boxes draw their text in
    xfonts-base
    # testing: unit tests, benchmarks, a private X screen, key presses and screenshots
    libgtest-dev libbenchmark-dev xvfb xdotool x11-utils imagemagick
    # installing and packing: the menu entry and AppStream checks, dpkg-shlibdeps for the
    # Debian package's dependencies, groff for the manual page check
    desktop-file-utils appstream dpkg-dev groff-base
    # the art tool that draws Data/
    libcairo2-dev
    # fuzzing: clang with libFuzzer and its sanitizers
    clang libclang-rt-14-dev
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
