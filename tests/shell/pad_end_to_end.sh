#!/usr/bin/env bash
# Plays the real game with a virtual pad on a private Xvfb screen: the check program runs the
# desktop shell and the game with a script of pad presses (pad_game_check.cpp); this gives its
# window the keyboard focus, as a window manager would, and waits for it to pass.
#   pad_end_to_end.sh CHECK SOURCE_DIR WORK_DIR
set -euo pipefail
check=$1
source_dir=$2
work=$3
mkdir -p "$work"
rm -f "$work"/*.log
source "$(dirname "$0")/xvfb_session.sh"

# The screen offers the game's 1024 x 768 mode: no "ERROR" box stands in the way.
start_xvfb 1024x768x24
start_game "$source_dir" "$check"
wait_for_window
wait_for_exit 90
sed 's/^/  /' "$work/game.log"
[ "$game_status" = 0 ] || fail "the pad check ended with status $game_status"
