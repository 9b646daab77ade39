#!/usr/bin/env bash
# Sets up, builds and runs every test of Glimmerwake: the whole suite in a normal build, then
# again with AddressSanitizer and UndefinedBehaviorSanitizer. Needs no display: the tests that
# play the real game start their own Xvfb, the others draw offscreen.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
jobs=$(nproc)

cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERWAKE_ART=ON
cmake --build "$top/build" -j "$jobs"
(cd "$top/build" && ctest --output-on-failure -j "$jobs" --timeout 600)

echo "== the same suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLIMMERWAKE_SANITIZE=ON
cmake --build "$top/build-sanitize" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0"
(cd "$top/build-sanitize" && ctest --output-on-failure -j "$jobs" --timeout 900)

echo "== the Windows build: cross-built, its unit tests and traces under Wine, the game on Xvfb"
"$top/scripts/test-windows.sh" "$top/build"

echo "== fuzzing the image decoder and the replay script reader"
"$top/scripts/fuzz.sh" "${GLIMMERWAKE_FUZZ_SECONDS:-60}"
