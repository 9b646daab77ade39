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

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")"
exec 3>&-
# A game started before the server answers would find no display at all.
for _ in $(seq 100); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.05
done

# The game loads its images relative to the working directory. In a sanitizer build, leaks are
# not looked for here: the GL driver is unloaded at exit, and what it kept cannot be told from
# the game's own (the replay tool runs the same game with leak checks on).
(cd "$source_dir" && ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" exec "$game") \
    >"$work/game.log" 2>&1 &
game_pid=$!

# Wait for the window, answering the error box on the way if there is one.
window=
box_seen=0
for _ in $(seq 200); do
    tree=$(xwininfo -root -tree 2>/dev/null || true)
    box=$(printf '%s\n' "$tree" | awk '/"ERROR"/ {print $1; exit}')
    if [ -n "$box" ]; then
        box_seen=$((box_seen + 1))
        xdotool key --window "$box" Return || true
    fi
    window=$(xdotool search --name '^Glimmerwake$' 2>/dev/null | head -1 || true)
    if [ -n "$window" ] && xwininfo -id "$window" | grep -q 'Map State: IsViewable'; then
        break
    fi
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window appeared: $(cat "$work/game.log")"
    sleep 0.1
done
[ -n "$window" ] || fail "no window captioned Glimmerwake"
[ "$box_seen" -ge 1 ] || fail "no ERROR box for the missing 1024 x 768 mode"

geometry=$(xwininfo -id "$window")
width=$(printf '%s\n' "$geometry" | awk '/Width:/ {print $2}')
height=$(printf '%s\n' "$geometry" | awk '/Height:/ {print $2}')
[ "$width" = 1024 ] && [ "$height" = 768 ] || fail "client area is ${width}x${height}, not 1024x768"

# The title "Glimmerwake" is drawn in red near the top, left of the centre. The first frame comes
# only once the fonts are built, which takes seconds on a machine without a font cache (a fresh
# one, or a busy one): look again until the title shows, for up to ten seconds.
red=0
for _ in $(seq 40); do
    import -window "$window" "$work/menu.png"
    red=$(convert "$work/menu.png" -crop 260x40+400+20 +repage \
        -fx '(r > 0.6 && g < 0.15 && b < 0.15) ? 1 : 0' -format '%[fx:mean*w*h]' info:)
    awk -v n="$red" 'BEGIN { exit !(n > 40) }' && break
    sleep 0.25
done
awk -v n="$red" 'BEGIN { exit !(n > 40) }' || fail "no red title in the menu screenshot ($red red pixels)"

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
# The game polls key states once a frame: hold each key long enough to be seen.
xdotool keydown Down
sleep 0.15
xdotool keyup Down
sleep 0.15
xdotool keydown Return
sleep 0.15
xdotool keyup Return

status=0
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.05
done
wait "$game_pid" || status=$?
game_pid=
[ "$status" = 0 ] || fail "the game ended with status $status"
echo "desktop end-to-end: window 1024x768, menu shown, quit with status 0"
