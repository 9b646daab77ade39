#!/usr/bin/env bash
# Sets up, builds and runs every test of Glimmerwake, in stages: the whole suite in a normal
# build, then again with AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows build
# under Wine, then the fuzzers, then the browser build, then the score board beside a PostgreSQL
# of its own. Needs no display: the tests that play the real game start their own Xvfb, the
# others draw offscreen, the browser's run headless.
#
#     scripts/test.sh            every stage
#     scripts/test.sh STAGE...   only those, in that order (normal, sanitized, windows, fuzz,
#                                web, board)
#
# A stage that fails does not stop the ones after it; the script fails at the end if any did.
# To add a stage, write a function stage_NAME and add NAME to `stages`.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

stages=(normal sanitized windows fuzz web board)

stage_normal() {
    # The benchmarks and the trig check are built (not run), so that they keep compiling.
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERWAKE_ART=ON \
        -DGLIMMERWAKE_TRIG_CHECK=ON -DGLIMMERWAKE_BENCH=ON -DGLIMMERWAKE_BOARD=ON
    cmake --build "$top/build" -j "$jobs"
    # The board's tests run in their own stage, beside their database.
    cd "$top/build" && ctest --output-on-failure -j "$jobs" --timeout 600 -LE board
}

stage_sanitized() {
    cmake -S "$top" -B "$top/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGLIMMERWAKE_SANITIZE=ON
    cmake --build "$top/build-sanitize" -j "$jobs"
    # intercept_tls_get_addr=0: with it, LeakSanitizer's tracer in GCC 12's runtime can crash at
    # exit ("Tracer caught signal 11") over glibc's thread-local storage, in some memory layouts,
    # after every test of the binary has passed.
    export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0"
    cd "$top/build-sanitize" && ctest --output-on-failure -j "$jobs" --timeout 900
}

# The Windows build: cross-built with mingw-w64, its unit tests and its traces under Wine, the
# real game on Xvfb.
stage_windows() {
    "$top/scripts/test-windows.sh" "$top/build"
}

stage_fuzz() {
    "$top/scripts/fuzz.sh" "${GLIMMERWAKE_FUZZ_SECONDS:-60}"
}

# The browser build: built with emscripten, its node replay tool against the native one, the
# page in headless Chromium.
stage_web() {
    "$top/tests/web/run.sh" "$top/build"
}

# The score board: its unit and end-to-end tests on SQLite and on a real PostgreSQL 15 started
# here from Debian's packages (in a temporary folder, on a unix socket only), stopped when the
# stage ends however it ends.
stage_board() {
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERWAKE_BOARD=ON
    cmake --build "$top/build" -j "$jobs" --target glimmerwake-board glimmerwake_board_tests \
        glimmerwake glimmerwake-replay
    local postgres
    postgres=$(mktemp -d /tmp/glimmerwake-postgres.XXXXXX)
    chmod 755 "$postgres"
    # The folder is written into the trap now: the stage's locals are gone when its shell exits.
    # shellcheck disable=SC2064
    trap "'$top/tests/board/postgres.sh' stop '$postgres' || true; rm -rf '$postgres'" EXIT
    local setting
    while IFS= read -r setting; do
        export "${setting?}"
    done < <("$top/tests/board/postgres.sh" start "$postgres")
    cd "$top/build" && ctest --output-on-failure -j "$jobs" --timeout 600 -L board
}

chosen=("${stages[@]}")
if [ $# -gt 0 ]; then
    chosen=("$@")
fi
for stage in "${chosen[@]}"; do
    if ! declare -F "stage_$stage" >/dev/null; then
        echo "scripts/test.sh: no stage '$stage' (there are: ${stages[*]})" >&2
        exit 2
    fi
done

echo "==== installing what is missing"
"$top/scripts/install-deps.sh" test

# The CPU seconds of everything this script has run and waited for: with two cores busy, a
# stage takes about half of that on a machine of its own, however busy this one was.
clock_ticks=$(getconf CLK_TCK)
cpu_seconds() { awk -v hz="$clock_ticks" '{ printf "%d", ($16 + $17) / hz }' "/proc/$$/stat"; }

passed=()
failed=()
for stage in "${chosen[@]}"; do
    echo
    echo "==== stage $stage: $(date -u +%T) UTC"
    started=$SECONDS
    cpu_started=$(cpu_seconds)
    # Each stage in a shell of its own, so that its exports and cd stay there and the first
    # failing command ends it (not in an `if`, where bash would ignore set -e inside).
    set +e
    (set -e; "stage_$stage")
    status=$?
    set -e
    took="$((SECONDS - started)) s, $(($(cpu_seconds) - cpu_started)) s of CPU"
    if [ "$status" -eq 0 ]; then
        passed+=("$stage")
        echo "==== stage $stage passed in $took"
    else
        failed+=("$stage")
        echo "==== stage $stage FAILED after $took"
    fi
done

echo
echo "==== passed: ${passed[*]:-none}; failed: ${failed[*]:-none}"
echo "stages: ${#passed[@]} passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
