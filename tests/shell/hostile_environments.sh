#!/usr/bin/env bash
# Runs the real game where the machine works against it, one case a run, each on an Xvfb screen
# of its own, and expects a clear message and an orderly end, never a crash or a hang:
#   no_display    no display at all, or one that does not answer: "FATAL ERROR", status 1
#   no_data       started where there is no Data/: the menu and a game without images
#   bad_images    every image garbage, truncated, empty, unreadable, a directory, a FIFO or a
#                 link to nowhere: the menu and a game without those images
#   no_font       no font matches: the menu without text, one line on standard error
#   sigterm       SIGTERM while playing full screen: the normal teardown, status 0
#   sigint        the same with SIGINT
#   window_closed the window closed as a window manager closes it: status 0; destroyed under
#                 the game's feet, or its connection killed: status 1 with a message, no hang
#   hostile_environments.sh CASE GAME REPLAY CLOSE_WINDOW SOURCE_DIR WORK_DIR
set -euo pipefail
case_name=$1
# The games run from directories of their own: every path is made absolute first.
game=$(realpath "$2")
replay=$(realpath "$3")
close_window=$(realpath "$4")
source_dir=$(realpath "$5")
work=$(realpath -m "$6/$case_name")
rm -rf "$work"
mkdir -p "$work"
# shellcheck source=tests/shell/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"

# A full-screen 1024 x 768 mode the screen has, so no "ERROR" box stands in the way.
full_screen=1024x768x24

# Play a little: Play, steer and fire for a second, pause, then quit from the overlay with F4.
play_and_quit() {
    hold Return
    xdotool keydown Left space
    sleep 1
    xdotool keyup Left space
    sleep 0.15
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while playing"
    hold Escape
    hold F4
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
}

# The trace of a short game with a frame written out from DIR equals the one from the source
# directory: images change the picture, never the game.
replay_matches_source_dir() {
    local dir=$1
    local script="$work/short.replay"
    printf '2 down RETURN\n4 up RETURN\n10 down SPACE\n30 down LEFT\nshot 60 %s/shot.png\nend 120\n' \
        "$work" >"$script"
    (cd "$source_dir" && "$replay" "$script") >"$work/source.trace" 2>/dev/null ||
        fail "the replay failed in the source directory"
    (cd "$dir" && "$replay" "$script") >"$work/hostile.trace" 2>"$work/replay.log" ||
        fail "the replay failed in $dir: $(cat "$work/replay.log")"
    [ -s "$work/shot.png" ] || fail "the replay wrote no frame in $dir"
    cmp -s "$work/source.trace" "$work/hostile.trace" || fail "the trace from $dir differs"
}

case_no_display() {
    local status=0
    (cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY timeout 30 "$game") \
        >"$work/game.log" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "without a display the game ended with status $status"
    grep -q 'FATAL ERROR' "$work/game.log" || fail "no FATAL ERROR on standard error"
    # A display named but with no server behind it.
    local missing=4097
    while [ -e "/tmp/.X11-unix/X$missing" ]; do missing=$((missing + 1)); done
    status=0
    (cd "$work" && exec env -u WAYLAND_DISPLAY DISPLAY=":$missing" timeout 30 "$game") \
        >"$work/game.log" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "with no server on :$missing the game ended with status $status"
    grep -q 'FATAL ERROR' "$work/game.log" || fail "no FATAL ERROR for :$missing"
    echo "no display: FATAL ERROR and status 1, with DISPLAY unset and with :$missing"
}

case_no_data() {
    mkdir -p "$work/empty"
    start_xvfb "$full_screen"
    start_game "$work/empty" "$game"
    wait_for_window
    wait_for_menu_title
    play_and_quit
    replay_matches_source_dir "$work/empty"
    echo "no Data/: menu shown, a game played and quit with status 0; replay trace unchanged"
}

# One hostile stand-in for each image, the kinds taken in turn.
make_hostile_data() {
    local root=$1
    local i=0
    local image
    while IFS= read -r image; do
        local target="$root/$image"
        mkdir -p "$(dirname "$target")"
        case $((i % 9)) in
        0) printf 'not a picture %.0s' $(seq 200) >"$target" ;;
        1) printf '\211PNG\r\n\032\n%.0s0000IHDR' $(seq 100) >"$target" ;;
        2) head -c "$(($(stat -c %s "$source_dir/$image") / 2))" "$source_dir/$image" >"$target" ;;
        3) : >"$target" ;;
        4) mkdir -p "$target" ;;
        5) mkfifo "$target" ;;
        6) cp "$source_dir/$image" "$target" && chmod 000 "$target" ;;
        7) ln -s /dev/zero "$target" ;;
        8) ln -s "$root/no-such-file.png" "$target" ;;
        esac
        i=$((i + 1))
    done < <(cd "$source_dir" && find Data -name '*.png' | sort)
}

case_bad_images() {
    local dir="$work/hostile"
    make_hostile_data "$dir"
    start_xvfb "$full_screen"
    local runner=()
    if [ "$(id -u)" = 0 ]; then
        # Root reads a file of mode 000 all the same: the game runs as nobody to meet them.
        if command -v setpriv >/dev/null; then
            runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
        else
            echo "note: running as root without setpriv, the mode-000 files are read as usual"
        fi
    fi
    start_game "$dir" "${runner[@]}" "$game"
    wait_for_window
    wait_for_menu_title
    play_and_quit
    replay_matches_source_dir "$dir"
    echo "bad images: menu shown, a game played and quit with status 0${runner:+ (as nobody)}"
}

case_no_font() {
    printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig></fontconfig>\n' \
        >"$work/no-fonts.conf"
    start_xvfb "$full_screen"
    start_game "$source_dir" env FONTCONFIG_FILE="$work/no-fonts.conf" "$game"
    wait_for_window
    # The menu's picture shows once the first frame is drawn; the title would be drawn with it.
    wait_for_drawing
    local red
    red=$(menu_title_red_pixels)
    awk -v n="$red" 'BEGIN { exit !(n < 5) }' || fail "a menu title without a font? ($red red pixels)"
    hold Down
    hold Return
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
    local expected='glimmerwake: no font matches "Courier New:bold"; text will not be shown'
    [ "$(cat "$work/game.log")" = "$expected" ] ||
        fail "standard error is not the one line about the font"
    echo "no font: menu without text, quit with status 0, one line on standard error"
}

# Play full screen, then end the game with the signal.
case_signal() {
    local signal=$1
    # With job control on, a game started in the background keeps SIGINT at its default, which
    # is what SDL needs to take it over; otherwise the shell would have it ignored.
    set -m
    start_xvfb "$full_screen"
    start_game "$source_dir" "$game"
    wait_for_window
    local tree
    tree=$(xwininfo -root -tree)
    grep -q '"ERROR"' <<<"$tree" && fail "an ERROR box on a 1024x768 screen"
    local geometry
    geometry=$(xwininfo -id "$window")
    grep -q 'Absolute upper-left X: *0$' <<<"$geometry" &&
        grep -q 'Width: 1024$' <<<"$geometry" && grep -q 'Height: 768$' <<<"$geometry" ||
        fail "the window does not cover the screen: $geometry"
    hold Return
    xdotool keydown space
    sleep 0.5
    kill -s "$signal" "$game_pid"
    xdotool keyup space
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "after SIG$signal the game ended with status $game_status"
    local screen
    screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
    [ "$screen" = 1024x768 ] || fail "the screen is $screen, no longer 1024x768"
    echo "SIG$signal while playing full screen: status 0, screen 1024x768"
}

# Starts a game, plays a little, closes its window with COMMAND (the window's id appended) and
# expects STATUS.
close_and_expect() {
    local status=$1
    shift
    echo "closing the window with $*"
    start_game "$source_dir" "$game"
    wait_for_window
    hold Return
    "$@" "$window"
    wait_for_exit 10
    [ "$game_status" = "$status" ] || fail "after $* the game ended with status $game_status"
}

case_window_closed() {
    start_xvfb "$full_screen"
    close_and_expect 0 "$close_window"
    close_and_expect 1 xdotool windowclose
    grep -q 'the display refused a request' "$work/game.log" ||
        fail "no message once the window was destroyed"
    close_and_expect 1 xdotool windowkill
    # Xlib says "X connection to :N broken" or "XIO: fatal IO error", by when it notices.
    grep -q -E 'X connection|XIO' "$work/game.log" || fail "no message once the connection was killed"
    echo "window closed: WM_DELETE_WINDOW status 0; destroyed or killed: status 1 with a message"
}

case $case_name in
no_display) case_no_display ;;
no_data) case_no_data ;;
bad_images) case_bad_images ;;
no_font) case_no_font ;;
sigterm) case_signal TERM ;;
sigint) case_signal INT ;;
window_closed) case_window_closed ;;
*) fail "unknown case $case_name" ;;
esac
