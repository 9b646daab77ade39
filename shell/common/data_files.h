#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The file work the high scores and the settings need, each platform its own way: files that are
// replaced whole or not at all, a lock that two running games share, a file set aside instead of
// deleted. Paths are the game's own (below userDataDirectory()), never read from a file.

// Makes the folder and any parent missing. False with the reason when it cannot.
bool makeFolders(const std::string& folder, std::string& error);

enum class FileRead {
    Read,    // `contents` holds the whole file
    Missing, // there is no such file
    TooLarge,
    Failed, // it is there but could not be read: `error` says why
};
// Reads a regular file of at most `maxBytes`; never waits on a FIFO or a device.
FileRead readDataFile(const std::string& path, std::size_t maxBytes, std::string& contents,
                      std::string& error);

bool fileExists(const std::string& path);

// Writes `contents` to a new file beside `path`, makes sure it is on the disk, then renames it
// over `path`: whenever the program is stopped, even killed, `path` is the old file whole or the
// new one whole.
bool replaceFile(const std::string& path, std::string_view contents, std::string& error);

// Renames `path` to a name of its own beside it, never over another file, and returns that name
// in `asideTo`. The file is kept for whoever wants to look at it, never deleted.
bool setFileAside(const std::string& path, std::string& asideTo, std::string& error);

// Held by one running game at a time: while a game reads, changes and writes back the tables,
// another waits, so neither writes over what the other has just added.
class DataLock {
  public:
    DataLock() = default;
    DataLock(const DataLock&) = delete;
    DataLock& operator=(const DataLock&) = delete;
    ~DataLock();
    // Waits for the lock on the file `path` (made if need be). False with the reason when the
    // file cannot be made or locked.
    bool acquire(const std::string& path, std::string& error);

  private:
    std::intptr_t handle_ = -1;
};
