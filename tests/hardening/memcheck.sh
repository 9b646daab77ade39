#!/usr/bin/env bash
# Runs glimmerwake-replay under valgrind's memcheck on 20 000 calls of soak play, on the
# committed complete game and on a committed whole level (boss, rings, swarm, endless spawning),
# and fails on any invalid access or use of an undefined value and on any block definitely lost.
# Only the trace is written (no shot), so no OpenGL driver is loaded and nothing but the game is
# looked at.
#   memcheck.sh SOAK REPLAY SOURCE_DIR WORK_DIR
set -euo pipefail
soak=$1
replay=$2
source_dir=$3
work=$4
mkdir -p "$work"

"$soak" script 1 20000 >"$work/soak.replay"
status=0
for script in "$work/soak.replay" "$source_dir/tests/tools/complete_game.replay" \
    "$source_dir/tests/tools/whole_level_1.replay"; do
    log="$work/$(basename "$script" .replay).memcheck.log"
    if valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite \
        "$replay" "$script" >/dev/null 2>"$log"; then
        echo "$(basename "$script"): $(grep -o 'ERROR SUMMARY: .*' "$log")"
        grep -o 'definitely lost: .*' "$log"
    else
        echo "FAIL: memcheck on $script (the whole report is in $log; --track-origins=yes" \
            "tells where an undefined value came from):" >&2
        cat "$log" >&2
        status=1
    fi
done
exit "$status"
