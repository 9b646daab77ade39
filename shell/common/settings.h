#pragma once

#include <string>
#include <string_view>

// What the player chose and the game remembers from one run to the next, kept in the `settings`
// file of the user's data folder: one `name=value` a line (docs/scores.md). The command line
// overrides a setting for one run without changing what is remembered.
struct Settings {
    // The sound is off (M turns it on and off).
    bool mute = false;
    // The music plays under the effects (N turns it on and off).
    bool music = true;
    // The score board the verified games are sent to (board=URL, http or https); empty, as by
    // default: nothing is ever sent.
    std::string board;
    // The name the games go under on the board.
    std::string name = "Pilot";
};

// Reads a settings file's text. Lines it does not know (a later version's settings, a mistake)
// are left out and listed in `ignored`, a line each, so that whoever edited the file by hand
// hears of it; every setting not given keeps its default.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;
Settings readSettings(std::string_view text, std::string& ignored);
std::string writeSettings(const Settings& settings);

// The settings kept in `folder` (the user's data folder), or the defaults when there are none.
// Lines left out are said on standard error.
Settings loadSettings(const std::string& folder);
// Writes them there, replacing the file whole; a failure is said on standard error, once a run.
void saveSettings(const std::string& folder, const Settings& settings);
