#!/usr/bin/env bash
# A PostgreSQL 15 of the tests' own, from Debian's packages: a cluster in a folder, answering
# only on a unix socket in that folder (no TCP port at all), run as an unprivileged user (nobody
# when the tests run as root, as PostgreSQL will not run as root).
#
#     tests/board/postgres.sh start DIR    prints the lines GLIMMERWAKE_TEST_POSTGRES_HOST=...
#                                          and GLIMMERWAKE_TEST_POSTGRES_USER=... to export
#     tests/board/postgres.sh stop DIR     stops it (fast: sessions are ended)
#     tests/board/postgres.sh restart DIR  starts it again after a stop, same cluster
set -euo pipefail
bin=/usr/lib/postgresql/15/bin
command=$1
dir=$(realpath -m "$2")

as_owner=()
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
    owner=nobody
    as_owner=(runuser -u "$owner" --)
fi

start() {
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/cluster" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c max_connections=200" \
        start >/dev/null
}

case $command in
start)
    mkdir -p "$dir"
    [ "$(id -u)" -ne 0 ] || chown "$owner" "$dir"
    # Trust on the socket alone: only this machine's users reach the folder.
    "${as_owner[@]}" "$bin/initdb" -D "$dir/cluster" -U "$owner" -A trust --no-sync \
        >"$dir/initdb.log" 2>&1 || {
        cat "$dir/initdb.log" >&2
        exit 1
    }
    start
    echo "GLIMMERWAKE_TEST_POSTGRES_HOST=$dir"
    echo "GLIMMERWAKE_TEST_POSTGRES_USER=$owner"
    ;;
restart) start ;;
stop) "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/cluster" -m fast -w stop >/dev/null ;;
*)
    echo "usage: tests/board/postgres.sh start|stop|restart DIR" >&2
    exit 2
    ;;
esac
