#pragma once

#include <string>

// The folder the player's own data lives in (the high scores, the settings), as the platform
// names it: %APPDATA%\Glimmerwake\ on Windows. Returned with its trailing separator; nothing is
// created, so the first write makes the folder; empty when the platform names no such place.
// Each platform provides it.
std::string userDataDirectory();
