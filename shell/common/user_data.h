#pragma once

#include <string>

// The folder the game keeps the player's own files in (the high scores, their recordings, the
// settings), with its trailing separator: $XDG_DATA_HOME/glimmerwake/ (by default
// ~/.local/share/glimmerwake/) on Linux, %APPDATA%\Glimmerwake\ on Windows. Creates nothing;
// empty when the system names no such place (no home at all).
std::string userDataDirectory();
