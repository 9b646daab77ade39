#!/usr/bin/env bash
# Sets up, builds and starts Glimmerwake. The game loads its images from Data/ below the
# working directory, so it is started from the top of the repository.
# GLIMMERWAKE_BUILD_ONLY=1 stops once the game is built (to check a machine without a display).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" play
cmake -S "$top" -B "$top/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DGLIMMERWAKE_TESTS=OFF >/dev/null
cmake --build "$top/build-release" --target glimmerwake
[ "${GLIMMERWAKE_BUILD_ONLY:-0}" = 1 ] && exit 0
cd "$top"
exec "$top/build-release/glimmerwake"
