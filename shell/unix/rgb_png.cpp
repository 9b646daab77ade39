#include "shell/common/rgb_png.h"

#include "render/png_image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens the file for writing from its start. Opening never waits: a FIFO with no reader would
// otherwise block the opener for ever, and one with a reader is no place for a picture either.
std::FILE* openRegularFile(const char* path, std::string& why) {
    struct stat existing {};
    if (stat(path, &existing) == 0 && !S_ISREG(existing.st_mode)) {
        why = "not a regular file";
        return nullptr;
    }
    const int fd = open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        why = "not a regular file";
        close(fd);
        return nullptr;
    }
    // Truncated only now that it is known to be a file.
    if (fcntl(fd, F_SETFL, 0) != 0 || ftruncate(fd, 0) != 0) {
        why = std::strerror(errno);
        close(fd);
        return nullptr;
    }
    std::FILE* const file = fdopen(fd, "wb");
    if (file == nullptr) {
        why = std::strerror(errno);
        close(fd);
    }
    return file;
}

} // namespace

bool writeRgbPng(const char* path, int width, int height, const std::vector<std::uint8_t>& rgb,
                 std::string& why) {
    if (rgb.size() != std::size_t(width) * height * 3) {
        why = "the picture has the wrong size";
        return false;
    }
    std::FILE* const file = openRegularFile(path, why);
    if (file == nullptr) {
        return false;
    }
    return writeRgbPngAndClose(file, width, height, rgb, why);
}
