#!/usr/bin/env bash
# Flies the whole level again with the pilot and writes the three committed whole-level replays
# and the digests of their traces, after a change to the game that is meant to change how it
# plays. The pilot is deterministic, so the same build always writes the same files.
#   scripts/renew-whole-level.sh [BUILD_DIR]      (default build/)
# The epochs are tried in the order below and the first three the pilot wins are kept: a change
# to the rules that costs the pilot one of them still renews all three files.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
epochs=(1781000000 1781001000 1781002000 1781003000 1781004000 1781005000 1781006000
    1781007000 1781008000 1781009000 1781010000 1781011000)

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target glimmerwake-pilot glimmerwake-replay
pilot=$build/glimmerwake-pilot
replay=$build/glimmerwake-replay
out=$top/tests/tools
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

kept=0
: >"$work/whole_level.sha256"
for epoch in "${epochs[@]}"; do
    if "$pilot" "$epoch" >"$work/flown.replay"; then
        kept=$((kept + 1))
        name=whole_level_$kept
        mv "$work/flown.replay" "$work/$name.replay"
        "$replay" "$work/$name.replay" >"$work/$name.trace"
        (cd "$work" && sha256sum "$name.trace") >>"$work/whole_level.sha256"
        [ "$kept" -eq 3 ] && break
    fi
done
if [ "$kept" -lt 3 ]; then
    echo "renew-whole-level: the pilot won only $kept of ${#epochs[@]} epochs; nothing written" >&2
    exit 1
fi
for n in 1 2 3; do
    cp "$work/whole_level_$n.replay" "$out/"
done
cp "$work/whole_level.sha256" "$out/"
echo "renew-whole-level: wrote tests/tools/whole_level_{1,2,3}.replay and whole_level.sha256"
