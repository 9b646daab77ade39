#!/usr/bin/env bash
# Fails when a source file of the game includes a project header from a layer above its own, or
# from a folder beside its own at the same height (one platform including another). The layers,
# bottom up:
#   base/                 the vocabulary every layer shares
#   platform/             the seam: what the game asks of the machine, and the key codes
#   entities/, game/      the rules (of the seam they use the key codes alone)
#   render/, replay/      side by side above the rules: the drawing, which reads them, and the
#                         replay format (scripts, the feed of their calls, traces)
#   shell/common/         what every platform shares
#   shell/<platform>/     one folder a platform (sdl, win32, unix, headless, web), side by side
#   tools/, board/        the programs beside the game
# Tests, benchmarks and fuzzers stand above everything and are not checked. There are no
# exceptions: a header that several layers need belongs to the lowest of them.
#
#     tests/style/check_includes.sh SOURCE_DIR
set -euo pipefail
cd "$1"

# folder PATH: the folder PATH belongs to, as far as the layers tell folders apart.
folder() {
    case $1 in
    shell/*/*) echo "${1%/*}" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "." ;;
    esac
}

# rank FOLDER: the height of the folder's layer; folders of one rank may not include each other.
rank() {
    case $1 in
    base) echo 0 ;;
    platform) echo 1 ;;
    entities) echo 2 ;;
    game) echo 3 ;;
    render | replay) echo 4 ;;
    shell/common) echo 6 ;;
    shell/*) echo 7 ;;
    tools | board) echo 8 ;;
    *) echo 9 ;;
    esac
}

status=0
checked=0
while IFS= read -r file; do
    from=$(folder "$file")
    from_rank=$(rank "$from")
    while IFS= read -r included; do
        to=$(folder "$included")
        [ "$to" = "$from" ] && continue
        to_rank=$(rank "$to")
        if [ "$to_rank" -gt "$from_rank" ]; then
            echo "$file includes $included, from a layer above its own" >&2
            status=1
        elif [ "$to_rank" -eq "$from_rank" ]; then
            echo "$file includes $included, from a folder beside its own" >&2
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    checked=$((checked + 1))
done < <(find base platform render entities game replay shell tools board \
    \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)

if [ "$checked" -eq 0 ]; then
    echo "no sources found below $PWD" >&2
    exit 1
fi
[ "$status" -eq 0 ] && echo "$checked files include only their own layer and those below it"
exit "$status"
