#include "shell/common/data_directory.h"

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The menu's backdrop, the first image a player sees. A folder that has it is taken to hold the
// game's images; one merely called Data (in a home directory, say) is not.
constexpr const char* kProbeImage = "Data/Menu.png";

bool holdsImages(const fs::path& root) {
    std::error_code error;
    // A broken or odd file still marks the player's choice: the loader refuses it on its own.
    return fs::symlink_status(root / kProbeImage, error).type() != fs::file_type::not_found &&
           !error;
}

fs::path installedRoot(const std::string& programDir, const std::string& installedFromProgram) {
    return (fs::path(programDir) / installedFromProgram).lexically_normal();
}

} // namespace

std::optional<std::string> findDataRoot(const std::string& workingDir,
                                        const std::string& programDir,
                                        const std::string& installedFromProgram) {
    if (holdsImages(workingDir)) {
        return std::string();
    }
    if (programDir.empty()) {
        return std::nullopt;
    }
    const fs::path installed = installedRoot(programDir, installedFromProgram);
    if (holdsImages(installed)) {
        std::string root = installed.string();
        if (root.back() != '/') {
            root += '/';
        }
        return root;
    }
    return std::nullopt;
}

std::string describeMissingData(const std::string& workingDir, const std::string& programDir,
                                const std::string& installedFromProgram) {
    std::string text = "glimmerwake: no images in " + (fs::path(workingDir) / "Data").string();
    if (!programDir.empty()) {
        text += " nor in " + (installedRoot(programDir, installedFromProgram) / "Data").string();
    }
    return text + "; playing without them";
}
