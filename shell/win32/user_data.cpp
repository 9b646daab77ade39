// The player's data folder on Windows: Glimmerwake\ in the roaming application data, which moves
// with the player's profile and which the installer's uninstall leaves alone.
#include "shell/common/user_data.h"

#include <cstdlib>
#include <shlobj.h>
#include <windows.h>

namespace {

constexpr const char* kFolderName = "Glimmerwake\\";

// A wide path in the ANSI code page the game's file calls take; empty when it does not fit.
std::string narrowed(const wchar_t* wide) {
    const int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, narrow.data(), bytes, nullptr,
                        &lossy);
    narrow.resize(static_cast<std::size_t>(bytes - 1));
    // A folder whose name the code page cannot spell would be another folder, or none.
    return lossy ? std::string() : narrow;
}

std::string roamingAppData() {
    PWSTR path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY, nullptr, &path) ==
        S_OK) {
        folder = narrowed(path);
    }
    CoTaskMemFree(path);
    if (folder.empty()) {
        const char* const variable = std::getenv("APPDATA");
        folder = variable != nullptr ? variable : "";
    }
    return folder;
}

} // namespace

std::string userDataDirectory() {
    std::string folder = roamingAppData();
    if (folder.empty()) {
        return {};
    }
    if (folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder + kFolderName;
}
