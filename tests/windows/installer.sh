#!/usr/bin/env bash
# Installs Glimmerwake with glimmerwake-setup.exe as a player would, silently (/S), into a Wine
# prefix of its own (a copy of TEMPLATE_PREFIX, so the test's prefix never sees an install), and
# checks what Windows would show: the files in Program Files, the Start-menu shortcut with the
# game's icon, the entry in Apps & features; then starts the installed game from another folder
# on a private Xvfb screen and sees its menu; then uninstalls silently and checks that all of it
# went but the player's data folder. Then the same once more for the user alone (/CurrentUser),
# without starting the game.
#   installer.sh SETUP_EXE TEMPLATE_PREFIX SOURCE_DIR WORK_DIR
set -euo pipefail
setup=$1
template=$2
source_dir=$3
work=$4/installer
rm -rf "$work"
mkdir -p "$work"
. "$(dirname "$0")/../shell/xvfb_session.sh"

export WINEPREFIX=$work/prefix WINEDEBUG=-all
cp -a "$template" "$WINEPREFIX"
# The screen first: Wine's desktop process, started with the prefix's first program, keeps the
# display it found then.
start_xvfb 1024x768x16
trap 'stop_session; wineserver -k 2>/dev/null || true' EXIT
wineserver -p
drive_c=$WINEPREFIX/drive_c
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerwake'

# The player's data, as the game keeps it: an uninstall must leave it.
appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
player_data=$(winepath -u "$appdata\\Glimmerwake")
mkdir -p "$player_data"
echo "keep me" >"$player_data/scores.txt"

registry_value() { # HIVE NAME
    wine reg query "$1\\$uninstall_key" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}

# check_installed HIVE FOLDER START_MENU: the files, the shortcut and the registry entry.
check_installed() {
    local hive=$1 folder=$2 start_menu=$3 name
    for name in glimmerwake.exe glimmerwake-replay.exe read-me.txt uninstall.exe \
        Data/Ship/Ship1.png Data/Sounds; do
        [ -e "$folder/$name" ] || fail "no $name in $folder"
    done
    [ "$(find "$folder/Data" -type f | wc -l)" = "$(find "$source_dir/Data" -type f | wc -l)" ] ||
        fail "Data/ was not installed whole"
    shortcut=$start_menu/Glimmerwake.lnk
    [ -f "$shortcut" ] || fail "no shortcut $shortcut"
    # A shell link keeps its target in the system's code page and its icon's path in UTF-16,
    # at an odd or an even offset as the paths before them fall: with the zero bytes taken out,
    # both read as plain text.
    local link_text
    link_text=$(tr -d '\0' <"$shortcut")
    grep -qa 'glimmerwake\.exe' <<<"$link_text" ||
        fail "the shortcut does not name glimmerwake.exe"
    local windows_folder
    windows_folder=$(winepath -w "$folder" 2>/dev/null | tr -d '\r')
    [ "$(registry_value "$hive" DisplayName)" = Glimmerwake ] || fail "no DisplayName in $hive"
    [ "$(registry_value "$hive" DisplayIcon)" = "\"$windows_folder\\glimmerwake.exe\",0" ] ||
        fail "DisplayIcon is $(registry_value "$hive" DisplayIcon)"
    [ "$(registry_value "$hive" DisplayVersion)" = "$version" ] || fail "DisplayVersion is not $version"
    [ -n "$(registry_value "$hive" Publisher)" ] || fail "no Publisher"
    [ -n "$(registry_value "$hive" UninstallString)" ] || fail "no UninstallString"
    registry_value "$hive" QuietUninstallString | grep -q '/S$' || fail "no QuietUninstallString"
    [ "$(registry_value "$hive" NoModify)" = 0x1 ] || fail "NoModify is not 1"
    [ "$(registry_value "$hive" NoRepair)" = 0x1 ] || fail "NoRepair is not 1"
    estimated=$(($(registry_value "$hive" EstimatedSize)))
    installed=$(du -sk --apparent-size "$folder" | cut -f1)
    [ "$estimated" -gt $((installed / 2)) ] && [ "$estimated" -le "$installed" ] ||
        fail "EstimatedSize $estimated KB for $installed KB installed"
}

# uninstall HIVE FOLDER START_MENU: runs the entry's QuietUninstallString as Windows would and
# waits for the uninstaller (which runs on from a copy of itself) to finish.
uninstall() {
    local hive=$1 folder=$2 start_menu=$3 quiet program arguments
    quiet=$(registry_value "$hive" QuietUninstallString)
    # "C:\...\uninstall.exe" /AllUsers /S: the quoted program, then its words.
    program=${quiet#\"}
    program=${program%%\"*}
    read -r -a arguments <<<"${quiet#\"*\" }"
    wine "$program" "${arguments[@]}" >>"$work/uninstall.log" 2>&1 || fail "the uninstaller failed"
    # The uninstaller runs on from a copy of itself, and removes the entry last.
    for _ in $(seq 300); do
        [ ! -e "$folder" ] && [ -z "$(registry_value "$hive" DisplayName)" ] && break
        sleep 0.1
    done
    [ ! -e "$folder" ] || fail "the uninstall left $(find "$folder" | head -5 | tr '\n' ' ')"
    [ ! -e "$start_menu/Glimmerwake.lnk" ] || fail "the uninstall left the shortcut"
    [ -z "$(registry_value "$hive" DisplayName)" ] || fail "the uninstall left the $hive entry"
    [ "$(cat "$player_data/scores.txt")" = "keep me" ] || fail "the uninstall took the player's data"
}

version=$(sed -n 's/^project(Glimmerwake VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")

# For everyone: Wine's user may administer, so /S goes to Program Files.
timeout 120 wine "$setup" /S >"$work/install.log" 2>&1 || fail "the installer failed"
folder="$drive_c/Program Files/Glimmerwake"
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
check_installed HKLM "$folder" "$start_menu"
echo "installed for everyone: $(du -sk --apparent-size "$folder" | cut -f1) KB in Program Files"

# The installed game, started from another folder as the shortcut may, finds its Data\ and
# draws its menu.
start_game "$work" timeout 120 wine "$folder/glimmerwake.exe"
wait_for_window
wait_for_menu_title
import -window root "$work/installed-menu.png"
hold Down
hold Return
wait_for_exit 20
[ "$game_status" = 0 ] || fail "the installed game ended with status $game_status"
uninstall HKLM "$folder" "$start_menu"

# For the user alone.
timeout 120 wine "$setup" /S /CurrentUser >>"$work/install.log" 2>&1 || fail "the installer failed"
localappdata=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
folder=$(winepath -u "$localappdata\\Programs\\Glimmerwake")
start_menu=$(winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs")
check_installed HKCU "$folder" "$start_menu"
uninstall HKCU "$folder" "$start_menu"
echo "PASS: installer (everyone and the user alone), the installed game's menu, uninstall"
