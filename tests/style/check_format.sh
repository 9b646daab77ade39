#!/usr/bin/env bash
# Fails when a C++ source of the project is not laid out as .clang-format says, and names it.
#
#     tests/style/check_format.sh SOURCE_DIR [CLANG_FORMAT]
set -euo pipefail
cd "$1"
format=${2:-clang-format}
mapfile -t files < <(find art/src art/sound base bench board entities fuzz game platform render replay shell tests tools \
    \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
if [ ${#files[@]} -eq 0 ]; then
    echo "no sources found below $PWD" >&2
    exit 1
fi
"$format" --dry-run --Werror "${files[@]}"
echo "${#files[@]} files laid out as .clang-format says"
