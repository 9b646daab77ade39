#!/usr/bin/env bash
# Sets up, builds and runs every test of Glimmerwake. Needs no display: the tests that play the
# real game start their own Xvfb, the others draw offscreen.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
jobs=$(nproc)
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERWAKE_ART=ON
cmake --build "$top/build" -j "$jobs"
cd "$top/build"
ctest --output-on-failure -j "$jobs" --timeout 600
