// Writing a shot as a PNG file on Windows, where no FIFO can stand in a file's place.
#include "shell/common/rgb_png.h"

#include "render/png_image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// True when a shot may go to `path`: nothing is there, or (when `target` allows) a PNG is.
bool mayWrite(const char* path, ShotTarget target, std::string& why) {
    std::FILE* const existing = std::fopen(path, "rb");
    if (existing == nullptr) {
        return true;
    }
    std::uint8_t start[8] = {};
    const std::size_t got = std::fread(start, 1, sizeof start, existing);
    std::fclose(existing);
    if (target == ShotTarget::NewOnly) {
        why = "a file of that name is there already";
        return false;
    }
    if (got > 0 && !startsLikePng(start, got)) {
        why = "a file that is not a PNG picture is there, and is left alone";
        return false;
    }
    return true;
}

} // namespace

bool writeRgbPng(const char* path, int width, int height, const std::vector<std::uint8_t>& rgb,
                 ShotTarget target, std::string& why) {
    if (rgb.size() != std::size_t(width) * height * 3) {
        why = "the picture has the wrong size";
        return false;
    }
    if (!mayWrite(path, target, why)) {
        return false;
    }
    std::FILE* const file = std::fopen(path, target == ShotTarget::NewOnly ? "wbx" : "wb");
    if (file == nullptr) {
        why = std::strerror(errno);
        return false;
    }
    return writeRgbPngAndClose(file, width, height, rgb, why);
}
