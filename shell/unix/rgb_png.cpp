#include "shell/common/rgb_png.h"

#include "render/png_image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kNotAFile[] = "not a regular file";
constexpr char kNotAPicture[] = "a file that is not a PNG picture is there, and is left alone";

// True when the open file may be replaced by a shot: it is empty (just made) or a PNG already.
bool mayReplace(int fd, std::string& why) {
    std::uint8_t start[8] = {};
    const ssize_t got = pread(fd, start, sizeof start, 0);
    if (got == 0 || (got > 0 && startsLikePng(start, static_cast<std::size_t>(got)))) {
        return true;
    }
    why = got < 0 ? std::strerror(errno) : kNotAPicture;
    return false;
}

// Opens the file for writing from its start. Opening never waits: a FIFO with no reader would
// otherwise block the opener for ever, and one with a reader is no place for a picture either.
std::FILE* openShotFile(const char* path, ShotTarget target, std::string& why) {
    struct stat existing {};
    if (stat(path, &existing) == 0 && !S_ISREG(existing.st_mode)) {
        why = kNotAFile;
        return nullptr;
    }
    const int exclusive = target == ShotTarget::NewOnly ? O_EXCL : 0;
    const int fd = open(path, O_RDWR | O_CREAT | exclusive | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        why = errno == EEXIST ? "a file of that name is there already" : std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        why = kNotAFile;
        close(fd);
        return nullptr;
    }
    // Truncated only now that it is known to be a file the shot may replace.
    if (!mayReplace(fd, why)) {
        close(fd);
        return nullptr;
    }
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
                 ShotTarget target, std::string& why) {
    if (rgb.size() != std::size_t(width) * height * 3) {
        why = "the picture has the wrong size";
        return false;
    }
    std::FILE* const file = openShotFile(path, target, why);
    if (file == nullptr) {
        return false;
    }
    return writeRgbPngAndClose(file, width, height, rgb, why);
}
