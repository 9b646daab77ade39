#!/usr/bin/env bash
# The game as a user installs it, one case a run:
#   staged  `cmake --install` into a staging root (DESTDIR): every file in place, the menu entry
#           and AppStream file valid, the manual readable; the installed game, started from `/`,
#           draws its menu backdrop; a copy of it with no images beside it says where it looked
#   deb     `cpack -G DEB`: the package declares what the game needs at run time, apt can
#           install it, and the game unpacked from it, started from `/`, draws its backdrop
#   installed_game.sh CASE BUILD_DIR SOURCE_DIR WORK_DIR
set -euo pipefail
case_name=$1
build_dir=$(realpath "$2")
source_dir=$(realpath "$3")
work=$(realpath -m "$4/$case_name")
rm -rf "$work"
mkdir -p "$work"
# shellcheck source=tests/shell/xvfb_session.sh
. "$source_dir/tests/shell/xvfb_session.sh"

app_id=org.glimmerwake.Glimmerwake

# The menu's backdrop is deep blue night, brightest round the tunnel's mouth on the right; a menu
# without its image is flat grey. Looks at the night on the left, between the menu entries.
backdrop_drawn() {
    import -window "$window" "$work/menu.png"
    convert "$work/menu.png" -crop 200x150+250+180 +repage \
        -format '%[fx:int(1000*mean.r)] %[fx:int(1000*mean.g)] %[fx:int(1000*mean.b)]' info:
}

# Starts ROOT/usr/bin/glimmerwake from `/` and expects its menu with the backdrop, then chooses
# Quit and expects status 0 with nothing on standard error.
play_installed_from_root() {
    local root=$1
    start_xvfb 1024x768x24
    start_game / "$root/usr/bin/glimmerwake"
    wait_for_window
    wait_for_menu_title
    local r g b
    read -r r g b <<<"$(backdrop_drawn)"
    [ "$b" -gt $((r + 40)) ] && [ "$b" -lt 400 ] ||
        fail "no menu backdrop (mean r g b $r $g $b of 1000 where the night sky should be)"
    hold Down
    hold Return
    # Generous: on a loaded machine Xvfb can take seconds to answer the last frames.
    wait_for_exit 30
    [ "$game_status" = 0 ] || fail "the installed game ended with status $game_status"
    [ ! -s "$work/game.log" ] || fail "the installed game printed: $(cat "$work/game.log")"
    echo "installed game from /: menu backdrop drawn (mean r g b $r $g $b), status 0"
}

expect_files() {
    local root=$1
    local file
    for file in usr/bin/glimmerwake usr/bin/glimmerwake-replay \
        usr/share/games/glimmerwake/Data/Menu.png \
        usr/share/games/glimmerwake/Data/Ship/Ship1.png \
        usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
        usr/share/man/man6/glimmerwake.6 \
        usr/share/icons/hicolor/scalable/apps/glimmerwake.svg; do
        [ -f "$root/$file" ] || fail "not installed: /$file"
    done
    local size
    for size in 16 24 32 48 64 128 256 512; do
        local icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/glimmerwake.png"
        [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
            fail "no ${size}x${size} icon"
    done
    local images
    images=$(find "$root/usr/share/games/glimmerwake/Data" -name '*.png' | wc -l)
    [ "$images" = "$(find "$source_dir/Data" -name '*.png' | wc -l)" ] ||
        fail "$images images installed"
}

validate_metadata() {
    local root=$1
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
        fail "the desktop entry does not validate"
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "the AppStream file does not validate"
    # The menu entry starts what is installed, by the name on PATH.
    local exec
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root/usr/share/applications/$app_id.desktop")
    [ -x "$root/usr/bin/$exec" ] || fail "the menu entry runs '$exec', which is not installed"
    grep -q '^Categories=Game;ArcadeGame;$' "$root/usr/share/applications/$app_id.desktop" ||
        fail "the menu entry is not in Game;ArcadeGame;"
    if command -v groff >/dev/null; then
        local warnings
        warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z "$root/usr/share/man/man6/glimmerwake.6" 2>&1)
        [ -z "$warnings" ] || fail "the manual page: $warnings"
    fi
    local section
    for section in KEYS FILES 'EXIT STATUS'; do
        grep -q "^\.SH $section\$" "$root/usr/share/man/man6/glimmerwake.6" ||
            fail "the manual page has no $section"
    done
    echo "desktop entry, AppStream file and manual page valid"
}

case_staged() {
    local root="$work/root"
    DESTDIR="$root" cmake --install "$build_dir" --prefix /usr >"$work/install.log" ||
        fail "cmake --install failed: $(tail -5 "$work/install.log")"
    expect_files "$root"
    validate_metadata "$root"
    play_installed_from_root "$root"
    # The program alone, with no images beside it and none below the working directory.
    mkdir -p "$work/elsewhere/bin" "$work/empty"
    cp "$root/usr/bin/glimmerwake" "$work/elsewhere/bin/"
    start_game "$work/empty" "$work/elsewhere/bin/glimmerwake"
    wait_for_window
    wait_for_menu_title
    hold Down
    hold Return
    wait_for_exit 30
    [ "$game_status" = 0 ] || fail "without images the game ended with status $game_status"
    local expected="glimmerwake: no images in $work/empty/Data nor in"
    expected+=" $work/elsewhere/share/games/glimmerwake/Data; playing without them"
    [ "$(cat "$work/game.log")" = "$expected" ] ||
        fail "not the one line that says where the images were looked for"
    echo "no images anywhere: one line on standard error, the game plays without them"
}

case_deb() {
    (cd "$work" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
        fail "cpack failed: $(tail -20 "$work/cpack.log")"
    local deb
    deb=$(find "$work" -maxdepth 1 -name 'glimmerwake_*.deb' | head -1)
    [ -n "$deb" ] || fail "cpack made no glimmerwake_*.deb: $(ls "$work")"
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    local needed
    for needed in libsdl2-2.0-0 libgl1 libglu1-mesa libpng16-16 libfreetype6 libfontconfig1 \
        libgl1-mesa-dri fonts-liberation2 xfonts-base; do
        grep -Eq "(^|[ ,|])$needed([ ,(]|\$)" <<<"$depends" ||
            fail "the package does not depend on $needed: $depends"
    done
    echo "Depends: $depends"
    # apt resolves those against the machine's package lists and would install it.
    if command -v apt-get >/dev/null && [ -n "$(ls /var/lib/apt/lists/ 2>/dev/null | grep -v lock)" ]; then
        apt-get install -s "$deb" >"$work/apt.log" 2>&1 ||
            fail "apt cannot install the package: $(tail -5 "$work/apt.log")"
        grep -q '^Inst glimmerwake ' "$work/apt.log" || fail "apt would not install it: $(cat "$work/apt.log")"
        echo "apt-get install -s $(basename "$deb"): installable"
    else
        echo "note: no apt package lists, installability not checked"
    fi
    local root="$work/root"
    dpkg-deb -x "$deb" "$root"
    expect_files "$root"
    expect_board_files "$deb" "$root"
    play_installed_from_root "$root"
}

# A build with the score board packs it with its service, its user and its guide.
expect_board_files() {
    local deb=$1 root=$2 file
    grep -q '^GLIMMERWAKE_BOARD:BOOL=ON$' "$build_dir/CMakeCache.txt" || return 0
    for file in usr/bin/glimmerwake-board usr/lib/systemd/system/glimmerwake-board.service \
        usr/lib/sysusers.d/glimmerwake-board.conf usr/share/doc/glimmerwake/board.md; do
        [ -f "$root/$file" ] || fail "not in the package: /$file"
    done
    dpkg-deb -I "$deb" postinst | grep -q 'systemd-sysusers glimmerwake-board.conf' ||
        fail "the package's postinst does not make the board's user"
    echo "the score board, its service, its user and its guide are in the package"
}

case $case_name in
staged) case_staged ;;
deb) case_deb ;;
*) fail "unknown case $case_name" ;;
esac
