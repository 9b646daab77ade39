#!/usr/bin/env bash
# Records real games, played with real key presses on a private Xvfb screen, and checks that the
# replay tool and the game's own watching play them back to the very state the game ended in:
#   record      play, steer, fire, pause and quit with F4: the replay's last line is the game's
#               final state, the recording has a clock line at every change of second, and
#               watching it ends with status 0 in that same state
#   watch       a hand-written script watched to its end: status 0, its final state and a shot
#               of the window (taken only into the --shots folder) equal to what the replay tool
#               gives; a shot never replaces a file nor leaves the folder, none is taken without
#               --shots; REPLAY shows at the left edge; Q ends a long one
#   endings     games ended by SIGTERM, SIGINT and a closed window: each recording is finished
#               and replays to the game's final state
#   killed      a recording whose game is killed: the replay tool refuses it, and with --partial
#               plays it to its last flushed call and says so
#   unwritable  a recording that cannot be written: one line on standard error, the game plays on
#   record_and_watch.sh CASE GAME REPLAY CLOSE_WINDOW SOURCE_DIR WORK_DIR
set -euo pipefail
case_name=$1
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

# Play for a few seconds: Play, steer left while firing, steer right, pause and resume.
play_a_while() {
    hold Return
    xdotool keydown Left space
    sleep 1.2
    xdotool keyup Left
    xdotool keydown Right
    sleep 0.8
    xdotool keyup Right space
    hold 2
    hold Escape
    sleep 0.3
    hold Escape
    sleep 0.5
}

# Records a game in $work/NAME.rec with its final state in $work/NAME.final.
start_recording() {
    local name=$1
    start_game "$source_dir" "$game" --record "$work/$name.rec" --final-state "$work/$name.final"
    wait_for_window
}

# The replay's last line must be the game's final state, and the recording must be finished.
expect_replay_matches() {
    local name=$1
    [ -s "$work/$name.final" ] || fail "$name: the game wrote no final state"
    grep -q '^end [0-9]*$' "$work/$name.rec" || fail "$name: the recording has no end"
    (cd "$source_dir" && "$replay" "$work/$name.rec") >"$work/$name.trace" ||
        fail "$name: the replay tool refused the recording"
    tail -n 1 "$work/$name.trace" >"$work/$name.replayed"
    cmp -s "$work/$name.replayed" "$work/$name.final" ||
        fail "$name: the replay ends elsewhere than the game: $(diff "$work/$name.final" "$work/$name.replayed" | head -c 600)"
}

case_record() {
    start_xvfb "$full_screen"
    start_recording game
    play_a_while
    hold Escape
    hold F4
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "the recorded game ended with status $game_status"
    [ ! -s "$work/game.log" ] || fail "the game said something: $(cat "$work/game.log")"
    expect_replay_matches game
    grep -q '"state":"Quit"' "$work/game.final" || fail "the game did not end in its Quit state"
    # The game quit by itself: the replay stops at the same call, the end count.
    local calls
    calls=$(awk '/^end / {print $2}' "$work/game.rec")
    [ "$(wc -l <"$work/game.trace")" = "$calls" ] || fail "the replay ran other than $calls calls"
    grep -q ' down LEFT$' "$work/game.rec" && grep -q ' up SPACE$' "$work/game.rec" &&
        grep -q ' down 2$' "$work/game.rec" && grep -q ' down F4$' "$work/game.rec" ||
        fail "keys are missing from the recording"

    # One clock line for each change of second, each one a later second than the one before (a
    # frame of more than a second, as the first menu frame can be while fonts load, skips one).
    local epoch clocks
    epoch=$(awk '/^epoch / {print $2}' "$work/game.rec")
    clocks=$(grep -c '^[0-9]* clock ' "$work/game.rec" || true)
    [ "$clocks" -ge 3 ] || fail "a game of several seconds with $clocks clock lines"
    awk -v second="$epoch" '$2 == "clock" { if ($3 <= second) exit 1; second = $3 }' \
        "$work/game.rec" || fail "the clock lines repeat a second or go back"

    # Watching the recording plays the same game, in the window, to the same end.
    start_game "$source_dir" "$game" --watch "$work/game.rec" --final-state "$work/watched.final"
    wait_for_window
    wait_for_exit 30
    [ "$game_status" = 0 ] || fail "watching ended with status $game_status"
    cmp -s "$work/watched.final" "$work/game.final" || fail "the watched game ended elsewhere"
    echo "record: $calls calls, $clocks clock lines; replayed and watched to the game's final state"
}

# The number of pixels that differ by more than a shade between two pictures.
differing_pixels() {
    compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 || true
}

case_watch() {
    start_xvfb "$full_screen"
    printf '%s\n' 'epoch 1781000000' '2 down RETURN' '3 up RETURN' '40 down LEFT' \
        '41 down SPACE' '57 clock 1781000001' "shot 100 SHOT.png" '120 up LEFT' \
        'end 150' >"$work/script.txt"
    sed 's/SHOT/watched/' "$work/script.txt" >"$work/watch.txt"
    sed "s|SHOT|$work/replayed|" "$work/script.txt" >"$work/replay.txt"
    mkdir -p "$work/shots"
    start_game "$source_dir" "$game" --watch "$work/watch.txt" --shots "$work/shots" \
        --final-state "$work/watched.final"
    wait_for_window
    # Keys pressed at the window are not the game's while it is watched.
    xdotool keydown Right Escape
    wait_for_exit 30
    xdotool keyup Right Escape
    [ "$game_status" = 0 ] || fail "watching ended with status $game_status"
    (cd "$source_dir" && "$replay" "$work/replay.txt") >"$work/replay.trace" ||
        fail "the replay tool refused the script"
    tail -n 1 "$work/replay.trace" | cmp -s - "$work/watched.final" ||
        fail "the watched game ended elsewhere than the replay"
    grep -q '^{"call":149,' "$work/watched.final" || fail "watching did not run to call 149"
    [ -s "$work/shots/watched.png" ] || fail "no shot of the window"
    local differing
    differing=$(differing_pixels "$work/shots/watched.png" "$work/replayed.png")
    [ "$differing" -lt 500 ] || fail "the window's shot differs from the replay's in $differing pixels"
    expect_shots_kept_in_their_folder

    # Q ends a long watching at once, and well.
    printf '2 down RETURN\n3 up RETURN\nend 1000000\n' >"$work/long.txt"
    start_game "$source_dir" "$game" --watch "$work/long.txt" --final-state "$work/stopped.final"
    wait_for_window
    sleep 1
    expect_replay_mark
    hold q
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "Q ended the watching with status $game_status"
    grep -q '"state":"Playing"' "$work/stopped.final" || fail "Q ended the watching before play"
    echo "watch: status 0 at the script's end, final state and shot as the replay's ($differing pixels differ); Q ends it"
}

# A watched recording may come from anybody: its shots stay inside the --shots folder, under plain
# names, never replace a file, and without --shots none is taken at all.
expect_shots_kept_in_their_folder() {
    # Watched again, the shot would replace the first one's: refused, status 3, the file as it was.
    local before
    before=$(sha256sum <"$work/shots/watched.png")
    start_game "$source_dir" "$game" --watch "$work/watch.txt" --shots "$work/shots"
    wait_for_window
    wait_for_exit 30
    [ "$game_status" = 3 ] || fail "a shot over an existing file ended with status $game_status"
    grep -q "a file of that name is there already" "$work/game.log" ||
        fail "the refused shot was not said: $(cat "$work/game.log")"
    [ "$(sha256sum <"$work/shots/watched.png")" = "$before" ] || fail "a shot replaced a file"

    printf '%s\n' '2 down RETURN' "shot 5 ../escaped.png" "shot 6 $work/absolute.png" \
        'shot 7 .hidden.png' 'shot 8 notes.txt' 'end 10' >"$work/hostile.txt"
    start_game "$source_dir" "$game" --watch "$work/hostile.txt" --shots "$work/shots"
    wait_for_window
    wait_for_exit 30
    [ "$game_status" = 3 ] || fail "hostile shot names ended the watching with status $game_status"
    [ "$(grep -c 'only a plain name ending in .png' "$work/game.log")" = 4 ] ||
        fail "not every hostile shot name was refused: $(cat "$work/game.log")"
    [ ! -e "$work/escaped.png" ] && [ ! -e "$work/absolute.png" ] &&
        [ "$(ls -A "$work/shots")" = watched.png ] || fail "a hostile shot was written: $(ls -AR "$work")"

    start_game "$source_dir" "$game" --watch "$work/hostile.txt"
    wait_for_window
    wait_for_exit 30
    [ "$game_status" = 0 ] || fail "watching without --shots ended with status $game_status"
    grep -q "its 4 shot line(s) are not taken: --shots DIR takes them" "$work/game.log" ||
        fail "the shots left out were not said: $(cat "$work/game.log")"
    [ "$(ls -A "$work/shots")" = watched.png ] || fail "a shot was taken without --shots"
}

# The REPLAY mark at the left edge, below the HUD's panel, where play is black.
expect_replay_mark() {
    import -window root "$work/marked.png"
    local lit
    lit=$(convert "$work/marked.png" -crop 80x24+10+262 -threshold 30% -format '%[fx:round(mean*w*h)]' info:)
    [ "$lit" -gt 20 ] || fail "no REPLAY mark at the left edge ($lit pixels lit)"
}

# Plays, then ends the game with COMMAND (the window's id or the game's pid appended as asked).
case_endings() {
    set -m
    start_xvfb "$full_screen"
    local ending
    for ending in TERM INT closed; do
        start_recording "$ending"
        hold Return
        xdotool keydown Left
        sleep 0.7
        xdotool keyup Left
        if [ "$ending" = closed ]; then
            "$close_window" "$window"
        else
            kill -s "$ending" "$game_pid"
        fi
        wait_for_exit 10
        [ "$game_status" = 0 ] || fail "$ending: the game ended with status $game_status"
        expect_replay_matches "$ending"
    done
    echo "endings: SIGTERM, SIGINT and a closed window each leave a finished recording that replays to the game's final state"
}

case_killed() {
    start_xvfb "$full_screen"
    start_recording killed
    play_a_while
    kill -KILL "$game_pid"
    wait_for_exit 10
    ! grep -q '^end ' "$work/killed.rec" || fail "a killed game's recording has an end"
    local status=0
    "$replay" "$work/killed.rec" >/dev/null 2>"$work/strict.log" || status=$?
    [ "$status" = 2 ] || fail "the replay tool took a recording without end (status $status)"
    grep -q "a recording cut short (its game was killed) plays with --partial" "$work/strict.log" ||
        fail "the refusal does not point to --partial: $(cat "$work/strict.log")"
    (cd "$source_dir" && "$replay" --partial "$work/killed.rec") >"$work/killed.trace" \
        2>"$work/partial.log" || fail "--partial refused the recording: $(cat "$work/partial.log")"
    # Flushed at every change of second: the last line is a clock line, and play went on to it.
    local last
    last=$(tail -n 1 "$work/killed.rec")
    [[ "$last" =~ ^([0-9]+)\ clock\ [0-9]+$ ]] || fail "the recording was cut at '$last'"
    local calls=$((BASH_REMATCH[1] + 1))
    [ "$calls" -gt 200 ] || fail "only $calls calls were flushed of several seconds of play"
    [ "$(wc -l <"$work/killed.trace")" = "$calls" ] || fail "--partial did not play $calls calls"
    grep -q "no 'end': the recording was cut short; playing its $calls calls" "$work/partial.log" ||
        fail "--partial did not say what it played: $(cat "$work/partial.log")"
    echo "killed: no end; --partial plays the $calls calls flushed and says so"
}

case_unwritable() {
    start_xvfb "$full_screen"
    start_game "$source_dir" "$game" --record "$work/no-such-directory/game.rec"
    wait_for_window
    hold Return
    xdotool keydown space
    sleep 0.5
    xdotool keyup space
    hold Escape
    hold F4
    wait_for_exit 10
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
    [ "$(wc -l <"$work/game.log")" = 1 ] && grep -q \
        "^glimmerwake: cannot record to $work/no-such-directory/game.rec: No such file or directory; the game goes on unrecorded$" \
        "$work/game.log" || fail "not the one line about the recording: $(cat "$work/game.log")"
    local status=0
    "$game" --record >/dev/null 2>"$work/usage.log" || status=$?
    [ "$status" = 2 ] && grep -q '^glimmerwake: --record needs FILE' "$work/usage.log" ||
        fail "--record without a file: status $status"
    # A script to watch that cannot be read stops the game before its window opens.
    status=0
    "$game" --watch "$work" >/dev/null 2>"$work/watch.log" || status=$?
    [ "$status" = 2 ] && grep -q "cannot watch $work: it is a directory" "$work/watch.log" ||
        fail "--watch of a directory: status $status"
    status=0
    "$game" --watch "$work/no-such-file" >/dev/null 2>"$work/watch.log" || status=$?
    [ "$status" = 2 ] &&
        grep -q "cannot watch $work/no-such-file: No such file or directory" "$work/watch.log" ||
        fail "--watch of a missing file: status $status, $(cat "$work/watch.log")"
    : >"$work/empty.txt"
    status=0
    "$game" --watch "$work/empty.txt" >/dev/null 2>"$work/watch.log" || status=$?
    [ "$status" = 2 ] && grep -q "cannot watch $work/empty.txt: it has no call to play" \
        "$work/watch.log" || fail "--watch of an empty file: status $status, $(cat "$work/watch.log")"
    printf '1 down LEFT\n0 up LEFT\nend 5\n' >"$work/bad.txt"
    status=0
    "$game" --watch "$work/bad.txt" >/dev/null 2>"$work/watch.log" || status=$?
    [ "$status" = 2 ] && grep -q "bad.txt:2: call 0 comes after call 1" "$work/watch.log" ||
        fail "--watch of a malformed script: status $status"
    echo "unwritable: one line on standard error, the game played and quit with status 0; a script that cannot be watched: status 2"
}

case $case_name in
record) case_record ;;
watch) case_watch ;;
endings) case_endings ;;
killed) case_killed ;;
unwritable) case_unwritable ;;
*) fail "unknown case $case_name" ;;
esac
