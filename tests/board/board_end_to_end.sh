#!/usr/bin/env bash
# The board as its players and operators meet it: the real glimmerwake-board on 127.0.0.1, spoken
# to with curl (and a real headless Chromium for the page), one case a run, on either database.
#
#   api          every kind of bad upload gets its 4xx and stores nothing; good ones are kept,
#                served and refused a second time; daily runs go to their own board only on their
#                day; the rate limit and the cap on verifications answer 429 and 503
#   kill         the board SIGKILLed while uploads stream in, three times over: every
#                acknowledged upload is there after the restart, and every game has its recording
#   pg_restart   (postgresql) PostgreSQL stopped and started under load: 503s while it is away,
#                nothing acknowledged is lost, and the same board recovers without a restart
#   two_boards   (postgresql) two boards on one database keep one board
#   browser      names with markup and quotes are shown as text by a real browser
#
#   board_end_to_end.sh CASE sqlite|postgresql BOARD_PROGRAM SOURCE_DIR WORK_DIR
# postgresql needs GLIMMERWAKE_TEST_POSTGRES_HOST and _USER (tests/board/postgres.sh); without
# them the case is skipped (status 77).
set -euo pipefail
case_name=$1
database=$2
board=$(realpath "$3")
source_dir=$(realpath "$4")
work=$(realpath -m "$5/$case_name-$database")
rm -rf "$work"
mkdir -p "$work"
replays=$source_dir/tests/tools

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL ($case_name, $database): $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

psql_admin() {
    psql -X -q -v ON_ERROR_STOP=1 -h "$GLIMMERWAKE_TEST_POSTGRES_HOST" \
        -U "$GLIMMERWAKE_TEST_POSTGRES_USER" -d postgres "$@"
}

# The database the boards of this case share, made anew.
if [ "$database" = postgresql ]; then
    if [ -z "${GLIMMERWAKE_TEST_POSTGRES_HOST:-}" ]; then
        echo "no PostgreSQL for this run (scripts/test.sh board starts one)"
        exit 77
    fi
    db_name="board_e2e_${case_name}_$$"
    psql_admin -c "SET client_min_messages = warning" -c "DROP DATABASE IF EXISTS $db_name" \
        -c "CREATE DATABASE $db_name"
    store=(--database "postgresql://$GLIMMERWAKE_TEST_POSTGRES_USER@/$db_name?host=$GLIMMERWAKE_TEST_POSTGRES_HOST")
else
    store=(--data "$work/data")
fi

# start_board NAME [OPTION...]: starts a board on a free port of 127.0.0.1; sets port_NAME and
# pid_NAME.
start_board() {
    local name=$1
    shift
    "$board" "${store[@]}" --listen 127.0.0.1:0 --uploads-per-minute 0 "$@" \
        >"$work/$name.out" 2>"$work/$name.log" &
    local pid=$!
    pids+=("$pid")
    local waited
    for waited in $(seq 100); do
        if grep -q 'listening on' "$work/$name.out"; then
            printf -v "port_$name" '%s' "$(sed -n 's/.*:\([0-9]*\)$/\1/p' "$work/$name.out")"
            printf -v "pid_$name" '%s' "$pid"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || fail "board $name ended at its start"
        sleep 0.1
    done
    fail "board $name did not start listening in 10 s"
}

# variant FILE K: the recording FILE with K more calls at its end: another game, for K below
# about 150 (a few seconds later the idle ship is lost, and every longer variant is that game).
variant() {
    awk -v extra="$2" '/^end / { print "end " $2 + extra; next } { print }' "$1"
}

# upload PORT NAME FILE OUT: POSTs FILE as NAME's games; OUT.status gets the status, OUT the body.
upload() {
    curl -s -o "$4" -w '%{http_code}\n' --max-time 60 -H 'Content-Type: text/plain' \
        --data-binary "@$3" "http://127.0.0.1:$1/api/games?name=$(printf %s "$2" | jq -sRr @uri)" \
        >"$4.status" || echo 000 >"$4.status"
}

get() { curl -s --max-time 20 "http://127.0.0.1:$1$2"; }
get_status() { curl -s -o /dev/null -w '%{http_code}' --max-time 20 "http://127.0.0.1:$1$2" || true; }

count_free() { get "$1" "/api/scores?mode=free&limit=100" | jq '.scores | length'; }

# Every game acknowledged in the uploads whose OUT.status files are given is on the board behind
# PORT, with its recording. (curl writes OUT only when an answer came.)
expect_acknowledged_kept() {
    local port=$1
    shift
    local status out id acknowledged=0
    for status in "$@"; do
        [ "$(cat "$status")" = 201 ] || continue
        out=${status%.status}
        for id in $(jq '.games[].id' "$out"); do
            [ "$(get_status "$port" "/api/games/$id")" = 200 ] ||
                fail "game $id was acknowledged ($out) but is not on the board"
            acknowledged=$((acknowledged + 1))
        done
    done
    echo "$acknowledged"
}

# Every game on the free board has its recording: nothing half-stored.
expect_whole_games() {
    local port=$1 id
    for id in $(get "$port" "/api/scores?mode=free&limit=100" | jq '.scores[].id'); do
        [ "$(get_status "$port" "/api/games/$id")" = 200 ] || fail "game $id has no recording"
    done
}

expect_status() {
    local expected=$1 what=$2 out=$3
    [ "$(cat "$out.status")" = "$expected" ] ||
        fail "$what: status $(cat "$out.status") ($(cat "$out")), expected $expected"
    jq -e '.error | length > 0' "$out" >/dev/null 2>&1 || [ "$expected" = 201 ] ||
        fail "$what: no reason given: $(cat "$out")"
}

case_api() {
    start_board main --max-body 200000
    local port=$port_main
    upload "$port" Ada "$replays/whole_level_1.replay" "$work/ada"
    expect_status 201 "a whole level" "$work/ada"
    local id score
    id=$(jq '.games[0].id' "$work/ada")
    score=$(jq '.games[0].score' "$work/ada")
    [ "$score" -gt 0 ] || fail "the whole level scored $score"

    # The recording served is the one verified, and the same game is taken only once.
    get "$port" "/api/games/$id" >"$work/served.replay"
    grep -q '^#' "$work/served.replay" && fail "the served recording keeps comments"
    upload "$port" Mallory "$work/served.replay" "$work/again"
    expect_status 409 "the same game under another name" "$work/again"

    # A session sent after each of its games: the first game comes again in the longer
    # recording, and is kept once.
    awk '/^end / { print "end 4990"; next } $1 < 4990 || !/^[0-9]/ { print }' \
        "$replays/complete_game.replay" >"$work/session-1"
    upload "$port" Sam "$work/session-1" "$work/session-1.out"
    expect_status 201 "a session's first game" "$work/session-1.out"
    upload "$port" Sam "$replays/complete_game.replay" "$work/session-2.out"
    expect_status 201 "the session with its second game" "$work/session-2.out"
    [ "$(jq -c '[.games[].alreadyOnBoard]' "$work/session-2.out")" = '[true,false]' ] ||
        fail "the session's first game was not recognised: $(cat "$work/session-2.out")"
    [ "$(jq '.games[0].id' "$work/session-1.out")" = "$(jq '.games[0].id' "$work/session-2.out")" ] ||
        fail "the session's first game has two ids"
    local games_kept
    games_kept=$(count_free "$port")

    # Bad input, each refused with a reason, nothing stored.
    head -c 300000 /dev/zero | tr '\0' '#' >"$work/oversized"
    head -c 5000 /dev/zero | tr '\0' 'x' >"$work/no-newline"
    head -c 5000 /dev/urandom >"$work/binary"
    printf 'epoch 1781000000\n2 down RETURN\n3 up RETURN\n40 down SPACE\nend x\n' >"$work/malformed"
    printf 'epoch 1781000000\n2 down RETURN\nshot 10 /tmp/board-shot.png\nend 100\n' >"$work/shot"
    printf 'epoch 1781000000\n2 down RETURN\n3 up RETURN\nend 400000\n' >"$work/too-long"
    printf '{"name": "Ada", "score": 999999}\n' >"$work/forged"
    : >"$work/empty"
    # A daily run of 2020-01-01 (its epoch is that midnight), sent years too late.
    sed 's/^epoch .*/epoch 1577836800/' "$replays/whole_level_1.replay" >"$work/old-daily"
    local bad
    for bad in oversized:413 no-newline:400 binary:400 malformed:400 shot:400 too-long:413 \
        forged:400 empty:400 old-daily:422; do
        upload "$port" Eve "$work/${bad%%:*}" "$work/bad"
        expect_status "${bad##*:}" "upload $bad" "$work/bad"
    done
    [ ! -e /tmp/board-shot.png ] || fail "a shot line was taken"
    local query
    for query in "name=Eve&score=999999:400" "score=1:400" "name=:400" "name=a%0Ab:400" \
        "name=%1B%5B31m:400" "name=$(printf 'x%.0s' $(seq 40)):400" "name=%FF%FE:400" \
        "name=%E2%80%AEevil:400"; do
        curl -s -o "$work/bad" -w '%{http_code}' -H 'Content-Type: text/plain' \
            --data-binary "@$replays/whole_level_2.replay" \
            "http://127.0.0.1:$port/api/games?${query%:*}" >"$work/bad.status"
        expect_status "${query##*:}" "query $query" "$work/bad"
    done
    curl -s -o "$work/bad" -w '%{http_code}' -F "file=@$replays/whole_level_2.replay" \
        "http://127.0.0.1:$port/api/games?name=Eve" >"$work/bad.status"
    expect_status 415 "a form upload" "$work/bad"
    [ "$(count_free "$port")" = "$games_kept" ] || fail "a bad upload was stored"
    for query in "/api/scores?limit=1000:400" "/api/scores?mode=daily&day=2026-02-30:400" \
        "/api/scores?sort=name:400" "/api/games/abc:404" "/api/games/99999:404" \
        "/api/games/$id?x=1:400" "/api/health?verbose=1:400" "/nothing:404"; do
        [ "$(get_status "$port" "${query%:*}")" = "${query##*:}" ] || fail "GET ${query%:*}"
    done

    # Today's daily run is on today's daily board and nowhere else.
    local today midnight
    today=$(date -u +%F)
    midnight=$(date -u -d "$today" +%s)
    sed "s/^epoch .*/epoch $midnight/" "$replays/whole_level_1.replay" >"$work/daily"
    upload "$port" Daily "$work/daily" "$work/daily-out"
    expect_status 201 "today's daily run" "$work/daily-out"
    [ "$(get "$port" "/api/scores?mode=daily&day=$today" | jq -r '.scores[0].name')" = Daily ] ||
        fail "today's daily run is not on today's board"
    [ "$(count_free "$port")" = "$games_kept" ] || fail "the daily run went to the free board too"
    [ "$(get_status "$port" /api/health)" = 200 ] || fail "unhealthy"

    # The rate limit: two at once, then a third only after a minute.
    start_board limited --uploads-per-minute 1 --upload-burst 2
    local round
    for round in 1 2 3; do
        upload "$port_limited" Eve "$work/malformed" "$work/limited"
    done
    expect_status 429 "the third upload in a row" "$work/limited"
    [ "$(curl -s -o /dev/null -D - -H 'Content-Type: text/plain' --data-binary @"$work/malformed" \
        "http://127.0.0.1:$port_limited/api/games?name=Eve" | grep -ci '^retry-after')" = 1 ] ||
        fail "a 429 without Retry-After"

    # The cap on verifications: one runs, one waits, the others are turned away at once.
    start_board capped --verifiers 1 --waiting 1
    local k
    for k in 1 2 3 4 5; do
        variant "$replays/whole_level_3.replay" "$k" >"$work/cap-$k.replay"
        upload "$port_capped" "Cap $k" "$work/cap-$k.replay" "$work/cap-$k" &
        uploads+=($!)
    done
    wait_uploads
    local created busy
    created=$(cat "$work"/cap-?.status | grep -c 201 || true)
    busy=$(cat "$work"/cap-?.status | grep -c 503 || true)
    [ "$busy" -ge 1 ] && [ "$created" -ge 2 ] && [ $((created + busy)) = 5 ] ||
        fail "five uploads at once to one verifier: $created created, $busy turned away"
    echo "api: every bad input refused with its reason; $created of 5 uploads at once to one" \
        "verifier taken, $busy turned away with 503"
}

# Waits for the uploads started in the background (their pids in `uploads`); each ends within
# curl's --max-time.
uploads=()
wait_uploads() {
    local pid
    for pid in "${uploads[@]}"; do
        wait "$pid" || true
    done
    uploads=()
}

case_kill() {
    local round k acknowledged=0 attempts=0
    for round in 1 2 3; do
        start_board main
        for k in $(seq 8); do
            variant "$replays/whole_level_$((k % 3 + 1)).replay" "$((round * 10 + k))" \
                >"$work/kill-$round-$k.replay"
            upload "$port_main" "K$round-$k" "$work/kill-$round-$k.replay" "$work/kill-$round-$k.out" &
            uploads+=($!)
        done
        # Killed once `round` + 1 of them are acknowledged, the others still on their way.
        local waited
        for waited in $(seq 300); do
            [ "$(cat "$work"/kill-"$round"-*.out.status 2>/dev/null | grep -c 201)" -gt "$round" ] &&
                break
            sleep 0.1
        done
        kill -KILL "$pid_main"
        wait "$pid_main" 2>/dev/null || true
        wait_uploads
        attempts=$((attempts + 8))
    done
    start_board main
    acknowledged=$(expect_acknowledged_kept "$port_main" "$work"/kill-*.out.status)
    expect_whole_games "$port_main"
    echo "kill: $acknowledged of $attempts uploads were acknowledged before the SIGKILLs, and" \
        "all of them are on the board after the restart"
}

case_pg_restart() {
    [ "$database" = postgresql ] || fail "pg_restart needs postgresql"
    start_board main
    local port=$port_main k
    # Two streams of uploads, one after another in each, while the database goes away: they go
    # on until it is back, however fast the board verifies (at most 250 each: each level's
    # ship outlives that many more calls, so every one is another game).
    rm -f "$work/db-back"
    for stream in 1 2; do
        (
            for k in $(seq 250); do
                variant "$replays/whole_level_$stream.replay" "$k" \
                    >"$work/pg-$stream-$k.replay"
                upload "$port" "P$stream-$k" "$work/pg-$stream-$k.replay" "$work/pg-$stream-$k.out"
                [ -e "$work/db-back" ] && break
            done
        ) &
        uploads+=($!)
    done
    sleep 1
    "$source_dir/tests/board/postgres.sh" stop "$GLIMMERWAKE_TEST_POSTGRES_HOST"
    local health_away
    health_away=$(get_status "$port" /api/health)
    sleep 1.5
    "$source_dir/tests/board/postgres.sh" restart "$GLIMMERWAKE_TEST_POSTGRES_HOST"
    touch "$work/db-back"
    wait_uploads
    [ "$health_away" = 503 ] || fail "health said $health_away with the database away"
    local statuses
    statuses=$(cat "$work"/pg-*.out.status | sort | uniq -c | tr '\n' ' ')
    grep -qv -e 201 -e 503 "$work"/pg-*.out.status && fail "statuses other than 201 and 503: $statuses"
    grep -q 503 "$work"/pg-*.out.status || fail "no upload met the database away: $statuses"
    # The same board, never restarted, takes uploads again.
    upload "$port" After "$replays/whole_level_3.replay" "$work/after"
    expect_status 201 "an upload once the database is back" "$work/after"
    [ "$(get_status "$port" /api/health)" = 200 ] || fail "not healthy once the database is back"
    local acknowledged
    acknowledged=$(expect_acknowledged_kept "$port" "$work"/pg-*.out.status)
    expect_whole_games "$port"
    echo "pg_restart: statuses $statuses; all $acknowledged acknowledged games kept; the board" \
        "recovered without a restart"
}

case_two_boards() {
    [ "$database" = postgresql ] || fail "two_boards needs postgresql"
    start_board a
    start_board b
    local k
    for k in 1 2 3 4; do
        variant "$replays/whole_level_$((k % 3 + 1)).replay" "$k" >"$work/two-$k.replay"
        if [ $((k % 2)) = 0 ]; then
            upload "$port_a" "Two $k" "$work/two-$k.replay" "$work/two-$k" &
            uploads+=($!)
        else
            upload "$port_b" "Two $k" "$work/two-$k.replay" "$work/two-$k" &
            uploads+=($!)
        fi
    done
    # The same game sent to both at once is taken once.
    upload "$port_a" Same "$replays/whole_level_2.replay" "$work/same-a" &
    uploads+=($!)
    upload "$port_b" Same "$replays/whole_level_2.replay" "$work/same-b" &
    uploads+=($!)
    wait_uploads
    local pair
    pair=$(cat "$work/same-a.status" "$work/same-b.status" | sort | tr '\n' ' ')
    [ "$pair" = "201 409 " ] || fail "one game sent to two boards at once: $pair"
    [ "$(get "$port_a" "/api/scores?limit=100")" = "$(get "$port_b" "/api/scores?limit=100")" ] ||
        fail "the two boards show different boards"
    [ "$(count_free "$port_a")" = 5 ] || fail "$(count_free "$port_a") games on the board, not 5"
    echo "two_boards: one board seen from both; the same game sent to both at once taken once"
}

case_browser() {
    start_board main
    local names=("<img src=x onerror=alert(1)>" "\"><script>alert(1)</script>"
        "<svg onload=document.title=7>" "Robert'); DROP TABLE games;--" "&amp; &lt;b&gt; \\\" '")
    local k
    for k in 0 1 2 3 4; do
        variant "$replays/whole_level_$((k % 3 + 1)).replay" "$k" >"$work/name-$k.replay"
        upload "$port_main" "${names[$k]}" "$work/name-$k.replay" "$work/name-$k"
        expect_status 201 "the name ${names[$k]}" "$work/name-$k"
    done
    # Without its sandbox: it needs user namespaces or a setuid helper, which a CI root may lack,
    # and the only page it opens is the board's own, on 127.0.0.1.
    local sandbox=(--no-sandbox)
    timeout 60 chromium --headless=new "${sandbox[@]}" --disable-gpu --user-data-dir="$work/chromium" \
        --virtual-time-budget=10000 --dump-dom "http://127.0.0.1:$port_main/" \
        >"$work/page.html" 2>"$work/chromium.log" || fail "chromium failed"
    grep -q 'data-loaded="yes"' "$work/page.html" || fail "the page did not load the boards"
    grep -q '<title>Glimmerwake: the board</title>' "$work/page.html" || fail "a name ran script"
    grep -qi -e '<img' -e '<svg' -e '<script>alert' "$work/page.html" && fail "a name became markup"
    # Each name is in its cell as the text it is (the DOM writes its markup characters escaped).
    local escaped
    for k in 0 1 2 3 4; do
        escaped=$(printf '%s' "${names[$k]}" | sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g')
        grep -qF "<td class=\"name\">$escaped</td>" "$work/page.html" ||
            fail "the name ${names[$k]} is not shown as its text"
    done
    grep -q 'no browser build on this board' "$work/page.html" ||
        fail "the watch cells do not say the browser build is missing"

    # With the browser build beside it, the board serves it at /play/ and links every game to it.
    mkdir -p "$work/site"
    echo '<!doctype html><title>the browser build</title>' >"$work/site/index.html"
    printf '\0asm' >"$work/site/glimmerwake.wasm"
    kill "$pid_main"
    start_board site --site "$work/site"
    [ "$(get "$port_site" /play/)" = "$(cat "$work/site/index.html")" ] || fail "/play/ is not the site"
    curl -s -D - -o /dev/null "http://127.0.0.1:$port_site/play/glimmerwake.wasm" |
        grep -qi '^content-type: application/wasm' || fail "the site's WebAssembly has the wrong type"
    [ "$(get "$port_site" /api/health | jq .site)" = true ] || fail "health does not see the site"
    timeout 60 chromium --headless=new "${sandbox[@]}" --disable-gpu --user-data-dir="$work/chromium" \
        --virtual-time-budget=10000 --dump-dom "http://127.0.0.1:$port_site/" \
        >"$work/site.html" 2>"$work/chromium.log" || fail "chromium failed"
    local id
    id=$(jq '.games[0].id' "$work/name-0")
    grep -qF "href=\"/play/?watch=/api/games/$id\">watch</a>" "$work/site.html" ||
        fail "no watch link to game $id"
    echo "browser: five hostile names shown as text in Chromium, no markup of theirs in the page;" \
        "with the browser build, every game links to it to be watched"
}

"case_$case_name"
