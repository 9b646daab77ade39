#!/usr/bin/env bash
# Repaints Data/ and synthesises Data/Sounds/ into a temporary directory and compares them with
# the committed Data/, byte for byte. Exits 1, listing the files, when any differs, is missing or
# is not made by the sources.
set -euo pipefail
art_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(dirname "$art_dir")
# shellcheck source=tools.sh
. "$art_dir/tools.sh"
ensure_art_tools

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake -S "$art_dir" -B "$scratch/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$scratch/build" -j2 --target glimmerwake-art glimmerwake-sfx >/dev/null
"$scratch/build/glimmerwake-art" --data "$scratch/Data"
"$scratch/build/glimmerwake-sfx" --sounds "$scratch/Data/Sounds"

list_files() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
made=$(list_files "$scratch/Data")
committed=$(list_files "$repo_dir/Data" 2>/dev/null || true)

problems=()
while IFS= read -r file; do
    if [ ! -f "$repo_dir/Data/$file" ]; then
        problems+=("missing from Data/: $file")
    elif ! cmp -s "$scratch/Data/$file" "$repo_dir/Data/$file"; then
        problems+=("differs from its sources: Data/$file")
    fi
done <<<"$made"
while IFS= read -r file; do
    if [ -n "$file" ] && [ ! -f "$scratch/Data/$file" ]; then
        problems+=("not made by the sources: Data/$file")
    fi
done <<<"$committed"

if [ ${#problems[@]} -gt 0 ]; then
    echo "art: Data/ does not match art/src (run art/rebuild.sh and commit):" >&2
    printf '  %s\n' "${problems[@]}" >&2
    exit 1
fi
echo "art: all $(wc -l <<<"$made") files of Data/ match their sources"
