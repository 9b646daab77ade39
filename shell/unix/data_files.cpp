#include "shell/common/data_files.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The player's own files are the player's: nobody else reads their recordings.
constexpr mode_t kFolderMode = 0700;
constexpr mode_t kFileMode = 0600;

std::string reason() {
    return std::strerror(errno);
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

bool writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The rename itself reaches the disk only with its folder.
void syncFolder(const std::string& path) {
    const int fd = open(parentOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Beside `path`, a name no other writer (another thread, another game) uses at the same time.
std::string temporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".new-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

} // namespace

bool makeFolders(const std::string& folder, std::string& error) {
    std::string path;
    std::size_t start = 0;
    while (start < folder.size()) {
        const std::size_t slash = folder.find('/', start + 1);
        path = folder.substr(0, slash == std::string::npos ? folder.size() : slash);
        start = slash == std::string::npos ? folder.size() : slash;
        struct stat status {};
        if (path.empty() || stat(path.c_str(), &status) == 0) {
            if (!path.empty() && !S_ISDIR(status.st_mode)) {
                error = path + " is not a folder";
                return false;
            }
            continue;
        }
        if (mkdir(path.c_str(), kFolderMode) != 0 && errno != EEXIST) {
            error = "cannot make " + path + ": " + reason();
            return false;
        }
    }
    return true;
}

FileRead readDataFile(const std::string& path, std::size_t maxBytes, std::string& contents,
                      std::string& error) {
    contents.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return FileRead::Missing;
        }
        error = reason();
        return FileRead::Failed;
    }
    struct stat status {};
    FileRead outcome = FileRead::Read;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = "not a regular file";
        outcome = FileRead::Failed;
    }
    char buffer[65536];
    while (outcome == FileRead::Read) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = reason();
            outcome = FileRead::Failed;
        } else if (got == 0) {
            break;
        } else if (contents.size() + static_cast<std::size_t>(got) > maxBytes) {
            outcome = FileRead::TooLarge;
        } else {
            contents.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    if (outcome != FileRead::Read) {
        contents.clear();
    }
    return outcome;
}

bool fileExists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool replaceFile(const std::string& path, std::string_view contents, std::string& error) {
    const std::string temporary = temporaryNameFor(path);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd < 0) {
        error = "cannot write " + temporary + ": " + reason();
        return false;
    }
    bool written = writeAll(fd, contents) && fsync(fd) == 0;
    if (!written) {
        error = "cannot write " + temporary + ": " + reason();
    }
    if (close(fd) != 0 && written) {
        error = "cannot write " + temporary + ": " + reason();
        written = false;
    }
    if (written && rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + reason();
        written = false;
    }
    if (!written) {
        unlink(temporary.c_str());
        return false;
    }
    syncFolder(path);
    return true;
}

bool setFileAside(const std::string& path, std::string& asideTo, std::string& error) {
    // A hard link takes a name only if it is free, so no earlier file set aside is ever replaced.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        asideTo = path + ".set-aside-" + std::to_string(attempt);
        if (link(path.c_str(), asideTo.c_str()) == 0) {
            unlink(path.c_str());
            syncFolder(path);
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = "cannot set " + path + " aside: " + reason();
    return false;
}

DataLock::~DataLock() {
    if (handle_ >= 0) {
        // Closing the file lets the lock go.
        close(static_cast<int>(handle_));
    }
}

bool DataLock::acquire(const std::string& path, std::string& error) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kFileMode);
    if (fd < 0) {
        error = "cannot make the lock " + path + ": " + reason();
        return false;
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = "cannot lock " + path + ": " + reason();
            close(fd);
            return false;
        }
    }
    handle_ = fd;
    return true;
}
