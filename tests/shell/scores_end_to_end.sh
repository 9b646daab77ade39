#!/usr/bin/env bash
# The high scores and the daily run, played for real: the game on a private Xvfb screen, real key
# presses, its data folder a scratch one ($XDG_DATA_HOME).
#   table     games played and ended reach the table with their score, --scores lists them, their
#             recordings verify, and a forged recording (keys or epoch edited) is refused
#   notes     a watched game's menu and game-over frames differ from the replay tool's (which
#             draws no notes) only inside the notes' areas, and the notes are there
#   corrupt   a corrupt table is set aside (kept), said once, and a fresh one started; an
#             unwritable folder is said once and the game plays on
#   together  two games ending at once (SIGTERM to both) both keep their entries
#   daily     --daily on two machines on the same day records the same calendar; the same keys
#             replay to the same trace only on the same day
#   settings  M is remembered for the next run; --mute overrides it without changing it
#   scores_end_to_end.sh CASE GAME REPLAY SOURCE_DIR WORK_DIR
set -euo pipefail
case_name=$1
game=$(realpath "$2")
replay=$(realpath "$3")
source_dir=$(realpath "$4")
work=$(realpath -m "$5/$case_name")
rm -rf "$work"
mkdir -p "$work"
# shellcheck source=tests/shell/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
export XDG_DATA_HOME="$work/data"
data="$XDG_DATA_HOME/glimmerwake"

# Steer and fire for a while: enough for a few hits.
fight() {
    local seconds=$1
    xdotool keydown space
    for _ in $(seq "$seconds"); do
        xdotool keydown Left
        sleep 0.5
        xdotool keyup Left
        xdotool keydown Right
        sleep 0.5
        xdotool keyup Right
    done
    xdotool keyup space
}

score_of() {
    sed -n 's/.*"score":\([0-9]*\).*/\1/p' "$1"
}

# The recordings the table names, best first, as FILE GAME.
recordings_in_table() {
    awk '$1 == "entry" {print $7, $6}' "$data/scores"
}

case_table() {
    start_xvfb 1024x768x24
    local round try score scores=()
    for round in 1 2; do
        # A game that hits nothing (a slow build draws few frames in its seconds) never enters
        # the table: it is played again, at most twice more.
        for try in 1 2 3; do
            start_game "$source_dir" "$game" --window --final-state "$work/game$round.final"
            wait_for_window
            wait_for_menu_title
            hold Return
            fight 7
            hold Escape
            hold F4
            wait_for_exit 20
            [ "$game_status" = 0 ] || fail "game $round ended with status $game_status"
            [ ! -s "$work/game.log" ] || fail "game $round said something: $(cat "$work/game.log")"
            score=$(score_of "$work/game$round.final")
            [ "$score" -gt 0 ] && break
        done
        scores+=("$score")
    done
    [ "${scores[0]}" -gt 0 ] && [ "${scores[1]}" -gt 0 ] || fail "no score made: ${scores[*]}"
    [ -s "$data/scores" ] || fail "no table written"
    # Best first, each with the score its game ended with.
    local expected
    expected=$(printf '%s\n' "${scores[@]}" | sort -rn | tr '\n' ' ')
    [ "$(awk '$1 == "entry" {printf "%s ", $2}' "$data/scores")" = "$expected" ] ||
        fail "the table holds $(cat "$data/scores"), not $expected"
    "$game" --scores >"$work/listing.txt" || fail "--scores failed"
    grep -q "^   1\\. *${scores[0]}\\|^   1\\. *${scores[1]}" "$work/listing.txt" ||
        fail "--scores does not list them: $(cat "$work/listing.txt")"
    local file index
    while read -r file index; do
        local recording="$data/recordings/$file" score
        score=$(awk -v f="$file" '$1 == "entry" && $7 == f {print $2}' "$data/scores")
        grep -q "recordings/$file (game $index)" "$work/listing.txt" || fail "$file is not listed"
        "$replay" --verify "$recording" --claim "$score" >"$work/verify.txt" ||
            fail "$file does not verify its $score: $(cat "$work/verify.txt")"
        grep -q "\"game\":$index,.*\"score\":$score,.*\"mode\":\"free\"" "$work/verify.txt" ||
            fail "$file: $(cat "$work/verify.txt")"
        # Forged: a claim of another score, the keys edited. (Another calendar, a game too
        # short for its randomness to tell, may well end alike: tests/replay/verify_test.cpp
        # moves a whole level's.)
        local status=0
        "$replay" --verify "$recording" --claim $((score + 100)) >/dev/null || status=$?
        [ "$status" = 1 ] || fail "$file proved a score it never made (status $status)"
        grep -v ' down SPACE$' "$recording" >"$work/forged.replay"
        status=0
        "$replay" --verify "$work/forged.replay" --claim "$score" >/dev/null || status=$?
        [ "$status" = 1 ] || fail "$file with its shots left out still proves $score"
    done < <(recordings_in_table)
    printf 'epoch 5\nsomething else\nend 3\n' >"$work/unreadable.replay"
    local status=0
    "$replay" --verify "$work/unreadable.replay" 2>"$work/unreadable.log" || status=$?
    [ "$status" = 2 ] && grep -q 'line 2: ' "$work/unreadable.log" ||
        fail "an unreadable recording: status $status, $(cat "$work/unreadable.log")"
    # A recording deleted by hand: its entry stays, marked.
    rm "$data/recordings/$(recordings_in_table | head -1 | cut -d' ' -f1)"
    "$game" --scores >"$work/listing.txt" || fail "--scores failed without a recording"
    grep -q 'unverifiable' "$work/listing.txt" || fail "the missing recording is not marked"
    echo "table: games of ${scores[*]} entered in order, listed, verified; forgeries refused"
}

# The pixels of A and B that differ by more than a shade outside the rectangle L,T,R,B.
differing_outside() {
    local a=$1 b=$2 left=$3 top=$4 right=$5 bottom=$6
    convert "$a" -fill black -draw "rectangle $left,$top,$right,$bottom" "$work/a-outside.png"
    convert "$b" -fill black -draw "rectangle $left,$top,$right,$bottom" "$work/b-outside.png"
    compare -metric AE -fuzz 2% "$work/a-outside.png" "$work/b-outside.png" null: 2>&1 || true
}

differing_inside() {
    local a=$1 b=$2 left=$3 top=$4 right=$5 bottom=$6
    local size=$((right - left + 1))x$((bottom - top + 1))+$left+$top
    convert "$a" -crop "$size" +repage "$work/a-inside.png"
    convert "$b" -crop "$size" +repage "$work/b-inside.png"
    compare -metric AE -fuzz 2% "$work/a-inside.png" "$work/b-inside.png" null: 2>&1 || true
}

# The lines of the complete game of the replay tests (lost at call 4841) up to call 4900, with
# shots of the menu (call 1) and of the game over (call 4900) named NAME-menu.png, NAME-over.png.
notes_script() {
    local name=$1
    awk -v name="$name" '
        /^end / || / F2$/ { next }
        $1 ~ /^[0-9]+$/ && !menu && $1 > 1 { print "shot 1 " name "-menu.png"; menu = 1 }
        { print }
        END { print "shot 4900 " name "-over.png"; print "end 4901" }' \
        "$source_dir/tests/tools/complete_game.replay"
}

case_notes() {
    start_xvfb 1024x768x24
    notes_script watched >"$work/watch.txt"
    notes_script "$work/replayed" >"$work/replay.txt"
    (cd "$source_dir" && "$replay" "$work/replay.txt" >/dev/null) || fail "the replay tool refused the script"
    mkdir -p "$work/shots"
    start_game "$source_dir" "$game" --window --watch "$work/watch.txt" --shots "$work/shots"
    wait_for_window
    xdotool keydown f
    wait_for_exit 120
    xdotool keyup f
    [ "$game_status" = 0 ] || fail "watching ended with status $game_status"
    local shot area outside inside
    for shot in menu over; do
        [ -s "$work/shots/watched-$shot.png" ] || fail "no shot of the $shot"
        # The notes' areas of docs/scores.md; the REPLAY mark of a watched game is not ours.
        if [ "$shot" = menu ]; then area="141 170 400 300"; else area="24 292 590 392"; fi
        convert "$work/shots/watched-$shot.png" -fill black -draw "rectangle 8,256,96,286" \
            "$work/watched-$shot.png"
        convert "$work/replayed-$shot.png" -fill black -draw "rectangle 8,256,96,286" \
            "$work/replayed-$shot.png"
        # shellcheck disable=SC2086
        outside=$(differing_outside "$work/watched-$shot.png" "$work/replayed-$shot.png" $area)
        # shellcheck disable=SC2086
        inside=$(differing_inside "$work/watched-$shot.png" "$work/replayed-$shot.png" $area)
        # The window's OpenGL and the replay tool's offscreen one may round a pixel or two of
        # the explosions otherwise (tests/shell/record_and_watch.sh allows for it too).
        [ "$outside" -lt 50 ] || fail "$shot: $outside pixels differ outside the notes' area"
        [ "$inside" -gt 100 ] || fail "$shot: no note drawn ($inside pixels differ)"
        echo "notes: $shot: $inside pixels of notes, $outside differ outside their area"
    done
}

case_corrupt() {
    start_xvfb 1024x768x24
    mkdir -p "$data"
    printf 'glimmerwake-scores 1\ntable free\nentry not a number\n' >"$data/scores"
    cp "$data/scores" "$work/corrupt"
    start_game "$source_dir" "$game" --window
    wait_for_window
    wait_for_menu_title
    hold Return
    fight 2
    hold Escape
    hold F4
    wait_for_exit 20
    [ "$(grep -c 'cannot be used' "$work/game.log")" = 1 ] ||
        fail "the corrupt table was not said once: $(cat "$work/game.log")"
    cmp -s "$data/scores.set-aside-1" "$work/corrupt" || fail "the corrupt table was not kept"
    grep -q '^glimmerwake-scores 1$' "$data/scores" || fail "no fresh table"
    # A folder that cannot be written: a file where the folder should be.
    rm -rf "$XDG_DATA_HOME"
    mkdir -p "$XDG_DATA_HOME"
    echo "not a folder" >"$data"
    start_game "$source_dir" "$game" --window
    wait_for_window
    wait_for_menu_title
    hold Return
    fight 2
    hold Escape
    hold F2
    fight 2
    hold Escape
    hold F4
    wait_for_exit 20
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
    # Said once, whether the game first met it reading the tables or keeping a score.
    [ "$(grep -c 'high scores' "$work/game.log")" = 1 ] ||
        fail "the unwritable folder was not said once: $(cat "$work/game.log")"
    echo "corrupt: set aside, said once, a fresh table; an unwritable folder said once"
}

# Plays two games side by side and ends both in the same moment; their scores are left in
# $work/game1.final and $work/game2.final.
play_two_at_once() {
    local pids=() windows=() round tries
    for round in 1 2; do
        start_game "$source_dir" "$game" --window --final-state "$work/game$round.final"
        wait_for_window
        # The new game's window is the one not seen before: the keys go to it.
        for tries in $(seq 100); do
            # Only a mapped window takes the focus: one found before it is shown refuses it.
            window=$(xdotool search --onlyvisible --name '^Glimmerwake$' | grep -vxF "$(printf '%s\n' "${windows[@]:-none}")" |
                head -1 || true)
            [ -n "$window" ] && break
            sleep 0.2
        done
        [ -n "$window" ] || fail "the second game's window never came"
        windows+=("$window")
        xdotool windowmove --sync "$window" $(((round - 1) * 1060)) 0
        for tries in $(seq 20); do
            xdotool windowfocus --sync "$window" 2>/dev/null && break
            sleep 0.2
        done
        wait_for_menu_title
        hold Return
        fight 10
        pids+=("$game_pid")
    done
    # Both games end in the same moment, and both write the table.
    kill -TERM "${pids[@]}"
    for pid in "${pids[@]}"; do
        game_pid=$pid
        wait_for_exit 20
        [ "$game_status" = 0 ] || fail "a game ended with status $game_status: $(cat "$work/game.log")"
    done
}

case_together() {
    # Two windows side by side: a window under another shows the other's pixels to a screenshot.
    start_xvfb 2100x800x24
    local first second try
    # A game that hits nothing (a slow build draws few frames in its seconds) never enters the
    # table: both are played again, at most twice more.
    for try in 1 2 3; do
        rm -rf "$data"
        play_two_at_once
        first=$(score_of "$work/game1.final")
        second=$(score_of "$work/game2.final")
        [ "$first" -gt 0 ] && [ "$second" -gt 0 ] && break
    done
    [ "$first" -gt 0 ] && [ "$second" -gt 0 ] || fail "no score made: $first, $second"
    [ "$(grep -c '^entry ' "$data/scores")" = 2 ] || fail "not both kept: $(cat "$data/scores")"
    grep -q "^entry $first " "$data/scores" && grep -q "^entry $second " "$data/scores" ||
        fail "the table lost one: $(cat "$data/scores")"
    echo "together: both games ($first, $second) kept"
}

# Plays a daily attempt on a machine whose clock reads DATE; the recording is left in $work/NAME.
play_daily() {
    local date=$1 name=$2
    rm -rf "$data/recordings"
    FAKETIME_DONT_FAKE_MONOTONIC=1 start_game "$source_dir" faketime -f "@$date" "$game" \
        --window --daily --final-state "$work/$name.final"
    wait_for_window
    wait_for_menu_title
    hold Return
    fight 10
    hold Escape
    hold F4
    wait_for_exit 20
    [ "$game_status" = 0 ] || fail "$name: the daily run ended with status $game_status"
    local recording
    recording=$(ls "$data"/recordings/daily-*.replay 2>/dev/null | head -1 || true)
    [ -n "$recording" ] || fail "$name: no daily recording kept: $(cat "$work/game.log")"
    cp "$recording" "$work/$name.replay"
}

case_daily() {
    start_xvfb 1024x768x24
    play_daily "2026-12-08 15:00:00" morning
    play_daily "2026-12-08 23:59:00" evening
    play_daily "2026-12-09 09:30:00" next
    # The day's own calendar: 00:00 UTC, no clock line; the day in its name and its proof.
    grep -q '^epoch 1796688000$' "$work/morning.replay" && grep -q '^epoch 1796688000$' \
        "$work/evening.replay" && grep -q '^epoch 1796774400$' "$work/next.replay" ||
        fail "the daily runs' epochs are not their days' starts"
    ! grep -q ' clock ' "$work"/*.replay || fail "a daily recording has a clock line"
    "$replay" --verify "$work/morning.replay" >"$work/morning.json"
    grep -q '"game":1,.*"mode":"daily","day":"2026-12-08"' "$work/morning.json" ||
        fail "not verified as the day's run: $(cat "$work/morning.json")"
    # Everyone's game the same: the morning's keys, played in the evening (any time of the same
    # day) replay to the very trace; the next day's calendar plays another game.
    sed "s/^epoch .*/epoch 1796688000/" "$work/morning.replay" >"$work/same-day.replay"
    sed "s/^epoch .*/epoch 1796774400/" "$work/morning.replay" >"$work/other-day.replay"
    (cd "$source_dir" && "$replay" "$work/morning.replay") >"$work/morning.trace"
    (cd "$source_dir" && "$replay" "$work/same-day.replay") >"$work/same-day.trace"
    (cd "$source_dir" && "$replay" "$work/other-day.replay") >"$work/other-day.trace"
    # The recording ends with the game (its last life, or F4): with the score the game ended with.
    tail -n 1 "$work/morning.trace" >"$work/morning.last"
    [ "$(score_of "$work/morning.last")" = "$(score_of "$work/morning.final")" ] ||
        fail "the daily recording does not replay to the game's score"
    cmp -s "$work/morning.trace" "$work/same-day.trace" || fail "the same day played otherwise"
    ! cmp -s "$work/morning.trace" "$work/other-day.trace" || fail "another day played alike"
    grep -q '^table daily 2026-12-08$' "$data/scores" && grep -q '^table daily 2026-12-09$' \
        "$data/scores" || fail "no daily tables: $(cat "$data/scores")"
    echo "daily: each day's epoch, no clock lines; same day same trace, next day another"
}

case_settings() {
    start_xvfb 1024x768x24
    start_game "$source_dir" "$game" --window
    wait_for_window
    wait_for_menu_title
    hold m
    hold n
    hold Return
    hold Escape
    hold F4
    wait_for_exit 20
    grep -q '^mute=1$' "$data/settings" || fail "M was not remembered: $(cat "$data/settings" 2>&1)"
    grep -q '^music=0$' "$data/settings" || fail "N was not remembered: $(cat "$data/settings")"
    # --mute for one run: the setting is left as it was.
    start_game "$source_dir" "$game" --window --mute
    wait_for_window
    wait_for_menu_title
    hold Return
    hold Escape
    hold F4
    wait_for_exit 20
    grep -q '^mute=1$' "$data/settings" || fail "--mute changed the setting"
    echo "settings: M and N remembered, --mute overrides for one run"
}

"case_$case_name"
