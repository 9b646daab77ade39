#!/usr/bin/env bash
# The Windows game's command line, recording, watching, focus pause and pads, played as a person
# would under Wine on a private Xvfb screen, and held against the Linux build:
#   command_line  --help, --version and every usage error say what the Linux game says, with its
#                 exit statuses (0, 0, 2), through standard output and error sent to files
#   record_focus  a game played with real keys and recorded (--window --record --final-state):
#                 another window taking the keyboard pauses it (Escape for exactly one call in
#                 the recording), keys typed into that window reach nothing, F4 then quits with 0;
#                 the Linux replay tool replays the recording to the game's final state
#   watch         a script made by the Linux soak player, watched by the Windows game
#                 (--watch --final-state), ends in the Linux replay tool's final state
#   pads          a stand-in xinput1_4.dll beside a copy of the game plays scripted pad states:
#                 Start confirms Play, stick and d-pad steer (not inside the dead zone), A fires,
#                 X Y B switch weapons, a pad pulled out while A is held lets go of fire, a pad
#                 plugged into another slot pauses with Start, Back alone does nothing and Back
#                 with B quits from the overlay; the recording holds exactly those key changes and
#                 replays on Linux to the game's final state
#   desktop_session.sh CASE GAME_EXE XINPUT_DLL LINUX_BUILD SOURCE_DIR WORK_DIR
# Wine's environment (WINEPREFIX) comes from the caller.
set -euo pipefail
case_name=$1
game=$2
xinput=$3
linux=$4
source_dir=$5
work=$6/$case_name
rm -rf "$work"
mkdir -p "$work"
. "$(dirname "$0")/../shell/xvfb_session.sh"

# A case's own screen and wineserver: Wine's desktop process keeps the screen it started on.
start_wine_screen() {
    start_xvfb 1024x768x24
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p
    trap 'stop_session; wineserver -k 2>/dev/null || true' EXIT
}

windows_path() {
    winepath -w "$1" 2>/dev/null | tr -d '\r'
}

# The Linux replay tool's last trace line for a script must be the game's final state.
expect_linux_replay() {
    local script=$1 final=$2
    [ -s "$final" ] || fail "the game wrote no final state"
    (cd "$source_dir" && "$linux/glimmerwake-replay" "$script") | tail -n 1 >"$work/replayed"
    cmp -s "$work/replayed" "$final" ||
        fail "the Linux replay of $(basename "$script") does not end in the game's final state"
}

# The key changes of a recording, "down SPACE" and so on, in order.
key_changes() {
    awk '$2 == "down" || $2 == "up" { print $2, $3 }' "$1"
}

case $case_name in
command_line)
    export WINEDEBUG=-all
    check() { # WORDS...: the same output, error and status as the Linux game
        local status=0 linux_status=0
        wine "$game" "$@" >"$work/out" 2>"$work/err" || status=$?
        "$linux/glimmerwake" "$@" >"$work/linux-out" 2>"$work/linux-err" || linux_status=$?
        [ "$status" = "$linux_status" ] || fail "'$*': status $status, on Linux $linux_status"
        tr -d '\r' <"$work/out" | cmp -s - "$work/linux-out" || fail "'$*': other output than Linux"
        tr -d '\r' <"$work/err" | cmp -s - "$work/linux-err" || fail "'$*': other errors than Linux"
    }
    check --help
    check --version
    check --bogus
    check stray
    check --record
    check --record a.rec --watch b.rec
    check --mute --mute --help
    ;;
record_focus)
    start_wine_screen
    # Without a window manager Wine hands the foreground back to a window that gets the X focus
    # again only when it does not wait for the manager's WM_TAKE_FOCUS. Only for this case: the
    # full-screen popup of the other tests would then never get the foreground at all.
    focus_setting='HKCU\Software\Wine\X11 Driver'
    wine reg add "$focus_setting" /v UseTakeFocus /t REG_SZ /d N /f >/dev/null 2>&1
    trap 'wine reg delete "$focus_setting" /v UseTakeFocus /f >/dev/null 2>&1 || true
          stop_session; wineserver -k 2>/dev/null || true' EXIT
    recording=$work/game.rec
    start_game "$source_dir" timeout 120 wine "$game" --window --record "$(windows_path "$recording")" \
        --final-state "$(windows_path "$work/game.final")"
    wait_for_window
    game_window=$window
    wait_for_menu_title
    hold Return
    xdotool keydown Left space
    sleep 1
    xdotool keyup Left space
    # Another program takes the keyboard; what is typed into it is not the game's.
    xmessage -geometry 300x100+700+600 "another program" &
    other_pid=$!
    other=
    for _ in $(seq 100); do
        other=$(xdotool search --name '^xmessage$' 2>/dev/null | head -1 || true)
        [ -n "$other" ] && break
        sleep 0.05
    done
    [ -n "$other" ] || fail "no other window to switch to"
    xdotool windowfocus --sync "$other" 2>/dev/null || xdotool windowfocus "$other"
    sleep 0.5
    xdotool keydown space
    sleep 0.3
    xdotool keyup space
    sleep 0.5
    import -window root "$work/paused.png"
    xdotool windowfocus --sync "$game_window" 2>/dev/null || xdotool windowfocus "$game_window"
    sleep 0.3
    kill "$other_pid" 2>/dev/null || true
    # Quitting from the pause overlay works only if the game paused.
    hold F4
    wait_for_exit 20
    [ "$game_status" = 0 ] || fail "F4 in the pause overlay ended the game with status $game_status"
    grep -q '^end [0-9]*$' "$recording" || fail "the recording has no end"
    changes=$(key_changes "$recording" | tr '\n' ',')
    [ "$changes" = "down RETURN,up RETURN,down LEFT,down SPACE,up LEFT,up SPACE,down ESCAPE,up ESCAPE,down F4," ] ||
        fail "the recording's keys are $changes"
    escape_down=$(awk '$2 == "down" && $3 == "ESCAPE" { print $1 }' "$recording")
    escape_up=$(awk '$2 == "up" && $3 == "ESCAPE" { print $1 }' "$recording")
    [ $((escape_up - escape_down)) = 1 ] || fail "the focus loss held Escape for more than a call"
    expect_linux_replay "$recording" "$work/game.final"
    ;;
watch)
    start_wine_screen
    "$linux/tests/glimmerwake-soak" script 4 600 >"$work/soak.replay"
    start_game "$source_dir" timeout 120 wine "$game" --window --watch "$(windows_path "$work/soak.replay")" \
        --final-state "$(windows_path "$work/watched.final")"
    wait_for_window
    wait_for_exit 60
    [ "$game_status" = 0 ] || fail "the watching ended with status $game_status"
    expect_linux_replay "$work/soak.replay" "$work/watched.final"
    ;;
pads)
    start_wine_screen
    # Windows loads a DLL from the program's folder first; Wine prefers its own unless told.
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}xinput1_4=n,b"
    mkdir -p "$work/folder"
    cp "$game" "$xinput" "$work/folder/"
    cat >"$work/pads.txt" <<'PADS'
# milliseconds slot buttons left-x left-y
0 0 - 0 0
1500 0 Start 0 0
1800 0 - 0 0
2500 0 - -32768 0
3000 0 - 0 0
3200 0 - -6000 5000
3500 0 Right 0 0
3900 0 - 0 0
4100 0 A 0 0
4500 0 - 0 0
4700 0 X 0 0
4900 0 - 0 0
5100 0 Y 0 0
5300 0 - 0 0
5500 0 B 0 0
5700 0 - 0 0
5900 0 A 0 0
6300 0 unplugged
6300 2 - 0 0
8800 2 Start 0 0
9100 2 - 0 0
9500 2 Back 0 0
10000 2 Back+B 0 0
10400 2 - 0 0
PADS
    export GLIMMERWAKE_PAD_SCRIPT GLIMMERWAKE_PAD_START
    GLIMMERWAKE_PAD_SCRIPT=$(windows_path "$work/pads.txt")
    GLIMMERWAKE_PAD_START=$(windows_path "$work/start")
    recording=$work/pads.rec
    start_game "$source_dir" timeout 120 wine "$work/folder/glimmerwake.exe" --window \
        --record "$(windows_path "$recording")" --final-state "$(windows_path "$work/pads.final")"
    wait_for_window
    wait_for_menu_title
    touch "$work/start"
    wait_for_exit 40
    [ "$game_status" = 0 ] || fail "Back with B in the pause overlay ended the game with status $game_status"
    changes=$(key_changes "$recording" | tr '\n' ',')
    [ "$changes" = "down RETURN,up RETURN,down LEFT,up LEFT,down RIGHT,up RIGHT,down SPACE,up SPACE,down 1,up 1,down 2,up 2,down 3,up 3,down SPACE,up SPACE,down ESCAPE,up ESCAPE,down F4," ] ||
        fail "the pads gave the keys $changes"
    expect_linux_replay "$recording" "$work/pads.final"
    ;;
*)
    fail "no case $case_name"
    ;;
esac
echo "PASS: $case_name"
