#!/usr/bin/env bash
# Builds Glimmerwake for the browser on Debian 12 with Debian's own emscripten: installs what it
# needs, builds zlib, libpng and FreeType for WebAssembly from Debian's source packages, then the
# game and the replay tool for node into build-web/ (or $GLIMMERWAKE_WEB_BUILD). Leaves there
# site/, a folder any static web server can serve as it is (index.html, the game's .js, .wasm and
# .data, the font and its licence), and glimmerwake-replay.js, the replay tool for node.
#   scripts/build-web.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${GLIMMERWAKE_WEB_BUILD:-$top/build-web}
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

packages=(
    # the compiler (clang and binaryen inside), and the tools that build the libraries
    emscripten cmake ninja-build dpkg-dev
    # the face the game prints in, shipped in the site with its licence
    fonts-liberation2
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
        --no-install-recommends "${missing[@]}"
fi

# Emscripten's JavaScript steps run on node and load acorn from Debian's node modules, which a
# node that did not come from Debian does not look in.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# apt-get source needs deb-src lines for the archive apt installs from.
"$top/scripts/add-deb-src.sh"

# Unpacks Debian's source package $1 into $2, the newest version the mirror has; a mirror that
# lacks the newest upload (the security archive's sources are not everywhere) falls back to the
# one before. Prints the unpacked folder.
fetch_source() {
    local package=$1 into=$2 version
    rm -rf "$into"
    mkdir -p "$into"
    for version in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -urV); do
        if (cd "$into" && apt-get source -qq "$package=$version" >/dev/null 2>&1); then
            echo "$package $version from Debian's sources" >&2
            find "$into" -mindepth 1 -maxdepth 1 -type d | head -n 1
            return 0
        fi
        rm -rf "${into:?}"/*
    done
    echo "apt-get source $package failed" >&2
    return 1
}

# Builds the CMake project in $2 (Debian's source package $1) for WebAssembly and installs it as
# static libraries into $prefix, once per build folder. Nothing of it is kept in the repository.
prefix=$out/prefix
build_library() {
    local package=$1 marker=$2
    shift 2
    [ -f "$prefix/$marker" ] && return 0
    local source_dir
    source_dir=$(fetch_source "$package" "$out/sources/$package")
    rm -rf "$out/libraries/$package"
    emcmake cmake -S "$source_dir" -B "$out/libraries/$package" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" >/dev/null
    nice -n 10 cmake --build "$out/libraries/$package" -j "$jobs" >/dev/null
    cmake --install "$out/libraries/$package" >/dev/null
}

# zlib's CMake file insists on a shared library and its Windows resources: its own configure
# script builds the static library alone.
if [ ! -f "$prefix/lib/libz.a" ]; then
    zlib_source=$(fetch_source zlib "$out/sources/zlib")
    (cd "$zlib_source" && CFLAGS=-O2 emconfigure ./configure --static --prefix="$prefix" >/dev/null &&
        nice -n 10 emmake make -j "$jobs" libz.a >/dev/null && emmake make install >/dev/null)
fi
build_library libpng1.6 lib/libpng16.a -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_PROGRAMS=ON \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" -DPNG_HARDWARE_OPTIMIZATIONS=OFF
# Only the outlines of one TrueType face are drawn: none of FreeType's optional companions, and
# the zlib above for its gzip module rather than the copy it would otherwise build in, whose
# symbols clash with zlib's own.
build_library freetype lib/libfreetype.a -DBUILD_SHARED_LIBS=OFF -DFT_REQUIRE_ZLIB=ON \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

# The game and the node replay tool.
emcmake cmake -S "$top" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DGLIMMERWAKE_WEB_PREFIX="$prefix" -DGLIMMERWAKE_TESTS=OFF >/dev/null
nice -n 10 cmake --build "$out" -j "$jobs"
echo "Built $out/site/ (serve it as it is) and $out/glimmerwake-replay.js"
