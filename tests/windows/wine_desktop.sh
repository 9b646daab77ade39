#!/usr/bin/env bash
# Plays the real glimmerwake.exe under Wine as a person would, on a private Xvfb screen.
#   wine_desktop.sh fullscreen|windowed GAME_EXE SOURCE_DIR WORK_DIR
# fullscreen: a 1024x768x16 screen takes the game's mode, so no box comes up and the game is a
#   1024 x 768 popup at the screen's corner.
# windowed: a 1280x1024x16 screen refuses it: exactly one "ERROR" box with the full-screen text,
#   dismissed with Return, then a normal window whose client area is 1024 x 768.
# Both: the menu's red title is on screen, and Down then Return (Quit) ends the game with status 0.
# Wine's environment (WINEPREFIX, a running wineserver) comes from the caller.
set -euo pipefail
case_name=$1
game=$2
source_dir=$3
work=$4/$case_name
mkdir -p "$work"
rm -f "$work"/*.png "$work"/*.log
. "$(dirname "$0")/../shell/xvfb_session.sh"

geometry=1024x768x16
[ "$case_name" = windowed ] && geometry=1280x1024x16
start_xvfb "$geometry"
# A wineserver that served another screen keeps that screen's desktop process, which then answers
# for display modes: every case starts one of its own, kept for the case's Wine programs.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
trap 'stop_session; wineserver -k 2>/dev/null || true' EXIT

# +msgbox makes Wine log the text of every message box as it opens it.
export WINEDEBUG=-all,+msgbox
start_game "$source_dir" timeout 120 wine "$game"

boxes_in_log() {
    grep -c 'msgbox:MSGBOX_OnInit' "$work/game.log" || true
}

if [ "$case_name" = windowed ]; then
    box=
    for _ in $(seq 200); do
        box=$(xdotool search --name '^ERROR$' 2>/dev/null | head -1 || true)
        [ -n "$box" ] && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its ERROR box"
        sleep 0.1
    done
    [ -n "$box" ] || fail "no ERROR box on a screen without the 1024 x 768 mode"
    grep -qF 'msgbox:MSGBOX_OnInit L"Windows Error:  Setting Fullscreen mode failed.  Will run in normal window"' \
        "$work/game.log" || fail "the ERROR box does not say the full-screen text"
    import -window root "$work/box.png"
    # Held long enough for the box to see it, as a person presses it.
    xdotool windowfocus "$box" 2>/dev/null || true
    xdotool key --delay 100 --window "$box" Return
fi

wait_for_window
# Without a window manager Wine may show the window before it has its final size: give it a while.
for _ in $(seq 50); do
    xwininfo -id "$window" >"$work/window.txt"
    width=$(awk '/Width:/ {print $2}' "$work/window.txt")
    height=$(awk '/Height:/ {print $2}' "$work/window.txt")
    [ "$width" = 1024 ] && [ "$height" = 768 ] && break
    sleep 0.1
done
[ "$width" = 1024 ] && [ "$height" = 768 ] || fail "client area ${width}x${height}, not 1024x768"
if [ "$case_name" = fullscreen ]; then
    x=$(awk '/Absolute upper-left X:/ {print $4}' "$work/window.txt")
    y=$(awk '/Absolute upper-left Y:/ {print $4}' "$work/window.txt")
    [ "$x" = 0 ] && [ "$y" = 0 ] || fail "the full-screen window is at $x,$y, not at the corner"
fi

wait_for_menu_title
import -window root "$work/screen.png"
boxes=$(boxes_in_log)
expected_boxes=0
[ "$case_name" = windowed ] && expected_boxes=1
[ "$boxes" = "$expected_boxes" ] || fail "$boxes message boxes, not $expected_boxes"

hold Down
hold Return
wait_for_exit 20
[ "$game_status" = 0 ] || fail "Quit ended the game with status $game_status"
echo "PASS: $case_name"
