#include "shell/common/recording_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

int openRecordingFile(const std::string& path, std::string& why) {
    // O_NONBLOCK only for the open: a FIFO opens at once (or fails), and writes then wait as usual.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 || fcntl(fd, F_SETFL, 0) != 0) {
        why = std::strerror(errno);
        if (fd >= 0) {
            close(fd);
        }
        return -1;
    }
    return fd;
}

long writeRecordingFile(int file, const char* data, std::size_t size, std::string& why) {
    for (;;) {
        const ssize_t written = write(file, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            why = written < 0 ? std::strerror(errno) : "nothing could be written";
        }
        return static_cast<long>(written);
    }
}

bool closeRecordingFile(int file, std::string& why) {
    if (close(file) != 0) {
        why = std::strerror(errno);
        return false;
    }
    return true;
}

std::thread startWriterThread(std::function<void()> body) {
    // The game's thread takes SIGTERM and SIGINT and ends the game in order; the writer must not
    // take them instead. The thread starts with the mask it is made with.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    std::thread thread(std::move(body));
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return thread;
}
