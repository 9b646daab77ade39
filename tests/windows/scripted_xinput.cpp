// A stand-in xinput1_4.dll for the tests: placed beside glimmerwake.exe, which Windows searches
// first, it plays the pad states of a script into the real game. The script is the file named by
// GLIMMERWAKE_PAD_SCRIPT, one line a change, in the order of its times:
//
//   MILLISECONDS SLOT unplugged
//   MILLISECONDS SLOT BUTTONS LEFT_X LEFT_Y
//
// MILLISECONDS count from the moment the file named by GLIMMERWAKE_PAD_START is there (the test
// makes it once the game draws its menu, so that a slow start takes nothing from the script);
// until then every slot is empty. SLOT is 0 to 3; BUTTONS is "-" or names
// joined by '+' (A B X Y Back Start Left Right Up Down, Left to Down the d-pad); LEFT_X and LEFT_Y
// are XInput's stick values (y up). A slot is unplugged until a line plugs it in. A line that
// cannot be read stops the game's pads with it: every slot reads as unplugged from then on, and
// the test sees no pad at all.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <windows.h>
#include <xinput.h>

namespace {

struct Change {
    ULONGLONG at;
    DWORD slot;
    bool plugged;
    XINPUT_GAMEPAD gamepad;
};

struct ButtonName {
    const char* name;
    WORD bit;
};

constexpr ButtonName kButtonNames[] = {
    {"A", XINPUT_GAMEPAD_A},
    {"B", XINPUT_GAMEPAD_B},
    {"X", XINPUT_GAMEPAD_X},
    {"Y", XINPUT_GAMEPAD_Y},
    {"Back", XINPUT_GAMEPAD_BACK},
    {"Start", XINPUT_GAMEPAD_START},
    {"Left", XINPUT_GAMEPAD_DPAD_LEFT},
    {"Right", XINPUT_GAMEPAD_DPAD_RIGHT},
    {"Up", XINPUT_GAMEPAD_DPAD_UP},
    {"Down", XINPUT_GAMEPAD_DPAD_DOWN},
};

bool readButtons(const std::string& words, WORD& buttons) {
    buttons = 0;
    if (words == "-") {
        return true;
    }
    std::size_t start = 0;
    while (start <= words.size()) {
        const std::size_t end = std::min(words.find('+', start), words.size());
        const std::string word = words.substr(start, end - start);
        bool known = false;
        for (const ButtonName& button : kButtonNames) {
            if (word == button.name) {
                buttons |= button.bit;
                known = true;
            }
        }
        if (!known) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

bool readLine(const char* line, Change& change) {
    unsigned long long at = 0;
    unsigned slot = 0;
    char state[64] = {};
    int leftX = 0;
    int leftY = 0;
    const int fields = std::sscanf(line, "%llu %u %63s %d %d", &at, &slot, state, &leftX, &leftY);
    if (fields < 3 || slot >= XUSER_MAX_COUNT) {
        return false;
    }
    change = Change{at, slot, std::strcmp(state, "unplugged") != 0, {}};
    if (!change.plugged) {
        return fields == 3;
    }
    change.gamepad.sThumbLX = static_cast<SHORT>(leftX);
    change.gamepad.sThumbLY = static_cast<SHORT>(leftY);
    return fields == 5 && readButtons(state, change.gamepad.wButtons);
}

std::vector<Change> readScript() {
    std::vector<Change> changes;
    const char* const path = std::getenv("GLIMMERWAKE_PAD_SCRIPT");
    std::FILE* const file = path != nullptr ? std::fopen(path, "r") : nullptr;
    if (file == nullptr) {
        return changes;
    }
    char line[256];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (line[0] == '#' || line[0] == '\n') {
            continue;
        }
        Change change{};
        if (!readLine(line, change)) {
            changes.clear();
            break;
        }
        changes.push_back(change);
    }
    std::fclose(file);
    return changes;
}

// The moment the script starts, once the start file is there; 0 before.
ULONGLONG scriptStart() {
    static ULONGLONG start = 0;
    const char* const path = std::getenv("GLIMMERWAKE_PAD_START");
    if (start == 0 && path != nullptr && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        start = GetTickCount64();
    }
    return start;
}

} // namespace

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    static const std::vector<Change> changes = readScript();
    static DWORD packet = 0;
    if (slot >= XUSER_MAX_COUNT || state == nullptr) {
        return ERROR_BAD_ARGUMENTS;
    }
    const ULONGLONG start = scriptStart();
    if (start == 0) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    const ULONGLONG now = GetTickCount64() - start;
    const Change* latest = nullptr;
    for (const Change& change : changes) {
        if (change.slot == slot && change.at <= now) {
            latest = &change;
        }
    }
    if (latest == nullptr || !latest->plugged) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    state->dwPacketNumber = ++packet;
    state->Gamepad = latest->gamepad;
    return ERROR_SUCCESS;
}
