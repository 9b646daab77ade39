#!/usr/bin/env bash
# Runs the real game as a player meets it, one case a run, each on an Xvfb screen of its own:
#   command_line  --help and --version answer without a window (no display needed), anything
#                 else is one line and status 2
#   window        --window on a screen without 1024 x 768: no box, a resizable window, and the
#                 view follows every size it is given (smaller and larger)
#   keypad        the keypad's arrows (Num Lock off) move the menu's marker, its Enter chooses
#   focus_pause   another window takes the focus during play: the game pauses and stays still
#                 until Escape; in the menu and in a paused game the focus changes nothing
#   box_sigterm   SIGTERM while the start-up "ERROR" box is open: status 0, the box gone
#   box_sigint    the same with SIGINT
#   fatal_reason  no such video driver: "FATAL ERROR" with its text, then SDL's reason, status 1
#   desktop_behaviour.sh CASE GAME SOURCE_DIR WORK_DIR
set -euo pipefail
case_name=$1
game=$(realpath "$2")
source_dir=$(realpath "$3")
work=$(realpath -m "$4/$case_name")
rm -rf "$work"
mkdir -p "$work"
# shellcheck source=tests/shell/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"

# A screen without a 1024 x 768 mode: a plain start shows the "ERROR" box there.
no_full_screen=1280x1024x24

box_window() {
    xwininfo -root -tree 2>/dev/null | awk '/"ERROR"/ {print $1; exit}'
}

# Pixels in the pause overlay's "Options" column that are its light grey text.
overlay_text_pixels() {
    import -window "$window" "$work/overlay.png"
    convert "$work/overlay.png" -crop 380x220+600+270 +repage \
        -fx '(r > 0.5 && g > 0.5 && b > 0.5) ? 1 : 0' -format '%[fx:mean*w*h]' info:
}

expect_overlay() {
    local pixels
    pixels=$(overlay_text_pixels)
    awk -v n="$pixels" 'BEGIN { exit !(n > 300) }' || fail "$1: no pause overlay ($pixels pixels)"
}

expect_no_overlay() {
    local pixels
    pixels=$(overlay_text_pixels)
    awk -v n="$pixels" 'BEGIN { exit !(n < 50) }' || fail "$1: a pause overlay ($pixels pixels)"
}

# Gives the keyboard focus away, to the root window, as another client taking it does.
focus_elsewhere() {
    xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ {print $4}')"
    sleep 0.5
}

focus_game() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.3
}

case_command_line() {
    local out status
    for word in --help --version; do
        status=0
        out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$game" "$word" 2>"$work/err") || status=$?
        [ "$status" = 0 ] || fail "$word ended with status $status"
        [ -n "$out" ] && [ ! -s "$work/err" ] || fail "$word printed '$out' and '$(cat "$work/err")'"
    done
    grep -q -- '--window' <<<"$("$game" --help)" || fail "--help does not name --window"
    for words in --fullscreen "--window extra" -x; do
        status=0
        # shellcheck disable=SC2086
        env -u DISPLAY "$game" $words >"$work/out" 2>"$work/err" || status=$?
        [ "$status" = 2 ] || fail "'$words' ended with status $status"
        [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" = 1 ] ||
            fail "'$words' did not print one line on standard error: $(cat "$work/err")"
    done
    echo "command line: --help and --version without a display, usage errors in one line, status 2"
}

# The lit share of a strip of the window, in thousandths: the menu is drawn all over it.
strip_brightness() {
    import -window "$window" "$work/strip.png"
    convert "$work/strip.png" -crop "$1" +repage -colorspace Gray \
        -format '%[fx:int(mean*1000)]' info:
}

case_window() {
    start_xvfb "$no_full_screen"
    start_game "$source_dir" "$game" --window
    wait_for_window
    [ -z "$(box_window)" ] || fail "an ERROR box although --window was asked for"
    wait_for_menu_title
    local hints
    hints=$(xprop -id "$window" WM_NORMAL_HINTS)
    grep -q 'program specified maximum size' <<<"$hints" && fail "the window has a maximum size: $hints"
    # Larger, as maximised: the view must reach the new right and top edges.
    xdotool windowsize --sync "$window" 1280 1000 2>/dev/null || xdotool windowsize "$window" 1280 1000
    sleep 0.5
    local lit
    lit=$(strip_brightness 60x1000+1220+0)
    [ "$lit" -gt 20 ] || fail "at 1280x1000 the right edge stays dark ($lit)"
    # Smaller: the title, at the top, must still be in view.
    xdotool windowsize --sync "$window" 800 500 2>/dev/null || xdotool windowsize "$window" 800 500
    sleep 0.5
    local red
    import -window "$window" "$work/small.png"
    red=$(convert "$work/small.png" -crop 800x60+0+0 +repage \
        -fx '(r > 0.6 && g < 0.15 && b < 0.15) ? 1 : 0' -format '%[fx:mean*w*h]' info:)
    awk -v n="$red" 'BEGIN { exit !(n > 20) }' || fail "at 800x500 the title is out of view ($red)"
    hold Down
    hold Return
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
    echo "window: no box, no maximum size, the view follows 1280x1000 and 800x500"
}

case_keypad() {
    start_xvfb "$no_full_screen"
    start_game "$source_dir" "$game" --window
    wait_for_window
    wait_for_menu_title
    # Num Lock is off on a fresh server: these are the keypad's arrows and Enter.
    hold KP_Down
    hold KP_Up
    hold KP_Down
    hold KP_Enter
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
    echo "keypad: Down, Up, Down and Enter chose Quit"
}

case_focus_pause() {
    start_xvfb "$no_full_screen"
    start_game "$source_dir" "$game" --window
    wait_for_window
    wait_for_menu_title
    # In the menu the focus changes nothing: Play is still chosen by the next Return.
    focus_elsewhere
    focus_game
    hold Return
    xdotool keydown Left
    sleep 0.5
    xdotool keyup Left
    expect_no_overlay "in play"
    focus_elsewhere
    expect_overlay "focus lost in play"
    # Nothing moves while the player is away (but the engines' flames, which flicker on at the
    # bottom of the view even in a paused game).
    import -window "$window" "$work/away1.png"
    sleep 1
    import -window "$window" "$work/away2.png"
    local changed
    convert "$work/away1.png" -crop 1024x700+0+0 +repage "$work/away1-top.png"
    convert "$work/away2.png" -crop 1024x700+0+0 +repage "$work/away2-top.png"
    changed=$(compare -metric AE "$work/away1-top.png" "$work/away2-top.png" null: 2>&1 || true)
    [ "$changed" = 0 ] || fail "the game went on while it had no focus ($changed pixels changed)"
    focus_game
    expect_overlay "focus back"
    # Already paused: losing the focus once more must not resume it.
    focus_elsewhere
    focus_game
    expect_overlay "focus lost while paused"
    hold Escape
    expect_no_overlay "resumed with Escape"
    # Minimised with the focus kept: the window manager's hidden state is all the game sees.
    xprop -id "$window" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_HIDDEN
    sleep 0.5
    xprop -id "$window" -remove _NET_WM_STATE
    sleep 0.3
    expect_overlay "minimised in play"
    hold F4
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
    echo "focus pause: paused and still while away, left paused, resumed by Escape; paused when minimised"
}

case_box_signal() {
    local signal=$1
    # With job control on, a game started in the background keeps SIGINT at its default.
    set -m
    start_xvfb "$no_full_screen"
    start_game "$source_dir" "$game"
    local box=
    for _ in $(seq 100); do
        box=$(box_window)
        [ -n "$box" ] && break
        sleep 0.05
    done
    [ -n "$box" ] || fail "no ERROR box on a screen without 1024x768"
    kill -s "$signal" "$game_pid"
    wait_for_exit 5
    [ "$game_status" = 0 ] || fail "after SIG$signal the game ended with status $game_status"
    sleep 0.2
    [ -z "$(box_window)" ] || fail "the ERROR box outlived the game"
    echo "SIG$signal during the ERROR box: status 0, box gone"
}

case_fatal_reason() {
    local status=0
    (cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=no-such-driver \
        timeout 30 "$game") >"$work/game.log" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "with no video driver the game ended with status $status"
    local first second
    first=$(sed -n 1p "$work/game.log")
    second=$(sed -n 2p "$work/game.log")
    [ "$first" = "FATAL ERROR: Windows Error: Could not register Window Class" ] ||
        fail "the first line is '$first'"
    grep -q -i 'no-such-driver\|not available' <<<"$second" || fail "SDL's reason is missing: '$second'"
    echo "fatal reason: the box text, then '$second'"
}

case $case_name in
command_line) case_command_line ;;
window) case_window ;;
keypad) case_keypad ;;
focus_pause) case_focus_pause ;;
box_sigterm) case_box_signal TERM ;;
box_sigint) case_box_signal INT ;;
fatal_reason) case_fatal_reason ;;
*) fail "unknown case $case_name" ;;
esac
