#!/usr/bin/env bash
# Repaints every image of Data/, art/contact-sheet.png, the desktop icons in packaging/icons and
# the Windows icon packaging/windows/glimmerwake.ico
# from the sources in art/src, and synthesises every sound of Data/Sounds/ from art/sound.
#   art/rebuild.sh            (build directory: build-art/ at the top of the repo)
#   ART_BUILD_DIR=DIR art/rebuild.sh
set -euo pipefail
art_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(dirname "$art_dir")
# shellcheck source=tools.sh
. "$art_dir/tools.sh"
ensure_art_tools

build_dir=${ART_BUILD_DIR:-"$repo_dir/build-art"}
cmake -S "$art_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DGLIMMERWAKE_ART_DATA_DIR="$repo_dir/Data" \
    -DGLIMMERWAKE_ART_SHEET="$art_dir/contact-sheet.png" \
    -DGLIMMERWAKE_ART_ICON_DIR="$repo_dir/packaging/icons" \
    -DGLIMMERWAKE_ART_WINDOWS_ICON="$repo_dir/packaging/windows/glimmerwake.ico" \
    -DGLIMMERWAKE_SOUNDS_DIR="$repo_dir/Data/Sounds" >/dev/null
cmake --build "$build_dir" -j2 --target art sounds
