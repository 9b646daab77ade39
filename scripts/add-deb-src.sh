#!/usr/bin/env bash
# The builds that make libraries from Debian's own sources (scripts/build-windows.sh,
# scripts/build-web.sh) need `apt-get source`, and that needs a deb-src line for the archive apt
# already installs from. Takes it from the machine's own sources: every "deb" entry again as
# "deb-src", in a file of our own. Does nothing where there is one already.
set -euo pipefail
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ && exit 0
echo "Adding deb-src entries for the configured archives"
if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
    for sources in /etc/apt/sources.list.d/*.sources; do
        sed -E 's/^Types:.*/Types: deb-src/' "$sources"
        echo
    done | $sudo tee /etc/apt/sources.list.d/glimmerwake-deb-src.sources >/dev/null
fi
if [ -s /etc/apt/sources.list ]; then
    sed -nE 's/^deb[[:space:]]/deb-src /p' /etc/apt/sources.list |
        $sudo tee /etc/apt/sources.list.d/glimmerwake-deb-src.list >/dev/null
fi
$sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
