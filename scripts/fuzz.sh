#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer and the address, leak and undefined-behaviour sanitizers
# (in build-fuzz/, a CMake tree with GLIMMERWAKE_FUZZ on and clang), then runs each for SECONDS
# (default 60), one after the other, on a fresh copy of its seed corpus in fuzz/corpus/ (the copy
# grows; the seeds stay as committed). Fails when any target crashes, hangs for 10 s on one input,
# leaks, runs out of memory or trips a sanitizer; the input that did it is kept under
# build-fuzz/artifacts/ with the command that replays it.
#
#     scripts/fuzz.sh [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [SECONDS]   (seconds per target, default 60)" >&2
    exit 2
fi

"$top/scripts/install-deps.sh" test
out="$top/build-fuzz"
mkdir -p "$out"

echo "Building the fuzz targets in $out"
cmake -S "$top" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DGLIMMERWAKE_FUZZ=ON -DGLIMMERWAKE_TESTS=OFF >"$out/configure.log" ||
    { cat "$out/configure.log"; exit 1; }
cmake --build "$out" --target png_decode_fuzzer replay_script_fuzzer score_table_fuzzer
bin="$out/fuzz"

# run TARGET CORPUS MAX_LEN: fuzzes TARGET for $seconds; fails as the fuzzer does.
run() {
    local target=$1 corpus=$2 max_len=$3
    local work="$out/corpus/$corpus" artifacts="$out/artifacts/$corpus" log="$out/$corpus.log"
    rm -rf "$work" "$artifacts"
    mkdir -p "$work" "$artifacts"
    cp "$top/fuzz/corpus/$corpus/"* "$work/"
    echo "Fuzzing $target for $seconds s (log: $log)"
    local status=0
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -dict="$top/fuzz/$corpus.dict" -artifact_prefix="$artifacts/" \
        -print_final_stats=1 "$work" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        for input in "$artifacts"/*; do
            [ -e "$input" ] && echo "FAILED: $target on $input; replay: $bin/$target $input"
        done
        return "$status"
    fi
    # The last status line and the totals: executions, coverage, corpus size.
    grep -E '^#[0-9]+' "$log" | tail -n 1
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log"
}

failed=0
run png_decode_fuzzer png 8192 || failed=1
run replay_script_fuzzer replay 4096 || failed=1
run score_table_fuzzer scores 8192 || failed=1
if [ "$failed" -ne 0 ]; then
    echo "fuzzing found a fault" >&2
    exit 1
fi
echo "fuzzing found nothing in $seconds s per target"
