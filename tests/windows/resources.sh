#!/usr/bin/env bash
# Reads the game's resources back from glimmerwake.exe with wrestool (icoutils), as Explorer
# would find them: the icon with every size from 16 to 256 pixels, the very images the art tool
# painted; the version information with the project's version; and the manifest, which asks for
# no elevation, is DPI aware per monitor and names Windows 7 to 11.
#   resources.sh GAME_EXE SOURCE_DIR WORK_DIR
set -euo pipefail
game=$1
source_dir=$2
work=$3/resources
mkdir -p "$work"

fail() {
    echo "FAIL: resources: $*" >&2
    exit 1
}

# The icon group, put back together as an icon file: the painted file, padded at most.
wrestool -x --type=group_icon "$game" >"$work/icon.ico" || fail "no icon in $game"
painted=$source_dir/packaging/windows/glimmerwake.ico
cmp -s -n "$(stat -c %s "$painted")" "$work/icon.ico" "$painted" ||
    fail "the icon is not packaging/windows/glimmerwake.ico"
sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*--bit-depth=32.*/\1/p' |
    sort -n | tr '\n' ' ')
[ "$sizes" = "16 24 32 48 64 128 256 " ] || fail "the icon's sizes are $sizes"

# The version: the project's, in the strings Explorer shows and in the fixed part's numbers.
version=$(sed -n 's/^project(Glimmerwake VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
wrestool -x --raw --type=version "$game" >"$work/version.bin" || fail "no version information"
strings=$(iconv -f UTF-16LE -t UTF-8 -c <"$work/version.bin" | tr -c '[:print:]' '\n' | grep -v '^$')
for wanted in ProductName Glimmerwake FileVersion ProductVersion OriginalFilename glimmerwake.exe; do
    grep -qx "$wanted" <<<"$strings" || fail "the version information has no '$wanted'"
done
[ "$(grep -A1 -x FileVersion <<<"$strings" | tail -1)" = "$version" ] ||
    fail "FileVersion is not $version"
IFS=. read -r major minor patch <<<"$version"
# VS_FIXEDFILEINFO: its signature, then the structure's version, then the file version's high
# and low words, each 32 bits little-endian with the minor (build) number in the low half.
fixed=$(od -An -tx1 -v "$work/version.bin" | tr -d ' \n' | grep -o 'bd04effe.\{24\}' | head -1)
expected=$(printf 'bd04effe00000100%02x00%02x000000%02x00' "$minor" "$major" "$patch")
[ "$fixed" = "$expected" ] || fail "the fixed file version is not $version ($fixed)"

# The manifest.
wrestool -x --raw --type=24 "$game" >"$work/manifest.xml" || fail "no manifest"
for wanted in 'level="asInvoker"' '>PerMonitorV2, PerMonitor<' '>true/pm<' \
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' \
    '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    grep -qF "$wanted" "$work/manifest.xml" || fail "the manifest lacks $wanted"
done
echo "PASS: icon ($sizes), version $version, manifest"
