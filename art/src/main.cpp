// glimmerwake-art: paints every image of the game's Data/ directory and a contact sheet of them.
//
//   glimmerwake-art [--data DIR] [--sheet FILE] [--icons DIR] [--windows-icon FILE]
//
// Every picture is drawn as the player sees it, then turned into the file the game's loader
// expects (see orientation.h). The output depends on nothing but this program, so rebuilding
// gives the same bytes.

#include "catalogue.h"
#include "contact_sheet.h"
#include "icon.h"
#include "png_file.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

namespace {

struct Options {
    std::string dataDir;
    std::string sheetPath;
    std::string iconDir;
    std::string windowsIcon;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--data") == 0) {
            options.dataDir = argv[i + 1];
        } else if (std::strcmp(argv[i], "--sheet") == 0) {
            options.sheetPath = argv[i + 1];
        } else if (std::strcmp(argv[i], "--icons") == 0) {
            options.iconDir = argv[i + 1];
        } else if (std::strcmp(argv[i], "--windows-icon") == 0) {
            options.windowsIcon = argv[i + 1];
        } else {
            return false;
        }
    }
    return argc % 2 == 1 &&
           (!options.dataDir.empty() || !options.iconDir.empty() || !options.windowsIcon.empty());
}

void run(const Options& options) {
    if (!options.iconDir.empty()) {
        writeIcons(options.iconDir);
    }
    if (!options.windowsIcon.empty()) {
        writeWindowsIcon(options.windowsIcon);
    }
    if (options.dataDir.empty()) {
        return;
    }
    std::vector<SheetEntry> sheet;
    for (const Artwork& artwork : allArtworks()) {
        const std::filesystem::path file = std::filesystem::path(options.dataDir) / artwork.path;
        std::filesystem::create_directories(file.parent_path());
        Pixels seen = paintSeen(artwork);
        writePng(file.string(), toFile(seen, artwork.orientation));
        sheet.push_back({artwork.path, std::move(seen), artwork.orientation});
    }
    if (!options.sheetPath.empty()) {
        writeContactSheet(options.sheetPath, sheet);
    }
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--data DIR [--sheet FILE]] [--icons DIR] [--windows-icon FILE]\n",
                     argv[0]);
        return 2;
    }
    try {
        run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "glimmerwake-art: %s\n", error.what());
        return 1;
    }
    return 0;
}
