#include "shell/common/user_data.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr const char* kFolderName = "glimmerwake/";

// A variable that is set to an absolute path; the XDG rules say to ignore a relative one.
std::string absoluteFromEnvironment(const char* name) {
    const char* const value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string homeDirectory() {
    std::string home = absoluteFromEnvironment("HOME");
    if (home.empty()) {
        // A service or a bare environment without HOME: the account's own home.
        const passwd* const entry = getpwuid(getuid());
        if (entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/') {
            home = entry->pw_dir;
        }
    }
    return home;
}

std::string withSlash(std::string path) {
    if (path.back() != '/') {
        path += '/';
    }
    return path;
}

} // namespace

std::string userDataDirectory() {
    const std::string dataHome = absoluteFromEnvironment("XDG_DATA_HOME");
    if (!dataHome.empty()) {
        return withSlash(dataHome) + kFolderName;
    }
    const std::string home = homeDirectory();
    return home.empty() ? std::string() : withSlash(home) + ".local/share/" + kFolderName;
}
