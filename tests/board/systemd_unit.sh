#!/usr/bin/env bash
# The board's service as the package installs it: its systemd unit passes systemd-analyze verify
# (with ExecStart pointed at the built program), its hardening rates "OK" in systemd's offline
# security review, and its sysusers.d line makes a user without a login.
#
#   systemd_unit.sh UNIT BOARD_PROGRAM SYSUSERS WORK_DIR
set -euo pipefail
unit=$(realpath "$1")
board=$(realpath "$2")
sysusers=$(realpath "$3")
work=$(realpath -m "$4/systemd")
rm -rf "$work"
mkdir -p "$work/root/etc"
# The highest exposure systemd's review calls "OK" (on its scale of 0, safe, to 10).
highest_exposure=2.0

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

installed_program=$(sed -n 's/^ExecStart=\([^ ]*\).*/\1/p' "$unit")
sed "s#^ExecStart=$installed_program#ExecStart=$board#" "$unit" >"$work/glimmerwake-board.service"
systemd-analyze verify "$work/glimmerwake-board.service" >"$work/verify.log" 2>&1 ||
    fail "systemd-analyze verify: $(cat "$work/verify.log")"
[ ! -s "$work/verify.log" ] || fail "systemd-analyze verify warns: $(cat "$work/verify.log")"

exposure=$(systemd-analyze security --offline=true "$work/glimmerwake-board.service" 2>&1 |
    sed -n 's/.*Overall exposure level for glimmerwake-board.service: \([0-9.]*\).*/\1/p')
[ -n "$exposure" ] || fail "systemd-analyze security gave no exposure level"
awk -v level="$exposure" -v most="$highest_exposure" 'BEGIN { exit !(level <= most) }' ||
    fail "exposure $exposure, more than $highest_exposure"

touch "$work/root/etc/passwd" "$work/root/etc/group"
systemd-sysusers --root="$work/root" "$sysusers" >/dev/null 2>&1 || fail "systemd-sysusers"
grep -q '^glimmerwake-board:x:[0-9]*:[0-9]*:.*:/var/lib/glimmerwake-board:/usr/sbin/nologin$' \
    "$work/root/etc/passwd" || fail "no user without a login: $(cat "$work/root/etc/passwd")"
echo "the unit verifies, its exposure is $exposure (at most $highest_exposure), its user has no login"
