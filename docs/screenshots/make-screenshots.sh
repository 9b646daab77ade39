#!/usr/bin/env bash
# Remakes the README's screenshots (docs/screenshots/*.png) from the key scripts beside them,
# with the replay tool's `shot`: the same scripts always give the same pictures.
#   docs/screenshots/make-screenshots.sh [REPLAY_TOOL]     (default: build/glimmerwake-replay)
# swarm.replay is the start of tests/tools/whole_level_3.replay, flown by glimmerwake-pilot: when
# scripts/renew-whole-level.sh renews that game, cut it again before a call where the swarm is near.
set -euo pipefail
repo_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
replay=$(realpath "${1:-$repo_dir/build/glimmerwake-replay}")
[ -x "$replay" ] || {
    echo "no replay tool at $replay: cmake --build build --target glimmerwake-replay" >&2
    exit 1
}
# The shots load the images from Data/ below the working directory.
cd "$repo_dir"
for script in docs/screenshots/*.replay; do
    "$replay" "$script" >/dev/null
    echo "made the shot of $script"
done
