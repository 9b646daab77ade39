// Reading the game's image files on Windows.
#include "platform/platform.h"

#include <windows.h>

std::vector<std::uint8_t> readSmallFile(const char* path, std::size_t maxBytes) {
    std::vector<std::uint8_t> bytes;
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    // Only a file on disk: a pipe or a device would make the read wait for a writer.
    LARGE_INTEGER size{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
        static_cast<std::uint64_t>(size.QuadPart) <= maxBytes && size.QuadPart <= MAXDWORD) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
            read != bytes.size()) {
            bytes.clear();
        }
    }
    CloseHandle(file);
    return bytes;
}
