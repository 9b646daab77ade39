#!/usr/bin/env bash
# The CPU time the real glimmerwake.exe takes under Wine per second of wall-clock time, in the
# menu and in play: starts it full screen on a private 1024x768x16 Xvfb screen, lets it sit in the
# menu for SECONDS, then chooses Play and plays for SECONDS holding fire and steering from side to
# side, and reads the game process's user + system time from /proc before and after each span,
# with what wineserver and Xvfb spent beside it.
#   bench/windows/measure_wine_cpu.sh [GAME_EXE [SECONDS]]
# GAME_EXE defaults to build-windows/glimmerwake.exe; WINEPREFIX to build-windows/wine-prefix
# (made by scripts/test-windows.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
game=$(realpath "${1:-$top/build-windows/glimmerwake.exe}")
seconds=${2:-20}
export WINEPREFIX=${WINEPREFIX:-$top/build-windows/wine-prefix} WINEDEBUG=-all
work=$(mktemp -d)
. "$top/tests/shell/xvfb_session.sh"
trap 'stop_session; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

start_xvfb 1024x768x16
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
start_game "$top" timeout $((seconds * 3 + 60)) wine "$game"
wait_for_window
wait_for_menu_title
program=$(pgrep -P "$game_pid" | head -1)
# Our own prefix's server: the newest wineserver on the machine may be another prefix's (a test
# run beside this one), and end in the middle of a span.
server=
for pid in $(pgrep -x wineserver64 || true) $(pgrep -x wineserver || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
        server=$pid
    fi
done
[ -n "$server" ] || fail "no wineserver serving $WINEPREFIX"

ticks() { # user + system clock ticks of a process
    awk '{print $14 + $15}' "/proc/$1/stat"
}
span() { # NAME: CPU seconds per wall second of the game, wineserver and Xvfb over the last span
    local hz game_cpu
    hz=$(getconf CLK_TCK)
    game_cpu=$(($(ticks "$program") - game0))
    awk -v g="$game_cpu" -v s=$(($(ticks "$server") - server0)) -v x=$(($(ticks "$xvfb_pid") - xvfb0)) \
        -v hz="$hz" -v t="$seconds" -v name="$1" 'BEGIN {
            printf "%-6s game %.2f, wineserver %.2f, Xvfb %.2f CPU seconds a second\n",
                name, g / hz / t, s / hz / t, x / hz / t }'
}
mark() {
    game0=$(ticks "$program")
    server0=$(ticks "$server")
    xvfb0=$(ticks "$xvfb_pid")
}

mark
sleep "$seconds"
span menu

hold Return
mark
xdotool keydown space
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
    xdotool keydown Left
    sleep 0.6
    xdotool keyup Left keydown Right
    sleep 0.6
    xdotool keyup Right
done
xdotool keyup space
span play
hold Escape
hold F4
wait_for_exit 20
