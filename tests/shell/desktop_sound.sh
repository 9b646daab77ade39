#!/usr/bin/env bash
# Listens to the real game: runs `glimmerwake` on a private Xvfb screen with SDL's disk audio
# driver, which writes what the game plays to a file, presses keys as a player does and reads the
# samples written meanwhile.
#   desktop_sound.sh CASE GAME SOURCE_DIR WORK_DIR
# Cases:
#   heard     a shot fired is heard; M mutes it and M again brings the sound back
#   muted     started with --mute, firing leaves the stream silent
#   no_sounds without Data/Sounds, or with its files broken (a FIFO, garbage), the game plays,
#             pauses and quits as ever, silent, and says nothing
set -euo pipefail
case_name=$1
game=$(realpath "$2")
source_dir=$3
work=$4/$case_name
rm -rf "$work"
mkdir -p "$work"
# shellcheck source=xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"

audio=$work/audio.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

audio_bytes() { stat -c %s "$audio" 2>/dev/null || echo 0; }

# The loudest 16-bit sample written from byte OFFSET on.
loudest_since() {
    od -An -v -t d2 -j "$1" "$audio" |
        awk '{ for (i = 1; i <= NF; ++i) { v = $i < 0 ? -$i : $i; if (v > m) m = v } }
             END { print m + 0 }'
}

# Holds Space for half a second (a missile every 26 frames: several shots) and waits for the
# audio thread to write them out.
fire() {
    xdotool keydown space
    sleep 0.5
    xdotool keyup space
    sleep 0.5
}

start_playing() {
    start_xvfb 1024x768x16
    start_game "$1" "$game" "${@:2}"
    wait_for_window
    wait_for_menu_title
    hold Return
    sleep 0.3
}

quit_through_overlay() {
    hold Escape
    hold F4
    wait_for_exit 20
    [ "$game_status" -eq 0 ] || fail "the game ended with status $game_status"
}

expect_loud() {
    local level
    level=$(loudest_since "$1")
    [ "$level" -gt 1000 ] || fail "$2: nothing heard (loudest sample $level)"
}

expect_silent() {
    local level
    level=$(loudest_since "$1")
    [ "$level" -eq 0 ] || fail "$2: heard something (loudest sample $level)"
}

case $case_name in
heard)
    start_playing "$source_dir"
    before=$(audio_bytes)
    fire
    expect_loud "$before" "a shot fired"
    hold m
    before=$(audio_bytes)
    fire
    expect_silent "$before" "a shot fired while muted"
    hold m
    before=$(audio_bytes)
    fire
    expect_loud "$before" "a shot fired after M again"
    quit_through_overlay
    ;;
muted)
    start_playing "$source_dir" --mute
    fire
    quit_through_overlay
    expect_silent 0 "a game started with --mute"
    ;;
no_sounds)
    for variant in missing broken; do
        data=$work/$variant
        mkdir -p "$data/Data"
        for entry in "$source_dir"/Data/*; do
            [ "$(basename "$entry")" = Sounds ] || ln -s "$entry" "$data/Data/"
        done
        if [ "$variant" = broken ]; then
            mkdir "$data/Data/Sounds"
            for file in "$source_dir"/Data/Sounds/*.wav; do
                echo "not a sound" >"$data/Data/Sounds/$(basename "$file")"
            done
            # Opening a FIFO with no writer waits for ever: the game must not.
            rm "$data/Data/Sounds/missile_shot.wav"
            mkfifo "$data/Data/Sounds/missile_shot.wav"
        fi
        start_playing "$data"
        fire
        quit_through_overlay
        expect_silent 0 "a game whose sounds are $variant"
        # SDL's disk driver announces itself; the game must add nothing to it.
        said=$(grep -v -e 'SDL disk i/o audio driver' -e 'Writing to file' "$work/game.log" || true)
        [ -z "$said" ] || fail "the game said something: $said"
        stop_session
        xvfb_pid=
    done
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
