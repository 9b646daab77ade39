#!/usr/bin/env bash
# Sets up, builds and starts Glimmerwake. The game loads its images from Data/ below the
# working directory, so it is started from the top of the repository.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DGLIMMERWAKE_TESTS=OFF >/dev/null
cmake --build "$top/build-release" --target glimmerwake
cd "$top"
exec "$top/build-release/glimmerwake"
