// The player's data files on Windows: whole-file replacement with MoveFileEx, a lock with
// LockFileEx, and reads that refuse anything but a file on a disk.
#include "shell/common/data_files.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>
#include <windows.h>

namespace {

// Windows' own words for the last error, on one line.
std::string reason() {
    const DWORD code = GetLastError();
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string said(text, length);
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == '.')) {
        said.pop_back();
    }
    return said.empty() ? "error " + std::to_string(code) : said;
}

// Closes the handle when it goes out of scope.
class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { close(); }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        const bool closed = !valid() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

bool writeAll(HANDLE file, std::string_view contents) {
    while (!contents.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, contents.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        contents.remove_prefix(written);
    }
    return true;
}

// Beside `path`, a name no other writer (another thread, another game) uses at the same time.
std::string temporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".new-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
}

} // namespace

bool makeFolders(const std::string& folder, std::string& error) {
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        error = "cannot make " + folder + ": " + failure.message();
        return false;
    }
    if (!std::filesystem::is_directory(folder, failure)) {
        error = folder + " is not a folder";
        return false;
    }
    return true;
}

FileRead readDataFile(const std::string& path, std::size_t maxBytes, std::string& contents,
                      std::string& error) {
    contents.clear();
    OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return FileRead::Missing;
        }
        error = reason();
        return FileRead::Failed;
    }
    // A pipe or a device (CON, NUL, COM1) would never end or never answer.
    LARGE_INTEGER size{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size)) {
        error = "not a regular file";
        return FileRead::Failed;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return FileRead::TooLarge;
    }
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            error = reason();
            contents.clear();
            return FileRead::Failed;
        }
        if (got == 0) {
            return FileRead::Read;
        }
        // The file may have grown since its size was read.
        if (contents.size() + got > maxBytes) {
            contents.clear();
            return FileRead::TooLarge;
        }
        contents.append(buffer, got);
    }
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool replaceFile(const std::string& path, std::string_view contents, std::string& error) {
    const std::string temporary = temporaryNameFor(path);
    OwnedHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        error = "cannot write " + temporary + ": " + reason();
        return false;
    }
    bool written = writeAll(file.get(), contents) && FlushFileBuffers(file.get());
    if (!written) {
        error = "cannot write " + temporary + ": " + reason();
    }
    if (!file.close() && written) {
        error = "cannot write " + temporary + ": " + reason();
        written = false;
    }
    // Write-through: the move is on the disk when it returns, as the folder's sync on Linux.
    if (written && !MoveFileExA(temporary.c_str(), path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = "cannot replace " + path + ": " + reason();
        written = false;
    }
    if (!written) {
        DeleteFileA(temporary.c_str());
    }
    return written;
}

bool setFileAside(const std::string& path, std::string& asideTo, std::string& error) {
    // Without MOVEFILE_REPLACE_EXISTING a move takes a name only if it is free, so no earlier file
    // set aside is ever replaced.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        asideTo = path + ".set-aside-" + std::to_string(attempt);
        if (MoveFileExA(path.c_str(), asideTo.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD code = GetLastError();
        if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) {
            break;
        }
    }
    error = "cannot set " + path + " aside: " + reason();
    return false;
}

DataLock::~DataLock() {
    if (handle_ != -1) {
        // Closing the file lets the lock go.
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

bool DataLock::acquire(const std::string& path, std::string& error) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot make the lock " + path + ": " + reason();
        return false;
    }
    OVERLAPPED whole{};
    // Waits until the other game lets go, as flock does.
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        error = "cannot lock " + path + ": " + reason();
        CloseHandle(file);
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}
