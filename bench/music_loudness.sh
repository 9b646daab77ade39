#!/usr/bin/env bash
# The music's loudness against the effects', by EBU R128 (ffmpeg's ebur128 filter):
#   music_loudness.sh BUILD_DIR [SCRIPT]
# measures every theme once through, as the mixer plays it, and a replayed game (the pilot's
# whole level by default) as heard with its effects alone, its music alone and both. Prints one
# line per file: integrated loudness (LUFS), loudness range (LU) and sample peak (dBFS).
set -euo pipefail
build=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
script=${2:-$source_dir/tests/tools/whole_level_1.replay}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {
    ffmpeg -hide_banner -nostats -i "$1" -af ebur128=peak=sample -f null - 2>&1 |
        awk -v name="$(basename "$1" .wav)" '
            /Summary:/ { summary = 1 }
            summary && $1 == "I:" { loudness = $2 }
            summary && $1 == "LRA:" { range = $2 }
            summary && $1 == "Peak:" { peak = $2 }
            END { printf "%-10s %7s LUFS %5s LU %6s dBFS\n", name, loudness, range, peak }'
}

cd "$source_dir"
"$build/glimmerwake-music-render" themes "$work"
"$build/glimmerwake-replay" --sounds "$work/sounds.txt" --music "$work/music.txt" "$script" \
    >/dev/null
"$build/glimmerwake-music-render" game "$work/sounds.txt" "$work/music.txt" "$work"
for name in menu level boss finale game_over paused effects music mix; do
    measure "$work/$name.wav"
done
