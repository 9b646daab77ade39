#!/usr/bin/env bash
# Repaints Data/, the desktop icons and the Windows icon and synthesises Data/Sounds/ into a
# temporary directory, and compares them with the committed Data/, packaging/icons/ and
# packaging/windows/glimmerwake.ico, byte for byte. Exits 1, listing the files, when any differs,
# is missing or is not made by the sources.
set -euo pipefail
art_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(dirname "$art_dir")
# shellcheck source=tools.sh
. "$art_dir/tools.sh"
ensure_art_tools

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Ninja, as everywhere else: the scripts install it, and nothing installs make.
cmake -S "$art_dir" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$scratch/build" -j2 --target glimmerwake-art glimmerwake-sfx >/dev/null
"$scratch/build/glimmerwake-art" --data "$scratch/Data" --icons "$scratch/icons" \
    --windows-icon "$scratch/windows/glimmerwake.ico"
"$scratch/build/glimmerwake-sfx" --sounds "$scratch/Data/Sounds"

list_files() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

problems=()
# compare MADE_DIR COMMITTED_DIR NAME
compare() {
    local made committed file
    made=$(list_files "$1")
    committed=$(list_files "$2" 2>/dev/null || true)
    while IFS= read -r file; do
        if [ ! -f "$2/$file" ]; then
            problems+=("missing from $3: $file")
        elif ! cmp -s "$1/$file" "$2/$file"; then
            problems+=("differs from its sources: $3$file")
        fi
    done <<<"$made"
    while IFS= read -r file; do
        if [ -n "$file" ] && [ ! -f "$1/$file" ]; then
            problems+=("not made by the sources: $3$file")
        fi
    done <<<"$committed"
}
compare "$scratch/Data" "$repo_dir/Data" Data/
compare "$scratch/icons" "$repo_dir/packaging/icons" packaging/icons/
cmp -s "$scratch/windows/glimmerwake.ico" "$repo_dir/packaging/windows/glimmerwake.ico" ||
    problems+=("differs from its sources or is missing: packaging/windows/glimmerwake.ico")
made=$(list_files "$scratch/Data")

if [ ${#problems[@]} -gt 0 ]; then
    echo "art: Data/, packaging/icons/ or the Windows icon does not match art/src (run art/rebuild.sh and commit):" >&2
    printf '  %s\n' "${problems[@]}" >&2
    exit 1
fi
echo "art: all $(wc -l <<<"$made") files of Data/ and the $(list_files "$scratch/icons" | wc -l) icons and the Windows icon match their sources"
