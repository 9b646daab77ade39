#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// What a shot may write over.
enum class ShotTarget {
    // A new file, or an existing PNG picture (a shot taken again): the replay tool's shots, which
    // its own developers' scripts name. Any other file already there is left alone.
    NewOrPng,
    // Only a file that does not exist yet: the shots of a watched recording, which may come from
    // anybody.
    NewOnly,
};

// Writes RGB rows (top first) as an 8-bit RGB PNG. Only a regular file (or a new one) is written:
// a FIFO, a device or a directory is refused at once, without waiting for a reader; so is a file
// that `target` does not allow to be replaced. On failure returns false and says why in `why`.
bool writeRgbPng(const char* path, int width, int height, const std::vector<std::uint8_t>& rgb,
                 ShotTarget target, std::string& why);

// True for a name that stays in the folder it is put in and says it is a PNG: letters, digits,
// '-', '_' and '.', not starting with '.', ending in ".png", at most 128 characters.
inline bool isPlainPngName(const std::string& name) {
    constexpr std::size_t kMaxName = 128;
    constexpr char kSuffix[] = ".png";
    const std::size_t suffix = sizeof kSuffix - 1;
    if (name.size() <= suffix || name.size() > kMaxName || name[0] == '.' ||
        name.compare(name.size() - suffix, suffix, kSuffix) != 0) {
        return false;
    }
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!plain) {
            return false;
        }
    }
    return true;
}

// True when the bytes begin as every PNG file does.
inline bool startsLikePng(const std::uint8_t* bytes, std::size_t size) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= sizeof kSignature && std::memcmp(bytes, kSignature, sizeof kSignature) == 0;
}
