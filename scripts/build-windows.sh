#!/usr/bin/env bash
# Cross-builds Glimmerwake for 64-bit Windows on Debian 12: installs mingw-w64 and Wine, builds
# libpng from Debian's own source package against mingw's static zlib, then the game and the
# replay tool with cmake/mingw-w64.cmake into build-windows/ (or $GLIMMERWAKE_WINDOWS_BUILD).
# Leaves there glimmerwake.exe and glimmerwake-replay.exe, static (no DLL beyond the system's),
# glimmerwake-windows.zip with both, Data/ and a read-me, and the installer glimmerwake-setup.exe
# with the same files (NSIS, packaging/windows/glimmerwake.nsi).
#   scripts/build-windows.sh [--tests]    --tests also builds the unit tests that run under Wine
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${GLIMMERWAKE_WINDOWS_BUILD:-$top/build-windows}
tests=OFF
[ "${1:-}" = --tests ] && tests=ON
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

packages=(
    # the cross compilers (posix threads), mingw's headers and its static zlib
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64 libz-mingw-w64-dev
    # building: the same tools as the Linux build, and dpkg-dev for apt-get source
    cmake ninja-build dpkg-dev zip binutils-mingw-w64-x86-64
    # the installer
    nsis
    # running the Windows programs: Wine, and the X and GL libraries it loads
    wine wine64 libgl1-mesa-dri libglx-mesa0 libglu1-mesa libxrender1 libxrandr2 libxi6
    libxcursor1 libxinerama1 libxcomposite1 libxxf86vm1 libfreetype6 libfontconfig1 fonts-liberation2
    # the Linux build the Windows traces are compared with, the test screen, keys and screenshots
    xvfb xdotool x11-utils imagemagick
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

# apt-get source needs deb-src lines for the archive apt installs from.
"$top/scripts/add-deb-src.sh"

# libpng, built once per build directory from Debian's source package and installed as a static
# library into $out/prefix. Nothing of it is kept in the repository.
prefix=$out/prefix
mingw=/usr/x86_64-w64-mingw32
if [ ! -f "$prefix/lib/libpng16.a" ]; then
    rm -rf "$out/libpng-source" "$out/libpng-build"
    mkdir -p "$out/libpng-source"
    # Newest first; a mirror that lacks the newest upload (the security archive's sources are not
    # everywhere) falls back to the one before.
    fetched=
    for version in $(apt-cache showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -urV); do
        if (cd "$out/libpng-source" && apt-get source -qq "libpng1.6=$version" >/dev/null 2>&1); then
            fetched=$version
            break
        fi
        rm -rf "${out:?}/libpng-source"/*
    done
    [ -n "$fetched" ] || { echo "apt-get source libpng1.6 failed" >&2; exit 1; }
    echo "libpng1.6 $fetched from Debian's sources"
    source_dir=$(find "$out/libpng-source" -mindepth 1 -maxdepth 1 -type d -name 'libpng*' | head -n 1)
    cmake -S "$source_dir" -B "$out/libpng-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
        -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_PROGRAMS=ON \
        -DZLIB_INCLUDE_DIR="$mingw/include" -DZLIB_LIBRARY="$mingw/lib/libz.a" >/dev/null
    nice -n 10 cmake --build "$out/libpng-build" -j "$jobs"
    cmake --install "$out/libpng-build" >/dev/null
fi

# The game and the replay tool (and with --tests the unit tests that run under Wine).
cmake -S "$top" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DGLIMMERWAKE_WINDOWS_PREFIX="$prefix" -DGLIMMERWAKE_TESTS=$tests \
    >/dev/null
nice -n 10 cmake --build "$out" -j "$jobs"

# Nothing but the system's own DLLs: the C and C++ runtimes, libpng and zlib are linked in.
system_dlls='^(KERNEL32|USER32|GDI32|OPENGL32|GLU32|WINMM|SHELL32|ole32|msvcrt)\.dll$'
for program in glimmerwake glimmerwake-replay; do
    foreign=$(x86_64-w64-mingw32-objdump -p "$out/$program.exe" | sed -n 's/^\s*DLL Name: //p' |
        grep -viE "$system_dlls" || true)
    [ -z "$foreign" ] || { echo "$program.exe needs DLLs that are not Windows' own: $foreign" >&2; exit 1; }
done

# The zip: both programs, Data/ and the read-me (with the line ends Windows expects).
package=$out/package/Glimmerwake
rm -rf "$out/package" "$out/glimmerwake-windows.zip"
mkdir -p "$package"
for program in glimmerwake glimmerwake-replay; do
    x86_64-w64-mingw32-strip -o "$package/$program.exe" "$out/$program.exe"
done
cp -r "$top/Data" "$package/Data"
sed 's/$/\r/' "$top/shell/win32/read-me.txt" >"$package/read-me.txt"
(cd "$out/package" && zip -qr -X "$out/glimmerwake-windows.zip" Glimmerwake)

# The installer, with the zip's files. Its uninstaller deletes exactly those, by name, deepest
# folder last, so nothing the player put beside them goes.
version=$(sed -n 's/^project(Glimmerwake VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
uninstall_list=$out/uninstall-files.nsh
(
    cd "$package"
    find Data -type f | LC_ALL=C sort | sed 's|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|'
    find Data -type d | LC_ALL=C sort -r | sed 's|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|'
    for file in glimmerwake.exe glimmerwake-replay.exe read-me.txt; do
        echo "    Delete \"\$INSTDIR\\$file\""
    done
) >"$uninstall_list"
rm -f "$out/glimmerwake-setup.exe"
makensis -V2 -DVERSION="$version" -DPACKAGE_DIR="$package" -DUNINSTALL_LIST="$uninstall_list" \
    -DOUTFILE="$out/glimmerwake-setup.exe" "$top/packaging/windows/glimmerwake.nsi"
echo "Built $out/glimmerwake.exe, $out/glimmerwake-replay.exe, $out/glimmerwake-windows.zip" \
    "and $out/glimmerwake-setup.exe"
