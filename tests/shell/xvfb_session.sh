# Helpers for the tests that run the real game on a private Xvfb screen. Source this file, then:
#   start_xvfb WORK GEOMETRY     a server of its own (DISPLAY is set), stopped when the test ends
#   start_game DIR COMMAND...    runs the game in DIR, output in $work/game.log; sets game_pid
#   wait_for_window [--answer-error-box]
#                                sets window once the game's window is viewable; with the option,
#                                answers the "ERROR" box of a screen without a 1024 x 768 mode on
#                                the way, counting the boxes in error_boxes
#   hold KEY                     holds a key down long enough for the game's once-a-frame poll
#   wait_for_exit SECONDS        sets game_status once the game has ended, fails if it does not
#   fail TEXT
# The caller sets `work` (a scratch directory of its own) before sourcing.

# Every game keeps its high scores and settings in the user's data folder: never the tester's own.
export XDG_DATA_HOME="${XDG_DATA_HOME:-$work/data-home}"

fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log" >&2
    exit 1
}

xvfb_pid=
game_pid=
stop_session() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap stop_session EXIT

start_xvfb() {
    local geometry=$1
    rm -f "$work/display"
    exec 3>"$work/display"
    # -noreset: the server would otherwise restart whenever its last client leaves, and refuse
    # the game that connects just then.
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || fail "Xvfb gave no display number: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(cat "$work/display")"
    # A game started before the server answers would find no display at all.
    for _ in $(seq 100); do
        xwininfo -root >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "Xvfb on $DISPLAY does not answer"
}

start_game() {
    local dir=$1
    shift
    (cd "$dir" && exec "$@") >"$work/game.log" 2>&1 &
    game_pid=$!
}

wait_for_window() {
    local answer=${1:-} box
    window=
    error_boxes=0
    for _ in $(seq 400); do
        if [ "$answer" = --answer-error-box ]; then
            box=$(xwininfo -root -tree 2>/dev/null | awk '/"ERROR"/ {print $1; exit}' || true)
            if [ -n "$box" ]; then
                error_boxes=$((error_boxes + 1))
                xdotool key --window "$box" Return 2>/dev/null || true
            fi
        fi
        window=$(xdotool search --name '^Glimmerwake$' 2>/dev/null | head -1 || true)
        local state=
        [ -n "$window" ] && state=$(xwininfo -id "$window" 2>/dev/null || true)
        if grep -q 'Map State: IsViewable' <<<"$state"; then
            # Keys go to the focused window, and there is no window manager to give it focus.
            xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window" || true
            return 0
        fi
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window appeared"
        sleep 0.05
    done
    fail "no window captioned Glimmerwake"
}

# The game polls key states once a 10 ms frame: a key held and let go for 0.15 s each is seen.
hold() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
    sleep 0.15
}

wait_for_exit() {
    local seconds=$1
    local polls=$((seconds * 20))
    for _ in $(seq "$polls"); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.05
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        # Where it hangs is the first thing anyone will want to know.
        if command -v gdb >/dev/null; then
            gdb -p "$game_pid" -batch -ex 'thread apply all bt' >"$work/hang.txt" 2>&1 || true
        fi
        fail "the game still runs ${seconds} s later (its stacks, if gdb is there: $work/hang.txt)"
    fi
    game_status=0
    wait "$game_pid" || game_status=$?
    game_pid=
}

# The number of pixels of the window, in the title's box near the top of the menu, that are the
# title's red. The title is text: without a font there is none.
menu_title_red_pixels() {
    import -window "$window" "$work/menu.png"
    convert "$work/menu.png" -crop 260x40+400+20 +repage \
        -fx '(r > 0.6 && g < 0.15 && b < 0.15) ? 1 : 0' -format '%[fx:mean*w*h]' info:
}

# The mean brightness of the window, in thousandths.
brightness() {
    import -window "$window" "$work/frame.png"
    convert "$work/frame.png" -colorspace Gray -format '%[fx:int(mean*1000)]' info:
}

# Waits, for up to ten seconds, until the menu's title is drawn: the first frame comes only once
# the fonts are built, which on a machine without a font cache takes a while.
wait_for_menu_title() {
    local red=0
    for _ in $(seq 40); do
        red=$(menu_title_red_pixels)
        awk -v n="$red" 'BEGIN { exit !(n > 40) }' && return 0
        sleep 0.25
    done
    fail "no menu title ($red red pixels)"
}

# Waits, for up to ten seconds, until the window shows anything at all.
wait_for_drawing() {
    local lit=0
    for _ in $(seq 40); do
        lit=$(brightness)
        [ "$lit" -gt 5 ] && return 0
        sleep 0.25
    done
    fail "the window stays black (brightness $lit of 1000)"
}
