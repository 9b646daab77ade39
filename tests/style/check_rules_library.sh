#!/usr/bin/env bash
# Fails when the rules library needs anything of a machine: a symbol of OpenGL, GLU or EGL, SDL,
# X11, Windows, libpng, FreeType or fontconfig, or a function of the platform seam. What it needs
# from outside itself may come from the C and C++ libraries alone, so a server or a browser worker
# links it with nothing else.
#
#     tests/style/check_rules_library.sh libglimmerwake_rules.a
set -euo pipefail
archive=$1

defined=$(nm -C --defined-only "$archive" 2>/dev/null | awk 'NF >= 3 { $1 = ""; $2 = ""; sub(/^  /, ""); print }' | sort -u)
needed=$(nm -C -u "$archive" 2>/dev/null | awk '$1 == "U" { $1 = ""; sub(/^ /, ""); print }' | sort -u)
outside=$(comm -23 <(echo "$needed") <(echo "$defined"))

machine='^(gl[A-Z]|glu[A-Z]|egl[A-Z]|SDL_|X[A-Z]|png_|FT_|Fc[A-Z]|__imp_|wgl[A-Z])'
seam='^(keyDown|tickCount|waitSince|calendarSeconds|swapBuffers|postQuitMessage|playSound|buildFontBitmaps|readSmallFile|dataRoot)\('
wrong=$(echo "$outside" | grep -E "$machine|$seam" || true)
if [ -n "$wrong" ]; then
    echo "the rules library needs what only a machine gives:" >&2
    echo "$wrong" >&2
    exit 1
fi
if [ -z "$defined" ]; then
    echo "no symbols defined in $archive" >&2
    exit 1
fi
echo "the rules library needs $(echo "$outside" | grep -c .) symbols from outside, none of a machine"
