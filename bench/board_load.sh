#!/usr/bin/env bash
# Measures a board on this machine: how fast one verification runs against real time, then a
# board on SQLite in a temporary folder under a bounded load of whole-level uploads and reads
# from glimmerwake-board-load on 127.0.0.1. The figures go in bench/README.md.
#
#   bench/board_load.sh BUILD_DIR [UPLOADS CONCURRENCY READS_PER_UPLOAD]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
uploads=${2:-60}
concurrency=${3:-8}
reads=${4:-2}
board=$build/board/glimmerwake-board
load=$build/bench/glimmerwake-board-load
work=$(mktemp -d)
trap 'kill "$board_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
replays=("$top"/tests/tools/whole_level_{1,2,3}.replay)

echo "== one verification, in the worker the board starts (median of 5 runs of each level)"
for replay in "${replays[@]}"; do
    calls=$(sed -n 's/^end //p' "$replay")
    for run in 1 2 3 4 5; do
        /usr/bin/time -f '%U %S %M' "$board" --verify-worker --max-body 1048576 \
            --max-calls 360000 <"$replay" 2>&1 >/dev/null | tail -n 1
    done | sort -n | sed -n 3p | awk -v calls="$calls" -v name="$(basename "$replay")" '{
        cpu = $1 + $2; played = calls / 100
        printf "%s: %d calls (%.0f s of play) in %.3f s of CPU: %.0f times real time, %d KiB peak\n",
            name, calls, played, cpu, played / cpu, $3 }'
done

echo "== $uploads uploads, $concurrency at once, $reads reads after each, on $(nproc) cores"
"$board" --data "$work/data" --listen 127.0.0.1:0 --uploads-per-minute 0 >"$work/out" 2>"$work/log" &
board_pid=$!
for wait in $(seq 50); do
    grep -q listening "$work/out" && break
    sleep 0.1
done
port=$(sed -n 's/.*:\([0-9]*\)$/\1/p' "$work/out")
cpu_before=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$board_pid/stat")
timeout 600 "$load" "$port" "$uploads" "$concurrency" "$reads" 300 "${replays[@]}"
cpu_after=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$board_pid/stat")
echo "board and its workers: $(((cpu_after - cpu_before) / $(getconf CLK_TCK))) s of CPU;" \
    "the board's own peak resident memory: $(sed -n 's/VmHWM:[[:space:]]*//p' "/proc/$board_pid/status")"
