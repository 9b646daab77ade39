// The recording's file on Windows: the C runtime's descriptors, in binary mode so that the
// recording has the same bytes as on Linux (text mode would write each newline as CR LF).
#include "shell/common/recording_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <limits>
#include <sys/stat.h>

int openRecordingFile(const std::string& path, std::string& why) {
    const int fd =
        _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        why = std::strerror(errno);
    }
    return fd;
}

long writeRecordingFile(int file, const char* data, std::size_t size, std::string& why) {
    const unsigned chunk =
        static_cast<unsigned>(std::min<std::size_t>(size, std::numeric_limits<int>::max()));
    const int written = _write(file, data, chunk);
    if (written <= 0) {
        why = written < 0 ? std::strerror(errno) : "nothing could be written";
    }
    return written;
}

bool closeRecordingFile(int file, std::string& why) {
    if (_close(file) != 0) {
        why = std::strerror(errno);
        return false;
    }
    return true;
}

std::thread startWriterThread(std::function<void()> body) {
    // Windows sends no signals to threads: Ctrl+C and closing are messages to the game's loop.
    return std::thread(std::move(body));
}
