#!/usr/bin/env bash
# The Windows build's tests, run on Linux: cross-builds everything (scripts/build-windows.sh
# --tests), runs the unit tests that make sense on Windows through Wine, compares the Windows
# replay tool's traces byte for byte with the Linux one's on every key script the project has
# and on soak play, plays the real glimmerwake.exe on two Xvfb screens (tests/windows/
# wine_desktop.sh), checks its command line, recording, watching, focus pause and pads against
# the Linux build (tests/windows/desktop_session.sh), reads its resources back
# (tests/windows/resources.sh), and installs and uninstalls it with glimmerwake-setup.exe
# (tests/windows/installer.sh). Uses Wine prefixes of its own in the build directory, never
# ~/.wine.
#   scripts/test-windows.sh [LINUX_BUILD_DIR]     default build/, configured if it is not there
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${GLIMMERWAKE_WINDOWS_BUILD:-$top/build-windows}
linux=${1:-$top/build}
work=$out/test-runs
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

"$top/scripts/install-deps.sh"
"$top/scripts/build-windows.sh" --tests

export WINEPREFIX=$out/wine-prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask in a dialog.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.glimmerwake-ready" ]; then
    echo "== a Wine prefix of our own in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >"$out/wineboot.log" 2>&1
    # Wine has no "Courier New" and would silently take a proportional face for the game's text.
    timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ \
        /d 'Liberation Mono' /f >>"$out/wineboot.log" 2>&1
    # A crash must end the run, not wait for someone to close Wine's crash dialog.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >>"$out/wineboot.log" 2>&1
    timeout 60 wineserver -w
    touch "$WINEPREFIX/.glimmerwake-ready"
fi
# One server for all the runs: each program then starts in a tenth of a second, not in seconds.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
# The first Windows program started on a new server starts Wine's own services, which inherit its
# standard output and hold it open: started under CTest, that program would seem never to end.
# Start them here, writing to a file.
timeout 60 wine cmd /c exit >"$out/wine-services.log" 2>&1
rm -rf "$work"
mkdir -p "$work"

echo "== the unit tests under Wine"
(cd "$out" && ctest --output-on-failure --timeout 300)

echo "== the Windows replay tool's traces against the Linux one's"
[ -f "$linux/CMakeCache.txt" ] ||
    cmake -S "$top" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build "$linux" -j "$jobs" --target glimmerwake glimmerwake-replay glimmerwake-soak
scripts=()
while IFS= read -r script; do
    scripts+=("$script")
done < <(find "$top/tests" -name '*.replay' | sort)
for seed in 1 2 3; do
    "$linux/tests/glimmerwake-soak" script "$seed" 20000 >"$work/soak-$seed.replay"
    scripts+=("$work/soak-$seed.replay")
done
differing=0
for script in "${scripts[@]}"; do
    name=$(basename "$script" .replay)
    # Only the traces are compared: shots are the Linux tool's alone, and left out of both runs.
    grep -v '^shot ' "$script" >"$work/$name.traced.replay"
    script=$work/$name.traced.replay
    "$linux/glimmerwake-replay" "$script" >"$work/$name.linux.trace"
    # Wine writes the program's output to a file much faster than to a pipe or /dev/null.
    timeout 300 wine "$out/glimmerwake-replay.exe" "$script" >"$work/$name.windows.trace" \
        2>"$work/$name.windows.err"
    if cmp -s "$work/$name.linux.trace" "$work/$name.windows.trace"; then
        echo "same: $name ($(wc -l <"$work/$name.linux.trace") calls)"
        continue
    fi
    differing=$((differing + 1))
    line=$(cmp "$work/$name.linux.trace" "$work/$name.windows.trace" | awk '{print $NF}' || true)
    # Rings (kind 6) and splitters move by sine and cosine, whose last bit may differ between C
    # libraries: say whether any was in play before the first difference.
    drifting=$(head -n "${line:-1}" "$work/$name.linux.trace" |
        grep -c -e '"kind":6' -e '"splitters":\[{' || true)
    echo "DIFFERENT: $name from line ${line:-?} (lines with rings or splitters before it: $drifting)"
done
[ "$differing" -eq 0 ] || { echo "FAIL: $differing traces differ (in $work)" >&2; exit 1; }

echo "== the real glimmerwake.exe on Xvfb"
wineserver -k 2>/dev/null || true
for case_name in fullscreen windowed; do
    "$top/tests/windows/wine_desktop.sh" "$case_name" "$out/glimmerwake.exe" "$top" "$work/desktop"
done

echo "== the game's resources"
"$top/tests/windows/resources.sh" "$out/glimmerwake.exe" "$top" "$work"

echo "== the command line, recording, watching, focus and pads against the Linux build"
for case_name in command_line record_focus watch pads; do
    "$top/tests/windows/desktop_session.sh" "$case_name" "$out/glimmerwake.exe" \
        "$out/tests/windows/xinput1_4.dll" "$linux" "$top" "$work/session"
done
wineserver -k 2>/dev/null || true

echo "== the installer"
"$top/tests/windows/installer.sh" "$out/glimmerwake-setup.exe" "$WINEPREFIX" "$top" "$work"
echo "== Windows: all passed"
