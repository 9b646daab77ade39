#!/usr/bin/env bash
# The browser build's tests: builds the site and the node replay tool (scripts/build-web.sh), the
# native replay tool they are compared with, installs puppeteer-core from npm into the build
# folder (it drives the system's Chromium and downloads no browser), then runs the node tool's
# trace tests and the page's tests in headless Chromium with node's test runner.
#     tests/web/run.sh [NATIVE_BUILD_DIR]     default build/, where the normal stage builds
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
native=$(realpath -m "${1:-$top/build}")
web=${GLIMMERWAKE_WEB_BUILD:-$top/build-web}

GLIMMERWAKE_WEB_BUILD=$web "$top/scripts/build-web.sh"

# Only the native replay tool: the rest of the native build is the other stages' business. A
# folder already configured keeps its generator.
generator=()
[ -f "$native/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$top" -B "$native" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2
cmake --build "$native" --target glimmerwake-replay -j "$jobs"

# puppeteer-core at the versions the lock file names, installed once per build folder.
modules=$web/node
if ! cmp -s "$top/tests/web/package-lock.json" "$modules/package-lock.json"; then
    rm -rf "$modules"
    mkdir -p "$modules"
    cp "$top/tests/web/package.json" "$top/tests/web/package-lock.json" "$modules/"
    # Debian's node trusts the system's certificate authorities; a node built elsewhere
    # (NodeSource's) only its own list, so that behind an HTTPS proxy whose authority the machine
    # added to the system's list its npm would refuse the registry. It is given the system's too.
    system_authorities=/etc/ssl/certs/ca-certificates.crt
    if [ -z "${NODE_EXTRA_CA_CERTS:-}" ] && [ -f "$system_authorities" ]; then
        export NODE_EXTRA_CA_CERTS=$system_authorities
    fi
    (cd "$modules" && npm ci --no-audit --no-fund --loglevel=error)
fi

# The browser's trace writer takes its float texts from our own formatter: natively, where the
# library's std::to_chars is there, the two must agree on every float tried.
g++ -O2 -std=c++17 -Wall -Wextra -I"$top" "$top/tests/web/shortest_float_check.cpp" \
    "$top/shell/web/shortest_float.cpp" -o "$web/shortest_float_check"
status=0
"$web/shortest_float_check" || status=1

export GLIMMERWAKE_SOURCE=$top
export GLIMMERWAKE_NATIVE_REPLAY=$native/glimmerwake-replay
export GLIMMERWAKE_NODE_REPLAY=$web/glimmerwake-replay.js
export GLIMMERWAKE_WEB_SITE=$web/site
export GLIMMERWAKE_WEB_MODULES=$modules/node_modules
cd "$top/tests/web"
# One file at a time (node 18's runner would run them side by side), both whatever the first gave.
node --test node_replay_test.mjs || status=1
node --test browser_test.mjs || status=1
exit $status
