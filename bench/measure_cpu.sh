#!/usr/bin/env bash
# The CPU time the real game takes per second of wall-clock time, in the menu and in play: starts
# `glimmerwake` on a private Xvfb screen of 1024 x 768, lets it sit in the menu for SECONDS, then
# chooses Play and plays for SECONDS holding the fire key and steering from side to side, and
# reads the game's user + system time from /proc before and after each span. It reports the game
# as a whole, split into its main thread (the game's frames and Mesa's command stream, up to the
# buffer swap) and llvmpipe's rasteriser threads, plus what Xvfb spent showing the frames. The
# swap timer (libglimmerwake_swap_timer.so, preloaded) gives the frames per second, the median
# frame, and how much of it the buffer swap took: on llvmpipe that is where the frame's
# rasterising is waited for and the picture is handed to the X server.
#
#   bench/measure_cpu.sh [GAME [SECONDS [DATA_DIR]]]
#
# GAME defaults to build-bench/glimmerwake, SECONDS to 20, DATA_DIR (the directory holding Data/,
# where the game is started) to the top of the repository. The swap timer is looked for in
# bench/ next to GAME.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
game=$(realpath "${1:-$top/build-bench/glimmerwake}")
seconds=${2:-20}
data_dir=${3:-$top}
[ -x "$game" ] || {
    echo "no game at $game" >&2
    exit 2
}
swap_timer=$(dirname "$game")/bench/libglimmerwake_swap_timer.so
[ -f "$swap_timer" ] || {
    echo "no swap timer at $swap_timer (build the target glimmerwake_swap_timer)" >&2
    exit 2
}
[ -d "$data_dir/Data" ] || echo "note: no Data/ in $data_dir, the game runs without its images" >&2

work=$(mktemp -d)
# shellcheck source=tests/shell/xvfb_session.sh
. "$top/tests/shell/xvfb_session.sh"
trap 'stop_session; rm -rf "$work"' EXIT

start_xvfb 1024x768x24
start_game "$data_dir" env GLIMMERWAKE_SWAP_LOG="$work/swaps" LD_PRELOAD="$swap_timer" "$game"
# An "ERROR" box (no full-screen mode) may come on the way.
wait_for_window --answer-error-box

ticks_per_second=$(getconf CLK_TCK)

# utime + stime of one /proc stat file, in clock ticks; the name in parentheses may hold spaces.
ticks() {
    sed 's/.*) //' "$1" 2>/dev/null | awk '{print $12 + $13}' || echo 0
}

# The game's ticks in three parts: its main thread, llvmpipe's rasteriser threads, and the rest
# (SDL's and Mesa's helper threads, which do next to nothing).
game_ticks() {
    local main=0 raster=0 rest=0 task t
    for task in /proc/"$game_pid"/task/*; do
        t=$(ticks "$task/stat")
        if [ "${task##*/}" = "$game_pid" ]; then
            main=$t
        elif grep -q '^llvmpipe' "$task/comm" 2>/dev/null; then
            raster=$((raster + t))
        else
            rest=$((rest + t))
        fi
    done
    echo "$main $raster $rest"
}

now_ns() {
    date +%s%N
}

# Holds a key long enough for the game, which reads the keys once a frame, to see it.
tap() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
}

# measure NAME: samples the clocks around a span of $seconds; the line is printed at the end,
# once the swap log is written.
measure() {
    local wall0 game0 xvfb0
    wall0=$(now_ns)
    game0=$(game_ticks)
    xvfb0=$(ticks /proc/"$xvfb_pid"/stat)
    sleep "$seconds"
    echo "$1 $wall0 $(now_ns) $game0 $(game_ticks) $xvfb0 $(ticks /proc/"$xvfb_pid"/stat)" >>"$work/spans"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print NR == 0 ? 0 : (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# report NAME W0 W1 MAIN0 RASTER0 REST0 MAIN1 RASTER1 REST1 XVFB0 XVFB1
report() {
    local name=$1 w0=$2 w1=$3
    local frames period swap
    # The frames of the span: from the end of one swap to the end of the next.
    awk -v w0="$w0" -v w1="$w1" '$2 >= w0 && $2 <= w1 { if (last) print ($2 - last) / 1e6; last = $2 }' \
        "$work/swaps" >"$work/periods"
    awk -v w0="$w0" -v w1="$w1" '$2 >= w0 && $2 <= w1 { print ($2 - $1) / 1e6 }' \
        "$work/swaps" >"$work/swap_times"
    frames=$(wc -l <"$work/periods")
    period=$(median <"$work/periods")
    swap=$(median <"$work/swap_times")
    awk -v name="$name" -v w0="$w0" -v w1="$w1" -v m0="$4" -v r0="$5" -v o0="$6" -v m1="$7" \
        -v r1="$8" -v o1="$9" -v x0="${10}" -v x1="${11}" -v hz="$ticks_per_second" \
        -v frames="$frames" -v period="$period" -v swap="$swap" 'BEGIN {
        wall = (w1 - w0) / 1e9
        main = (m1 - m0) / hz; raster = (r1 - r0) / hz; rest = (o1 - o0) / hz; x = (x1 - x0) / hz
        printf "%-5s game %.3f CPU s per wall s (main thread %.3f, llvmpipe %.3f, other %.3f); " \
               "Xvfb %.3f; %.1f frames per s, median frame %.2f ms, of it in the swap %.2f ms; " \
               "over %.1f s\n", name, (main + raster + rest) / wall, main / wall, raster / wall,
               rest / wall, x / wall, frames / wall, period, swap, wall
    }'
}

# The menu draws its first frames while the images are still warm in the caches; let it settle.
sleep 2
measure menu

tap Return
sleep 1
# Fire all the time and sweep around the tunnel, as a player does.
xdotool keydown space
(
    while true; do
        xdotool keydown Left
        sleep 0.7
        xdotool keyup Left
        xdotool keydown Right
        sleep 0.7
        xdotool keyup Right
    done
) &
steering=$!
measure play
kill "$steering"
wait "$steering" 2>/dev/null || true
xdotool keyup Left keyup Right keyup space

# Leave through the pause overlay: Escape, then F4.
tap Escape
sleep 0.3
tap F4
wait_for_exit 10
[ "$game_status" = 0 ] || fail "the game ended with status $game_status"
[ -s "$work/swaps" ] || fail "the swap timer wrote no log"
while read -r span; do
    # shellcheck disable=SC2086
    report $span
done <"$work/spans"
