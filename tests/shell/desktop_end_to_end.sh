#!/usr/bin/env bash
# Plays the real game as a person would: starts `glimmerwake` on a private Xvfb screen, dismisses
# the "ERROR" box the screen's missing 1024 x 768 mode brings up, checks the window's client size,
# takes a screenshot that must show the menu's red title, then presses Down and Return (Quit) and
# expects the game to end with status 0.
#   desktop_end_to_end.sh GAME SOURCE_DIR WORK_DIR
set -euo pipefail
game=$1
source_dir=$2
work=$3
mkdir -p "$work"
rm -f "$work"/*.png "$work"/*.log
# shellcheck source=tests/shell/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"

start_xvfb 1280x1024x24
# The game loads its images relative to the working directory. In a sanitizer build, leaks are
# not looked for here: the GL driver is unloaded at exit, and what it kept cannot be told from
# the game's own (the replay tool runs the same game with leak checks on).
start_game "$source_dir" env ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$game"
wait_for_window --answer-error-box
[ "$error_boxes" -ge 1 ] || fail "no ERROR box for the missing 1024 x 768 mode"

geometry=$(xwininfo -id "$window")
width=$(printf '%s\n' "$geometry" | awk '/Width:/ {print $2}')
height=$(printf '%s\n' "$geometry" | awk '/Height:/ {print $2}')
[ "$width" = 1024 ] && [ "$height" = 768 ] || fail "client area is ${width}x${height}, not 1024x768"

# The title "Glimmerwake" is drawn in red near the top, left of the centre; the first frame comes
# only once the fonts are built.
wait_for_menu_title

hold Down
hold Return
wait_for_exit 10
[ "$game_status" = 0 ] || fail "the game ended with status $game_status"
echo "desktop end-to-end: window 1024x768, menu shown, quit with status 0"
