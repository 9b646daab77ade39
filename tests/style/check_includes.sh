#!/usr/bin/env bash
# Fails when a source file of the game includes a project header from a layer above its own.
# The layers, top down: the programs (shell/ and tools/), game/, entities/, render/, and base/
# below them all. The machine's seam (shell/platform.h, and the key codes of
# shell/virtual_keys.h it polls with) may be included from every layer, like base/. Tests,
# benchmarks and fuzzers stand above everything and are not checked.
#
#     tests/style/check_includes.sh SOURCE_DIR
set -euo pipefail
cd "$1"

# layer PATH: the rank of the layer PATH belongs to, higher is further up.
layer() {
    case $1 in
    base/* | shell/platform.h | shell/virtual_keys.h) echo 0 ;;
    render/*) echo 1 ;;
    entities/*) echo 2 ;;
    game/*) echo 3 ;;
    shell/* | tools/*) echo 4 ;;
    *) echo 5 ;;
    esac
}

status=0
checked=0
while IFS= read -r file; do
    from=$(layer "$file")
    while IFS= read -r included; do
        if [ "$(layer "$included")" -gt "$from" ]; then
            echo "$file includes $included, from a layer above its own" >&2
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    checked=$((checked + 1))
done < <(find base render entities game shell tools -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)

if [ "$checked" -eq 0 ]; then
    echo "no sources found below $PWD" >&2
    exit 1
fi
[ "$status" -eq 0 ] && echo "$checked files include only their own layer and those below it"
exit "$status"
