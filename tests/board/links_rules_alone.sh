#!/usr/bin/env bash
# Fails when the board's program needs anything of a player's machine: a library of OpenGL, a
# window system, images or fonts, or a symbol of them or of the game's platform seam. The board
# replays games with the rules and the replay library alone, so a server without a screen, a GPU
# or their libraries runs it.
#
#     tests/board/links_rules_alone.sh glimmerwake-board
set -euo pipefail
program=$1

libraries=$(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }')
[ -n "$libraries" ] || { echo "no libraries listed for $program" >&2; exit 1; }
wrong_libraries=$(echo "$libraries" |
    grep -E '^lib(GL|GLU|GLX|EGL|OpenGL|SDL|X11|Xext|xcb|png|freetype|fontconfig)' || true)

machine='^(gl[A-Z]|glu[A-Z]|glX[A-Z]|egl[A-Z]|SDL_|X[A-Z][a-z]|png_|FT_|Fc[A-Z])'
seam='^(keyDown|tickCount|waitSince|calendarSeconds|swapBuffers|postQuitMessage|playSound|buildFontBitmaps|readSmallFile|dataRoot)\('
wrong_symbols=$(nm -C "$program" 2>/dev/null | sed -E 's/^[0-9a-f ]{16} . //; s/^ +U //' |
    grep -E "$machine|$seam" || true)
if [ -n "$wrong_libraries$wrong_symbols" ]; then
    echo "the board needs what only a player's machine gives:" >&2
    echo "$wrong_libraries$wrong_symbols" >&2
    exit 1
fi
echo "the board links $(echo "$libraries" | grep -c .) libraries, none of a window, OpenGL," \
    "images or fonts, and no symbol of the platform seam"
