// Reading the game's image files on Unix.
#include "platform/platform.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::vector<std::uint8_t> readSmallFile(const char* path, std::size_t maxBytes) {
    std::vector<std::uint8_t> bytes;
    // Opened without waiting: a FIFO in place of an image would block the open until someone
    // wrote to it, and the game would hang at start-up before it could refuse the file.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return bytes;
    }
    std::FILE* file = fdopen(descriptor, "rb");
    if (file == nullptr) {
        close(descriptor);
        return bytes;
    }
    struct stat status {};
    if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        static_cast<std::uintmax_t>(status.st_size) <= maxBytes) {
        bytes.resize(static_cast<std::size_t>(status.st_size));
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            bytes.clear();
        }
    }
    std::fclose(file);
    return bytes;
}
