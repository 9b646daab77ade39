// Writing a shot as a PNG file on Windows, where no FIFO can stand in a file's place.
#include "shell/common/rgb_png.h"

#include "render/png_image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writeRgbPng(const char* path, int width, int height, const std::vector<std::uint8_t>& rgb,
                 std::string& why) {
    if (rgb.size() != std::size_t(width) * height * 3) {
        why = "the picture has the wrong size";
        return false;
    }
    std::FILE* const file = std::fopen(path, "wb");
    if (file == nullptr) {
        why = std::strerror(errno);
        return false;
    }
    return writeRgbPngAndClose(file, width, height, rgb, why);
}
