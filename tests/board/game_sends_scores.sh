#!/usr/bin/env bash
# The game sends its proved games to a real board, played for real: the game on a private Xvfb
# screen with real key presses, its data folder a scratch one, the board on 127.0.0.1.
#   sent      with --board, a game played and ended is on the board, its recording proves its
#             score, and the menu says "Board: sent"; the settings, written when M is pressed,
#             do not take the board from the command line
#   waiting   with the board away, the game waits in unsent/ and the menu says "Board: waiting";
#             the next run, with the board there, sends it
#
#   game_sends_scores.sh CASE GAME REPLAY BOARD SOURCE_DIR WORK_DIR
set -euo pipefail
case_name=$1
game=$(realpath "$2")
replay=$(realpath "$3")
board=$(realpath "$4")
source_dir=$(realpath "$5")
work=$(realpath -m "$6/$case_name")
rm -rf "$work"
mkdir -p "$work"
# shellcheck source=tests/shell/xvfb_session.sh
. "$source_dir/tests/shell/xvfb_session.sh"
export XDG_DATA_HOME="$work/data"
unsent="$XDG_DATA_HOME/glimmerwake/unsent"

board_pid=
stop_all() {
    [ -n "$board_pid" ] && kill -KILL "$board_pid" 2>/dev/null || true
    stop_session
}
trap stop_all EXIT

start_board() {
    "$board" --data "$work/board" --listen 127.0.0.1:0 --uploads-per-minute 0 \
        >"$work/board.out" 2>"$work/board.log" &
    board_pid=$!
    for _ in $(seq 100); do
        grep -q 'listening on' "$work/board.out" && break
        sleep 0.1
    done
    port=$(sed -n 's/.*:\([0-9]*\)$/\1/p' "$work/board.out")
    [ -n "$port" ] || fail "the board did not start: $(cat "$work/board.log")"
}

games_on_board() {
    curl -s --max-time 10 "http://127.0.0.1:$port/api/scores?mode=free&limit=100" |
        jq '.scores | length'
}

# Waits up to SECONDS for one game on the board.
wait_for_games_on_board() {
    local _
    for _ in $(seq $(($1 * 4))); do
        [ "$(games_on_board)" = 1 ] && return
        sleep 0.25
    done
}

# Waits up to SECONDS for a game waiting in unsent/; false when none came.
wait_for_unsent() {
    local _
    for _ in $(seq $(($1 * 4))); do
        [ "$(unsent_count)" -gt 0 ] && return 0
        sleep 0.25
    done
    return 1
}

# Waits up to SECONDS for a game to be sent: on the board, or on its way in unsent/.
wait_for_sending() {
    local _
    for _ in $(seq $(($1 * 4))); do
        [ "$(games_on_board)" = 1 ] || [ "$(unsent_count)" -gt 0 ] && return 0
        sleep 0.25
    done
    return 1
}

# The width in pixels of the note-coloured text on the menu's third note line, below the best
# score and the daily run's line: where the board's line goes. 0 when there is none.
board_line_width() {
    import -window "$window" "$work/menu.png"
    convert "$work/menu.png" -crop 259x22+141+208 +repage \
        -fx '(r > 0.8 && g > 0.6 && g < 0.95 && b < 0.6) ? 1 : 0' "$work/line.png"
    if [ "$(convert "$work/line.png" -format '%[fx:int(mean*w*h)]' info:)" -lt 10 ]; then
        echo 0
        return
    fi
    convert "$work/line.png" -format '%@' info: | sed 's/x.*//'
}

# Waits up to SECONDS until the menu's board line is WIDTH-wide or more; prints its width.
wait_for_board_line() {
    local seconds=$1 width=0
    for _ in $(seq $((seconds * 4))); do
        width=$(board_line_width)
        [ "$width" -gt 0 ] && break
        sleep 0.25
    done
    echo "$width"
}

# Plays one game to its end and goes back to the menu, with the board at URL: steer and fire for
# a while, pause, F3.
play_a_game() {
    local url=$1
    start_game "$source_dir" "$game" --window --board "$url"
    wait_for_window
    wait_for_menu_title
    hold Return
    xdotool keydown space
    for _ in $(seq 7); do
        xdotool keydown Left
        sleep 0.5
        xdotool keyup Left
        xdotool keydown Right
        sleep 0.5
        xdotool keyup Right
    done
    xdotool keyup space
    hold Escape
    hold F3
    wait_for_menu_title
}

end_game() {
    kill -TERM "$game_pid"
    wait_for_exit 20
    [ "$game_status" = 0 ] || fail "the game ended with status $game_status"
}

unsent_count() {
    find "$unsent" -maxdepth 1 -name '*.replay' 2>/dev/null | wc -l
}

# The board's first game proves its score with the replay tool.
expect_board_game_proved() {
    local scores id score
    scores=$(curl -s --max-time 10 "http://127.0.0.1:$port/api/scores?mode=free&limit=1")
    id=$(jq '.scores[0].id' <<<"$scores")
    score=$(jq '.scores[0].score' <<<"$scores")
    [ "$(jq -r '.scores[0].name' <<<"$scores")" = Pilot ] || fail "not under the name Pilot: $scores"
    curl -s --max-time 10 "http://127.0.0.1:$port/api/games/$id" >"$work/sent.replay"
    "$replay" --verify "$work/sent.replay" --claim "$score" >/dev/null ||
        fail "the game on the board does not prove its $score"
    echo "$score"
}

case_sent() {
    start_board
    start_xvfb 1024x768x24
    local try
    # A game that hits nothing (a slow build draws few frames in its seconds) makes no score
    # worth keeping and is never sent: it is played again, at most twice more. A game that is
    # sent is on the board or, on its way, in unsent/.
    for try in 1 2 3; do
        play_a_game "http://127.0.0.1:$port"
        wait_for_sending 20 && break
        end_game
    done
    # A first sending that a loaded machine's board turns away (busy) is made again after the
    # sender's first retry, 30 s on.
    wait_for_games_on_board 45
    [ "$(games_on_board)" = 1 ] ||
        fail "$(games_on_board) games on the board, not 1; the board said: $(cat "$work/board.log")"
    sleep 0.5
    local width
    width=$(board_line_width)
    [ "$width" -gt 0 ] || fail "no board line in the menu once the game is on the board"
    hold m
    end_game
    [ "$(unsent_count)" = 0 ] || fail "a sent game still waits in $unsent"
    local settings="$XDG_DATA_HOME/glimmerwake/settings"
    grep -q '^mute=1$' "$settings" || fail "M was not remembered: $(cat "$settings" 2>&1)"
    grep -q '^board=$' "$settings" || fail "--board went into the settings: $(cat "$settings")"
    local score
    score=$(expect_board_game_proved)
    echo "sent: the game of $score is on the board and proves it; the menu's line is ${width} px"
}

case_waiting() {
    start_xvfb 1024x768x24
    # Nothing listens on port 1 of the loopback: the board is away.
    local try waiting
    for try in 1 2 3; do
        play_a_game "http://127.0.0.1:1"
        wait_for_unsent 20 && break
        end_game
    done
    [ "$(unsent_count)" = 1 ] || fail "$(unsent_count) games wait in $unsent, not 1"
    waiting=$(wait_for_board_line 20)
    [ "$waiting" -gt 0 ] || fail "no board line in the menu while a game waits"
    end_game
    [ "$(unsent_count)" = 1 ] || fail "$(unsent_count) games wait in $unsent, not 1"

    # The next run, with the board there, sends it at its start.
    start_board
    start_game "$source_dir" "$game" --window --board "http://127.0.0.1:$port"
    wait_for_window
    wait_for_menu_title
    local sent
    sent=$(wait_for_board_line 20)
    wait_for_games_on_board 45
    [ "$(games_on_board)" = 1 ] ||
        fail "the waiting game did not reach the board; the board said: $(cat "$work/board.log")"
    # The line has changed from "Board: waiting" to the shorter "Board: sent".
    sent=$(board_line_width)
    [ "$sent" -gt 0 ] && [ "$sent" -lt "$waiting" ] ||
        fail "the menu's line is $sent px wide once sent, $waiting px while waiting"
    end_game
    [ "$(unsent_count)" = 0 ] || fail "the sent game still waits in $unsent"
    local score
    score=$(expect_board_game_proved)
    echo "waiting: the game of $score waited in unsent/ (line ${waiting} px) and went out with the" \
        "next run (line ${sent} px)"
}

"case_$case_name"
