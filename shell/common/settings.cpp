#include "shell/common/settings.h"

#include "shell/common/data_files.h"

#include <algorithm>
#include <cstdio>

namespace {

// One entry a setting: its name in the file and the member it is read into. Adding a setting is
// adding its member and one line here. A flag reads 0 or 1; a text is the rest of the line.
struct SettingEntry {
    const char* name;
    bool Settings::*flag;
    std::string Settings::*text;
};

const SettingEntry kSettingEntries[] = {
    {"mute", &Settings::mute, nullptr},
    {"music", &Settings::music, nullptr},
    {"board", nullptr, &Settings::board},
    {"name", nullptr, &Settings::name},
};

// No setting's value comes near it; a longer line is not ours.
constexpr std::size_t kMaxSettingLine = 1024;

bool isPrintableText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7f; });
}

// Only spaces: a line with a tab or another control character is not read at all.
std::string_view trimmedOfBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool readSetting(std::string_view line, Settings& settings) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.size() > kMaxSettingLine ||
        !isPrintableText(line)) {
        return false;
    }
    const std::string_view name = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    for (const SettingEntry& entry : kSettingEntries) {
        if (name != entry.name) {
            continue;
        }
        if (entry.flag != nullptr && (value == "0" || value == "1")) {
            settings.*entry.flag = value == "1";
            return true;
        }
        if (entry.text != nullptr) {
            // Blanks around a text typed by hand are no part of it (a board refuses a name that
            // begins or ends with one), and an emptied text keeps its default: a game sent
            // under no name would only be refused.
            const std::string_view text = trimmedOfBlanks(value);
            if (!text.empty()) {
                settings.*entry.text = std::string(text);
            }
            return true;
        }
    }
    return false;
}

} // namespace

Settings readSettings(std::string_view text, std::string& ignored) {
    Settings settings;
    ignored.clear();
    if (text.size() > kMaxSettingsBytes) {
        ignored = "the whole file: larger than any settings file the game writes\n";
        return settings;
    }
    while (!text.empty()) {
        const std::size_t newline = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(std::min(newline + 1, text.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line[0] == '#' || readSetting(line, settings)) {
            continue;
        }
        // Quoted only when it is plain text that cannot drive a terminal.
        ignored += isPrintableText(line) && line.size() <= kMaxSettingLine
                       ? std::string(line) + "\n"
                       : std::string("a line that is not text\n");
    }
    return settings;
}

std::string writeSettings(const Settings& settings) {
    std::string out =
        "# Glimmerwake's settings: name=value, one a line. The command line overrides "
        "them for one run.\n";
    for (const SettingEntry& entry : kSettingEntries) {
        out += std::string(entry.name) + "=";
        if (entry.flag != nullptr) {
            out += settings.*entry.flag ? "1" : "0";
        } else {
            out += settings.*entry.text;
        }
        out += "\n";
    }
    return out;
}

namespace {

constexpr const char* kSettingsName = "settings";

} // namespace

Settings loadSettings(const std::string& folder) {
    std::string text;
    std::string error;
    const std::string path = folder + kSettingsName;
    if (folder.empty() || readDataFile(path, kMaxSettingsBytes, text, error) != FileRead::Read) {
        return Settings{};
    }
    std::string ignored;
    const Settings settings = readSettings(text, ignored);
    if (!ignored.empty()) {
        std::fprintf(stderr, "glimmerwake: %s: left out what is not a setting:\n%s", path.c_str(),
                     ignored.c_str());
    }
    return settings;
}

void saveSettings(const std::string& folder, const Settings& settings) {
    static bool failureSaid = false;
    std::string error;
    if (folder.empty() || !makeFolders(folder, error) ||
        !replaceFile(folder + kSettingsName, writeSettings(settings), error)) {
        if (!failureSaid) {
            failureSaid = true;
            std::fprintf(stderr, "glimmerwake: cannot keep the settings: %s\n",
                         error.empty() ? "no folder for them (no home folder)" : error.c_str());
        }
    }
}
