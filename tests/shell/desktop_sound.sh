#!/usr/bin/env bash
# Listens to the real game: runs `glimmerwake` on a private Xvfb screen with SDL's disk audio
# driver, which writes what the game plays to a file, presses keys as a player does and reads the
# samples written meanwhile.
#   desktop_sound.sh CASE GAME SOURCE_DIR WORK_DIR [MUSIC_RENDER]
# Cases:
#   heard       a shot fired is heard; M mutes it and M again brings the sound back (with the
#               music off, so that only the effects are listened to)
#   muted       started with --mute, firing leaves the stream silent, music and all
#   no_sounds   without Data/Sounds, or with its files broken (a FIFO, garbage), the game plays,
#               pauses and quits as ever, silent but for its music (off here), and says nothing
#   menu_music  the menu plays its theme with no key pressed; N stops and restarts the music, M
#               silences everything and M again brings it back
#   level_music after Play the stream holds the level's theme, sample for sample as
#               glimmerwake-music-render (MUSIC_RENDER) makes it
#   no_music    started with --no-music, the menu is silent and the shots are heard
set -euo pipefail
case_name=$1
game=$(realpath "$2")
source_dir=$3
work=$4/$case_name
music_render=${5:-}
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

# Waits until the audio thread has written for SECONDS more.
listen() {
    sleep "$1"
}

# Quits from the main menu: the marker down to Quit, and Return.
quit_from_menu() {
    hold Down
    hold Return
    wait_for_exit 20
    [ "$game_status" -eq 0 ] || fail "the game ended with status $game_status"
}

# Whether the stream from byte OFFSET on holds, sample for sample, the PATTERN_LENGTH samples of
# the WAV file THEME from sample START on (its header is 44 bytes).
holds_theme() {
    local offset=$1 theme=$2 start=$3 length=$4
    od -An -v -t d2 -j $((44 + 2 * start)) -N $((2 * length)) "$theme" >"$work/pattern.txt"
    od -An -v -t d2 -j "$offset" "$audio" |
        awk -v n="$length" '
            NR == FNR { for (i = 1; i <= NF; ++i) p[m++] = $i; next }
            { for (i = 1; i <= NF; ++i) s[k++] = $i }
            END {
                for (at = 0; at + n <= k; ++at) {
                    j = 0
                    while (j < n && s[at + j] == p[j]) ++j
                    if (j == n) exit 0
                }
                exit 1
            }' "$work/pattern.txt" -
}

expect_silent() {
    local level
    level=$(loudest_since "$1")
    [ "$level" -eq 0 ] || fail "$2: heard something (loudest sample $level)"
}

case $case_name in
heard)
    start_playing "$source_dir" --no-music
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
        start_playing "$data" --no-music
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
menu_music)
    start_xvfb 1024x768x16
    start_game "$source_dir" "$game"
    wait_for_window
    wait_for_menu_title
    before=$(audio_bytes)
    listen 1
    expect_loud "$before" "the menu with no key pressed"
    hold n
    before=$(audio_bytes)
    listen 1
    expect_silent "$before" "the menu after N"
    hold n
    before=$(audio_bytes)
    listen 1
    expect_loud "$before" "the menu after N again"
    hold m
    before=$(audio_bytes)
    listen 1
    expect_silent "$before" "the menu after M"
    hold m
    before=$(audio_bytes)
    listen 1
    expect_loud "$before" "the menu after M again"
    quit_from_menu
    ;;
level_music)
    [ -x "$music_render" ] || fail "no glimmerwake-music-render given"
    (cd "$source_dir" && "$music_render" themes "$work")
    start_playing "$source_dir"
    before=$(audio_bytes)
    # The level starts on the menu's next bar line (at most 2.7 s away) and the menu fades out
    # under it for half a second; the samples looked for lie a little past that. A loaded machine
    # writes the stream late, and an effect heard at that moment hides those samples, so later
    # stretches of the theme are looked for too, for up to 15 s.
    heard=
    for _ in $(seq 15); do
        listen 1
        for start in 13230 35280 57330 79380; do
            holds_theme "$before" "$work/level.wav" "$start" 256 && heard=yes && break 2
        done
    done
    [ -n "$heard" ] || fail "the level's theme is not in the stream after Play"
    quit_through_overlay
    ;;
no_music)
    start_xvfb 1024x768x16
    start_game "$source_dir" "$game" --no-music
    wait_for_window
    wait_for_menu_title
    listen 1
    expect_silent 0 "the menu started with --no-music"
    hold Return
    sleep 0.3
    before=$(audio_bytes)
    fire
    expect_loud "$before" "a shot fired with --no-music"
    quit_through_overlay
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
